// The changes of the log that keep a journal beside it (log_journal.h), so that
// a killed run leaves nothing half done, and their recovery at the next opening:
// the opening of a log, the removal of an entry and the addition of many.
#pragma once
#include <cstdint>
#include <string>

#include "logstore/log_entry.h"
#include "logstore/log_journal.h"
#include "logstore/log_store.h"

// Opens the log with OpenLogFile. A change a killed run left unfinished (a
// journal beside the log) is finished or taken back first: see Recovery. Sets
// EntryCount from the length.
bool OpenLog(LogStore& log, const std::string& path);

// Writes EntryBuffer as record EntryCount + 1 and flushes it, journaled (the
// record's sectors reach the journal first), so a power cut leaves the log with
// the whole record or without it. Only when it succeeds is EntryCount raised;
// otherwise the file is put back to its old length.
bool AppendEntry(LogStore& log);
// Writes EntryBuffer as record n (1..EntryCount) and flushes it, journaled the
// same way: the next opening after a power cut finds the old record or the new
// one, never half of each. Both write in place, unjournaled, where the disk
// has no room for the journal.
bool RewriteEntry(LogStore& log, int32_t n);

// Writes `n` records after the last one as one change: flushed once at the end,
// and on any failure the log is put back to its old length (and its old partial
// record, if it had one). A killed run is taken back at the next opening.
bool AppendEntries(LogStore& log, const LogEntry* entries, int32_t n);

// The same change made in pieces, for records that arrive a block at a time:
// BeginAppendRun notes the old length and the number of records to come in the
// journal; AppendRunRecords gathers the next of them and writes them a few
// megabytes at a time, each write's end noted in the flushed journal first (so
// the next opening leaves alone a log another program has added to since);
// FinishAppendRun flushes once, raises EntryCount and drops the journal when
// exactly `total` were written. Any failure, or AbandonAppendRun, puts the log
// back as it was.
struct AppendRun {
    Journal JournalFile;
    std::string Pending;  // records gathered, not yet written
    int32_t Total = 0;
    int32_t Written = 0;  // records handed to AppendRunRecords (the last few may still be Pending)
    bool Active = false;  // begun and neither finished nor abandoned
};
bool BeginAppendRun(LogStore& log, int32_t total, AppendRun* run);
bool AppendRunRecords(LogStore& log, AppendRun* run, const LogEntry* entries, int32_t n);
bool FinishAppendRun(LogStore& log, AppendRun* run);
void AbandonAppendRun(LogStore& log, AppendRun* run);
// Removes record k: later records move down one place in ascending order, the
// file is cut one record shorter. Removing the only record deletes the file and
// opens it anew, empty. A removal that moves records keeps a journal, so after a
// kill the next opening completes it. After a failure EntryCount follows the
// file's real length.
bool RemoveEntry(LogStore& log, int32_t k);
