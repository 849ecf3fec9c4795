// The rows of a CSV text taken from memory or from a file read a window at a
// time, so that a file of any size is read with little memory. A window always
// begins at the start of a row; a row that runs past its end is read again
// once more of the file has been read behind it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "exchange/csv_rows.h"
#include "platform/file.h"

// A quarter of a megabyte: rows are short, and a window this size stays in
// the processor's cache while its rows are read.
constexpr size_t kCsvWindowBytes = size_t{1} << 18;

// Told after each window an import reads from its file, with the bytes read
// so far and the file's size: a long import shows its progress by it.
struct ReadProgress {
    void (*Tell)(int64_t done, int64_t total, void* context) = nullptr;
    void* Context = nullptr;
};
// What every import of a file tells; none until the program sets it.
extern ReadProgress ImportProgress;

// Where the bytes come from: `memory`, or `file` when it is open.
struct ByteSource {
    std::string_view Memory;
    PlatformFile File;
    int64_t Size = 0;                      // of the file, taken when it was opened
    size_t WindowBytes = kCsvWindowBytes;  // at least 4; tests make it small
    const ReadProgress* Progress = nullptr;
};

// Tells the source's progress, if any, that the bytes before `end` are read.
void TellReadProgress(const ByteSource& source, int64_t end);

struct CsvWindow {
    const ByteSource* Source = nullptr;
    std::vector<char> Buffer;  // a file's bytes from the current row on
    int64_t NextOffset = 0;    // the file offset just after the buffer's bytes
    bool AtEnd = false;        // nothing of the source lies beyond the window
    bool ReadFailed = false;   // the file could not be read; the rows stop there
    CsvReader Reader;          // over the window's bytes
    // Whether the bytes read so far are UTF-8, tallied as they leave the
    // window (a window leaves whole rows, so never part of a character) and,
    // by FinishCsvWindow, at the end. Tallying starts at tallyFrom, past a
    // byte-order mark.
    size_t TallyFrom = 0;
    bool NotUtf8 = false;
    bool BeyondAscii = false;  // characters beyond plain ASCII were met
};

// Takes the first window of `source`, which must outlive the window.
void OpenCsvWindow(CsvWindow* window, const ByteSource& source);
// Reads more of the file behind what the window holds, keeping all of it;
// false at the end of the file or when it cannot be read.
bool WidenCsvWindow(CsvWindow* window);
// The next whole row, as NextCsvRow reads it from the whole text; false after
// the last row or when the file could not be read (then readFailed).
bool NextWindowRow(CsvWindow* window, CsvRow* row);
// Tallies what the window still holds, after the last row.
void FinishCsvWindow(CsvWindow* window);
