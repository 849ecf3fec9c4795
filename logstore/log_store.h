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
    NotOpen,    // no log is open
    ReadOnly,   // the log could be opened only for reading
    BadNumber,  // the entry number is not in the log
    ReadFailed,
    WriteFailed,  // a write did not complete (for example a full disk)
    FlushFailed,  // the data could not be forced to disk
    TruncateFailed,
    DeleteFailed,
    ReopenFailed,
    JournalFailed,   // the journal that makes a change safe could not be written
    JournalDamaged,  // the journal names a region it does not hold whole, and the log was touched
    RegisterFailed,  // the report register beside the log could not note the change first
};

// What the opening of a log did about a change left unfinished by a killed run.
enum class LogRecovery {
    None,
    RemovalFinished,  // an interrupted deletion was completed
    AppendUndone,     // an interrupted addition of many entries was taken back
    RewriteFinished,  // an interrupted edit or Log On was written in full
    LeftAsItIs,       // the journal does not belong to the log as it is; kept aside, the log left as it is
    Unreadable,       // the journal was damaged; kept aside, the log left as it is
    NotFinished,      // the log could not be repaired now (RecoveryError says why)
};

// Records moved per block when entries shift down: about 7.5 MB.
constexpr int32_t kMoveBlockRecords = 65536;

struct LogStore {
    PlatformFile LogFile;
    bool Writable = false;
    std::string OpenPath;  // path the log was opened with
    LogEntry EntryBuffer{};
    int32_t EntryCount = 0;
    LogError LastError = LogError::None;
    int32_t MoveBlockRecords = kMoveBlockRecords;
    // Called after each block a deletion moves, with the records moved so far and
    // all it moves, so a window can show progress and answer meanwhile; null: none.
    void (*Progress)(int64_t done, int64_t total) = nullptr;
    // Set by OpenLog; the shell shows RecoveryMessage once (TakeRecoveryMessage).
    LogRecovery Recovery = LogRecovery::None;
    bool RecoveredRemoval = true;   // false: the interrupted change was an addition or a rewrite
    bool RecoveredRewrite = false;  // an edit (RecoveredCount the entry) or Log On (0)
    std::string RecoveryKept;       // the name a journal set aside was given
    int64_t RecoveredCount = 0;     // the entry deleted, or the entries being added
    LogError RecoveryError = LogError::None;
};

// The title of the message box that reports a recovery.

// The program's one log.
extern LogStore Log;

bool IsLogOpen(const LogStore& log);
// Sets LastError and returns false: every failing operation ends with it.
bool FailWith(LogStore& log, LogError error);
// Opens the file for reading and writing without sharing, creating an empty
// file when none exists; falls back to reading only. Clears EntryCount,
// LastError and Recovery and nothing more: OpenLog (log_change.h) opens a log
// for use.
bool OpenLogFile(LogStore& log, const std::string& path);
void CloseLog(LogStore& log);
// Reads record n (1..EntryCount) into EntryBuffer; on failure the buffer keeps its content.
bool ReadEntry(LogStore& log, int32_t n);
// Reads up to `wanted` records from record `first` on into `out`; `*got` tells how many.
bool ReadEntries(LogStore& log, int32_t first, int32_t wanted, LogEntry* out, int32_t* got);
// Writes EntryBuffer as record n (1..EntryCount), not journaled: RewriteEntry
// (log_change.h) is the edit that survives a power cut.
bool WriteEntry(LogStore& log, int32_t n);
bool FlushLog(LogStore& log);
// Sets EntryCount from the file's length (0 when no log is open); LastError is left as it is.
void RecountEntries(LogStore& log);

const char* DescribeLogError(LogError error);
// The text telling the listener what the opening did about an interrupted change.
std::string RecoveryMessage(const LogStore& log);
// The message once: true and the text when there is something to say, then forgets it.
bool TakeRecoveryMessage(LogStore& log, std::string* text);
