// The items of an ADIF file (ADI) read a window at a time, so that a file of
// any size is read in constant memory: fields, <EOH>, <EOR> and damaged tags.
// Data is counted, never scanned, so a '<' inside it is data.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "exchange/csv_file_reader.h"

// Data kept of one field: far more than any field the log takes. Longer data
// is passed over and only its start kept.
constexpr size_t kAdifKeptData = 4096;

enum class AdifItemKind { Field, EndOfHeader, EndOfRecord, Damaged, End };

// One item, its texts valid until the next item is read.
struct AdifItem {
    AdifItemKind Kind = AdifItemKind::End;
    std::string_view Name;  // a field's name, in upper case
    std::string_view Data;  // its data: at most kAdifKeptData characters (of UTF-8, up to four bytes each)
    std::string Damage;     // with Damaged: why, for example "a tag has no '>'"
    // Where `name` is kept, followed by zeros to the end of its last word, so
    // that it can be compared a word at a time.
    alignas(uint64_t) char NameBytes[256 + sizeof(uint64_t)];
    std::string LongData;  // where the start of data longer than the window is kept
};

// Leaves new bytes of a vector as they are: the reader's buffer grows by the
// bytes a file read fills at once, so clearing them first would be wasted.
template <typename T>
struct UnclearedAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = UnclearedAllocator<U>;
    };
    UnclearedAllocator() = default;
    template <typename U>
    UnclearedAllocator(const UnclearedAllocator<U>&) {}
    template <typename U>
    void construct(U* at) {
        ::new (static_cast<void*>(at)) U;
    }
    template <typename U, typename... Args>
    void construct(U* at, Args&&... args) {
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }
};

struct AdifReader {
    const ByteSource* Source = nullptr;
    int64_t Size = 0;                                    // the source's
    bool Utf8 = false;                                   // lengths may count characters (see NextAdifItem)
    std::vector<char, UnclearedAllocator<char>> Buffer;  // the file's bytes from bufferOffset on
    int64_t BufferOffset = 0;
    size_t At = 0;  // the next byte to read, in the buffer
    bool ReadFailed = false;
    bool PastEnd = false;  // a field's data ran past the end: nothing more is read
    // With Tally, whether the bytes read are UTF-8, tallied as they leave the
    // buffer; the start of a character cut there stays held for the next window.
    bool Tally = false;
    size_t TallyFrom = 0;  // in the buffer
    bool NotUtf8 = false;
    bool BeyondAscii = false;
    bool TallyMissed = false;  // bytes were passed over unread
};

// What the tally of a reading found, once it has ended.
enum class AdifText { Utf8, Ascii, NotUtf8, Unknown };

// Opens the reader over `source`, which must outlive it, past a UTF-8
// byte-order mark.
void OpenAdifReader(AdifReader* reader, const ByteSource& source, bool utf8);

// The next item. A field's LENGTH counts bytes; in a UTF-8 file, when the data
// so cut is not followed by '<', a blank, a line end or the end of the file,
// and LENGTH characters are, it counts characters. End after the last item or
// when the file could not be read (then readFailed).
void NextAdifItem(AdifReader* reader, AdifItem* item);

// Tallies what the reader still holds and says what the file's text is:
// Unknown when bytes were passed over or the reading stopped before the end.
AdifText FinishAdifTally(AdifReader* reader);
