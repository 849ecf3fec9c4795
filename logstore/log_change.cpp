#include "logstore/log_change.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "logstore/log_journal.h"

namespace {

// A slot larger than this is not one this program wrote.
constexpr int64_t kMaxSlotRecords = int64_t{1} << 24;

bool ReadRecords(LogStore& log, int64_t first, int64_t n, LogEntry* out) {
    size_t bytes = static_cast<size_t>(n) * kEntrySize;
    size_t got = 0;
    return FileReadAt(log.LogFile, RecordOffset(first), out, bytes, &got) && got == bytes;
}

bool WriteRecords(LogStore& log, int64_t first, int64_t n, const LogEntry* in) {
    return FileWriteAt(log.LogFile, RecordOffset(first), in, static_cast<size_t>(n) * kEntrySize);
}

// Moves records from..count down by one place, a journaled block at a time:
// the block's check values are written before any of it, and the block before
// the next one is named. The log is flushed once, after the cut, before the
// journal goes.
bool MoveBlocks(LogStore& log, Journal& journal, int64_t from, int64_t count) {
    int64_t blockRecords = journal.Header.SlotRecords;
    std::vector<LogEntry> block;
    std::vector<uint64_t> checks;
    while (from <= count) {
        int64_t n = std::min(blockRecords, count - from + 1);
        block.resize(static_cast<size_t>(n));
        if (!ReadRecords(log, from, n, block.data())) return FailWith(log, LogError::ReadFailed);
        checks.resize(block.size());
        for (size_t i = 0; i < block.size(); ++i) checks[i] = RecordCheck(&block[i], kEntrySize);
        if (!NoteBlock(journal, from, checks)) return FailWith(log, LogError::JournalFailed);
        if (!WriteRecords(log, from - 1, n, block.data())) return FailWith(log, LogError::WriteFailed);
        log.EntryBuffer = block.back();
        from += n;
    }
    return true;
}

// The block named by the journal may be written in part. Each of its records
// is either already at its new place or still at its old one, one further on;
// the check values tell which. Writes the whole block and says where to go on.
bool CompleteBlockInFlight(LogStore& log, Journal& journal, int64_t* from) {
    const JournalHeader& header = journal.Header;
    *from = header.NextSource;
    if (header.BlockRecords == 0) return true;
    std::vector<uint64_t> checks;
    bool valid = false;
    if (!ReadBlockChecks(journal, &checks, &valid)) return FailWith(log, LogError::JournalFailed);
    if (!valid) return true;  // its check values never reached the disk: the block was not started
    int64_t n = header.BlockRecords;
    std::vector<LogEntry> places(static_cast<size_t>(n) + 1);
    if (!ReadRecords(log, header.NextSource - 1, n + 1, places.data())) return FailWith(log, LogError::ReadFailed);
    std::vector<LogEntry> block(static_cast<size_t>(n));
    for (size_t i = 0; i < block.size(); ++i) {
        if (RecordCheck(&places[i], kEntrySize) == checks[i]) {
            block[i] = places[i];
        } else if (RecordCheck(&places[i + 1], kEntrySize) == checks[i]) {
            block[i] = places[i + 1];
        } else {
            return FailWith(log, LogError::ReadFailed);  // neither place holds it: not a state a kill leaves
        }
    }
    if (!WriteRecords(log, header.NextSource - 1, n, block.data())) return FailWith(log, LogError::WriteFailed);
    if (!FileFlush(log.LogFile)) return FailWith(log, LogError::FlushFailed);
    *from = header.NextSource + n;
    return true;
}

// Completes the moves named by the journal, cuts the file, drops the journal.
bool FinishRemoval(LogStore& log, Journal& journal) {
    int64_t count = journal.Header.LogLength / kEntrySize;
    int64_t from = 0;
    if (!CompleteBlockInFlight(log, journal, &from) || !MoveBlocks(log, journal, from, count)) return false;
    if (!FileTruncate(log.LogFile, RecordOffset(count))) return FailWith(log, LogError::TruncateFailed);
    if (!FileFlush(log.LogFile)) return FailWith(log, LogError::FlushFailed);
    EndJournal(journal);
    return true;
}

// The log back at its old length, with its old partial record if it had one.
bool PutBackAppend(LogStore& log, const JournalHeader& header) {
    int64_t start = header.LogLength - header.LogLength % kEntrySize;
    size_t tail = static_cast<size_t>(header.LogLength - start);
    return FileTruncate(log.LogFile, start) && (tail == 0 || FileWriteAt(log.LogFile, start, header.Saved, tail)) &&
           FileFlush(log.LogFile);
}

bool RemovalIsPlausible(const JournalHeader& header) {
    int64_t count = header.LogLength / kEntrySize;
    return header.Count >= 1 && header.Count < count && header.NextSource > header.Count &&
           header.NextSource + header.BlockRecords <= count + 1 && header.SlotRecords > 0 &&
           header.SlotRecords <= kMaxSlotRecords;
}

LogRecovery RecoverRemoval(LogStore& log, Journal& journal, int64_t length) {
    const JournalHeader& header = journal.Header;
    int64_t count = header.LogLength / kEntrySize;
    if (length == header.LogLength && RemovalIsPlausible(header)) {
        if (FinishRemoval(log, journal)) return LogRecovery::RemovalFinished;
        log.RecoveryError = log.LastError;
        return LogRecovery::NotFinished;
    }
    bool movesDone = header.NextSource + header.BlockRecords > count;
    if (length == RecordOffset(count) && movesDone) {
        EndJournal(journal);  // killed after the cut: the deletion is complete
        return LogRecovery::RemovalFinished;
    }
    EndJournal(journal);
    return LogRecovery::LeftAsItIs;
}

LogRecovery RecoverAppend(LogStore& log, Journal& journal, int64_t length) {
    const JournalHeader& header = journal.Header;
    int64_t start = header.LogLength - header.LogLength % kEntrySize;
    int64_t end = std::max(header.LogLength, start + header.Count * kEntrySize);
    if (header.Count < 1 || length < start || length > end) {
        EndJournal(journal);
        return LogRecovery::LeftAsItIs;
    }
    if (!PutBackAppend(log, header)) {
        log.RecoveryError = LogError::WriteFailed;
        return LogRecovery::NotFinished;
    }
    EndJournal(journal);
    return LogRecovery::AppendUndone;
}

LogRecovery Recover(LogStore& log, Journal& journal, bool valid) {
    if (!valid) {
        EndJournal(journal);
        return LogRecovery::Unreadable;
    }
    JournalKind kind = static_cast<JournalKind>(journal.Header.Kind);
    if (kind == JournalKind::Finished) {
        EndJournal(journal);
        return LogRecovery::None;
    }
    log.RecoveredRemoval = kind == JournalKind::Removal;
    log.RecoveredCount = journal.Header.Count;
    if (!log.Writable) {
        log.RecoveryError = LogError::ReadOnly;
        return LogRecovery::NotFinished;
    }
    int64_t length = 0;
    if (!FileSize(log.LogFile, &length)) {
        log.RecoveryError = LogError::ReadFailed;
        return LogRecovery::NotFinished;
    }
    if (kind == JournalKind::Removal) return RecoverRemoval(log, journal, length);
    if (kind == JournalKind::Append) return RecoverAppend(log, journal, length);
    EndJournal(journal);
    return LogRecovery::Unreadable;
}

bool RemoveOnlyEntry(LogStore& log) {
    std::string path = log.OpenPath;
    CloseLog(log);
    bool deleted = FileDelete(path.c_str());
    if (!OpenLog(log, path)) return FailWith(log, LogError::ReopenFailed);
    if (!deleted) {
        // The file stayed; empty it instead so the entry is gone all the same.
        if (!log.Writable || !FileTruncate(log.LogFile, 0)) {
            RecountEntries(log);
            return FailWith(log, LogError::DeleteFailed);
        }
        log.EntryCount = 0;
    }
    return true;
}

bool RemoveWithJournal(LogStore& log, int32_t k) {
    int64_t length = 0;
    if (!FileSize(log.LogFile, &length)) return FailWith(log, LogError::ReadFailed);
    JournalHeader header{};
    header.Kind = static_cast<uint32_t>(JournalKind::Removal);
    header.LogLength = length;
    header.Count = k;
    header.NextSource = k + 1;
    header.SlotRecords = std::max<int64_t>(1, std::min<int64_t>(log.MoveBlockRecords, kMaxSlotRecords));
    if (!ReadRecords(log, k, 1, reinterpret_cast<LogEntry*>(header.Saved))) return FailWith(log, LogError::ReadFailed);
    Journal journal;
    if (!StartJournal(journal, log.OpenPath, header)) return FailWith(log, LogError::JournalFailed);
    // On a failure the journal stays, so the next opening completes the removal.
    bool done = FinishRemoval(log, journal);
    CloseJournal(journal);
    return done;
}

void RecoverInterruptedChange(LogStore& log) {
    log.Recovery = LogRecovery::None;
    log.RecoveryError = LogError::None;
    if (!FileExists(JournalPath(log.OpenPath).c_str())) return;
    Journal journal;
    bool valid = false;
    if (!OpenJournal(journal, log.OpenPath, &valid)) {
        log.RecoveryError = LogError::JournalFailed;
        log.Recovery = LogRecovery::NotFinished;
        return;
    }
    log.Recovery = Recover(log, journal, valid);
    CloseJournal(journal);
}

}  // namespace

bool OpenLog(LogStore& log, const std::string& path) {
    if (!OpenLogFile(log, path)) return false;
    RecoverInterruptedChange(log);
    RecountEntries(log);
    return true;
}

bool RemoveEntry(LogStore& log, int32_t k) {
    if (!IsLogOpen(log)) return FailWith(log, LogError::NotOpen);
    if (!log.Writable) return FailWith(log, LogError::ReadOnly);
    if (k < 1 || k > log.EntryCount) return FailWith(log, LogError::BadNumber);
    if (log.EntryCount == 1) return RemoveOnlyEntry(log);
    if (k < log.EntryCount) {
        bool removed = RemoveWithJournal(log, k);
        RecountEntries(log);
        return removed;
    }
    ReadEntry(log, k - 1);
    if (!FileTruncate(log.LogFile, RecordOffset(log.EntryCount))) {
        RecountEntries(log);
        return FailWith(log, LogError::TruncateFailed);
    }
    log.EntryCount -= 1;
    if (!FileFlush(log.LogFile)) return FailWith(log, LogError::FlushFailed);
    return true;
}

bool AppendEntries(LogStore& log, const LogEntry* entries, int32_t n) {
    if (!IsLogOpen(log)) return FailWith(log, LogError::NotOpen);
    if (!log.Writable) return FailWith(log, LogError::ReadOnly);
    if (n < 0) return FailWith(log, LogError::BadNumber);
    if (n == 0) return true;
    AppendRun run;
    return BeginAppendRun(log, n, &run) && AppendRunRecords(log, &run, entries, n) && FinishAppendRun(log, &run);
}

bool BeginAppendRun(LogStore& log, int32_t total, AppendRun* run) {
    run->Active = false;
    if (!IsLogOpen(log)) return FailWith(log, LogError::NotOpen);
    if (!log.Writable) return FailWith(log, LogError::ReadOnly);
    if (total < 1) return FailWith(log, LogError::BadNumber);
    if (log.EntryCount > INT32_MAX - total) return FailWith(log, LogError::WriteFailed);
    JournalHeader header{};
    header.Kind = static_cast<uint32_t>(JournalKind::Append);
    header.Count = total;
    int64_t start = RecordOffset(log.EntryCount + 1);
    size_t got = 0;
    if (!FileSize(log.LogFile, &header.LogLength) || header.LogLength < start ||
        header.LogLength - start >= kEntrySize ||
        !FileReadAt(log.LogFile, start, header.Saved, static_cast<size_t>(header.LogLength - start), &got)) {
        return FailWith(log, LogError::ReadFailed);
    }
    if (!StartJournal(run->JournalFile, log.OpenPath, header)) return FailWith(log, LogError::JournalFailed);
    run->Total = total;
    run->Written = 0;
    run->Active = true;
    return true;
}

bool AppendRunRecords(LogStore& log, AppendRun* run, const LogEntry* entries, int32_t n) {
    if (!run->Active) return FailWith(log, LogError::NotOpen);
    if (n < 0 || n > run->Total - run->Written) {
        AbandonAppendRun(log, run);
        return FailWith(log, LogError::BadNumber);
    }
    if (!WriteRecords(log, log.EntryCount + 1 + run->Written, n, entries)) {
        AbandonAppendRun(log, run);
        return FailWith(log, LogError::WriteFailed);
    }
    run->Written += n;
    return true;
}

bool FinishAppendRun(LogStore& log, AppendRun* run) {
    if (!run->Active) return FailWith(log, LogError::NotOpen);
    if (run->Written != run->Total) {
        AbandonAppendRun(log, run);
        return FailWith(log, LogError::BadNumber);
    }
    if (!FileFlush(log.LogFile)) {
        AbandonAppendRun(log, run);
        return FailWith(log, LogError::FlushFailed);
    }
    EndJournal(run->JournalFile);
    run->Active = false;
    log.EntryCount += run->Total;
    return true;
}

void AbandonAppendRun(LogStore& log, AppendRun* run) {
    if (!run->Active) return;
    run->Active = false;
    if (PutBackAppend(log, run->JournalFile.Header)) {
        EndJournal(run->JournalFile);
    } else {
        CloseJournal(run->JournalFile);  // the next opening cuts the log back
    }
}
