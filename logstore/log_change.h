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

// Writes `n` records after the last one as one change: flushed once at the end,
// and on any failure the log is put back to its old length (and its old partial
// record, if it had one). A killed run is taken back at the next opening.
bool AppendEntries(LogStore& log, const LogEntry* entries, int32_t n);

// The same change made in pieces, for records that arrive a block at a time:
// BeginAppendRun notes the old length and the number of records to come in the
// journal; AppendRunRecords writes the next of them; FinishAppendRun flushes
// once, raises EntryCount and drops the journal when exactly `total` were
// written. Any failure, or AbandonAppendRun, puts the log back as it was.
struct AppendRun {
    Journal JournalFile;
    int32_t Total = 0;
    int32_t Written = 0;
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
