// The open log: a header-less file of 115-byte LogEntry records numbered from 1,
// the one shared EntryBuffer, and EntryCount. Every operation returns whether it
// succeeded; LastError says why it did not, in words a listener understands.
#pragma once
#include <cstdint>
#include <string>

#include "logstore/log_entry.h"
#include "platform/file.h"

enum class LogError {
    None,
    NotOpen,       // no log is open
    ReadOnly,      // the log could be opened only for reading
    BadNumber,     // the entry number is not in the log
    ReadFailed,
    WriteFailed,   // a write did not complete (for example a full disk)
    FlushFailed,   // the data could not be forced to disk
    TruncateFailed,
    DeleteFailed,
    ReopenFailed,
};

struct LogStore {
    PlatformFile LogFile;
    bool Writable = false;
    std::string OpenPath;  // path the log was opened with
    LogEntry EntryBuffer{};
    int32_t EntryCount = 0;
    LogError LastError = LogError::None;
};

// The program's one log.
extern LogStore Log;

bool IsLogOpen(const LogStore& log);
// Opens for reading and writing without sharing, creating an empty file when
// none exists; falls back to reading only. Sets EntryCount from the length.
bool OpenLog(LogStore& log, const std::string& path);
void CloseLog(LogStore& log);
// Reads record n (1..EntryCount) into EntryBuffer; on failure the buffer keeps its content.
bool ReadEntry(LogStore& log, int32_t n);
// Reads up to `wanted` records from record `first` on into `out`; `*got` tells how many.
bool ReadEntries(LogStore& log, int32_t first, int32_t wanted, LogEntry* out, int32_t* got);
// Writes EntryBuffer as record n (1..EntryCount).
bool WriteEntry(LogStore& log, int32_t n);
bool FlushLog(LogStore& log);
// Writes EntryBuffer as record EntryCount + 1 and flushes it. Only when both
// succeed is EntryCount raised; otherwise the file is put back to its old length.
bool AppendEntry(LogStore& log);
// Removes record k: later records move down one place in ascending order, the
// file is cut one record shorter. Removing the only record deletes the file and
// opens it anew, empty. After a failure EntryCount follows the file's real length.
bool RemoveEntry(LogStore& log, int32_t k);
// Sets EntryCount from the file's length (0 when no log is open); LastError is left as it is.
void RecountEntries(LogStore& log);

const char* DescribeLogError(LogError error);
