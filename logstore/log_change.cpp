#include "logstore/log_change.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "logstore/log_journal.h"

namespace {

// A slot larger than this is not one this program wrote.
constexpr int64_t kMaxSlotRecords = int64_t{1} << 24;

bool ReadBytesAt(LogStore& log, int64_t at, int64_t size, std::string* out) {
    out->assign(static_cast<size_t>(size), '\0');
    size_t got = 0;
    return size == 0 || (FileReadAt(log.LogFile, at, &(*out)[0], out->size(), &got) && got == out->size());
}

bool ReadRecords(LogStore& log, int64_t first, int64_t n, LogEntry* out) {
    size_t bytes = static_cast<size_t>(n) * kEntrySize;
    size_t got = 0;
    return FileReadAt(log.LogFile, RecordOffset(first), out, bytes, &got) && got == bytes;
}

int64_t SectorFloor(int64_t at) { return at / kJournalSector * kJournalSector; }

// The sector-aligned stretch of the log around `size` bytes at `at` as it will
// be once they are written there; it ends at the log's end or the write's end.
// `*beforeCheck` is the check value of the region's bytes as they are now.
bool RegionAfter(LogStore& log, int64_t at, const void* bytes, size_t size, int64_t* regionAt, std::string* region,
                 uint64_t* beforeCheck, std::vector<uint64_t>* beforePieces) {
    int64_t length = 0;
    if (!FileSize(log.LogFile, &length)) return false;
    int64_t end = at + static_cast<int64_t>(size);
    *regionAt = SectorFloor(at);
    int64_t regionEnd = std::max(end, std::min(length, SectorFloor(end + kJournalSector - 1)));
    if (!ReadBytesAt(log, *regionAt, std::min(length, regionEnd) - *regionAt, region)) return false;
    *beforePieces = PieceChecks(region->data(), region->size(), regionEnd - *regionAt);
    *beforeCheck = RecordCheck(beforePieces->data(), beforePieces->size() * 8);
    region->resize(static_cast<size_t>(regionEnd - *regionAt), '\0');
    region->replace(static_cast<size_t>(at - *regionAt), size, static_cast<const char*>(bytes), size);
    return true;
}

// The check value of the untouched bytes just before `regionAt`.
bool UntouchedCheck(LogStore& log, int64_t regionAt, uint64_t* check) {
    int64_t from = std::max<int64_t>(0, regionAt - kUntouchedBytes);
    std::string bytes;
    if (!ReadBytesAt(log, from, regionAt - from, &bytes)) return false;
    *check = RecordCheck(bytes.data(), bytes.size());
    return true;
}

bool WriteRegion(LogStore& log, int64_t regionAt, const std::string& region) {
    if (!FileWriteAt(log.LogFile, regionAt, region.data(), region.size())) return FailWith(log, LogError::WriteFailed);
    if (!FileFlush(log.LogFile)) return FailWith(log, LogError::FlushFailed);
    return true;
}

// The region a move of records from..from+n-1 down by one place writes, as it
// will be: the stretch from the region's start to the end of the block's source
// is read once and its records shifted down in memory. `*beforeCheck` is the
// check value of the region's bytes as they are now.
bool MovedRegion(LogStore& log, int64_t from, int64_t n, int64_t* regionAt, std::string* region, uint64_t* beforeCheck,
                 std::vector<uint64_t>* beforePieces) {
    int64_t length = 0;
    if (!FileSize(log.LogFile, &length)) return false;
    int64_t at = RecordOffset(from - 1), size = n * kEntrySize;
    *regionAt = SectorFloor(at);
    int64_t regionEnd = std::max(at + size, std::min(length, SectorFloor(at + size + kJournalSector - 1)));
    int64_t readEnd = std::min(length, std::max(regionEnd, at + size + kEntrySize));
    if (readEnd < at + size + kEntrySize) return false;
    // Resized, not assigned: the block's buffer is reused without clearing it first.
    region->resize(static_cast<size_t>(readEnd - *regionAt));
    size_t got = 0;
    if (!FileReadAt(log.LogFile, *regionAt, &(*region)[0], region->size(), &got) || got != region->size()) return false;
    size_t destination = static_cast<size_t>(at - *regionAt);
    *beforePieces = PieceChecks(region->data(), static_cast<size_t>(std::min(length, regionEnd) - *regionAt),
                                regionEnd - *regionAt);
    *beforeCheck = RecordCheck(beforePieces->data(), beforePieces->size() * 8);
    std::memmove(&(*region)[destination], region->data() + destination + kEntrySize, static_cast<size_t>(size));
    region->resize(static_cast<size_t>(regionEnd - *regionAt));
    return true;
}

// Moves records from..count down by one place, a block at a time: the block's
// region goes to the flushed journal, then to the log, which is flushed before
// the next block is named.
bool MoveBlocks(LogStore& log, Journal& journal, int64_t from, int64_t count) {
    int64_t blockRecords = journal.Header.SlotRecords;
    std::string region;
    int64_t regionAt = 0;
    uint64_t beforeCheck = 0;
    const int64_t first = journal.Header.Count + 1, total = count - journal.Header.Count;
    while (from <= count) {
        int64_t n = std::min(blockRecords, count - from + 1);
        if (!MovedRegion(log, from, n, &regionAt, &region, &beforeCheck, &journal.BeforePieces)) {
            return FailWith(log, LogError::ReadFailed);
        }
        if (!NoteRegion(journal, from, n, regionAt, region, beforeCheck)) return FailWith(log, LogError::JournalFailed);
        if (!WriteRegion(log, regionAt, region)) return false;
        size_t last = static_cast<size_t>(RecordOffset(from + n - 2) - regionAt);
        std::memcpy(&log.EntryBuffer, region.data() + last, kEntrySize);
        from += n;
        if (log.Progress) log.Progress(from - first, total);
    }
    return true;
}

// True when the log's bytes of the region are still those before it was written.
// The log's bytes of the region as they are now (fewer where the log is shorter).
bool LogRegion(LogStore& log, const JournalHeader& header, std::string* bytes) {
    int64_t length = 0;
    if (!FileSize(log.LogFile, &length)) return false;
    int64_t end = std::max(header.RegionAt, std::min(length, header.RegionAt + header.RegionLength));
    return ReadBytesAt(log, header.RegionAt, end - header.RegionAt, bytes);
}

bool RegionUntouched(LogStore& log, const JournalHeader& header) {
    std::string bytes;
    if (!LogRegion(log, header, &bytes)) return false;
    if (header.Padding[1] != kBeforePiecesKept) return RecordCheck(bytes.data(), bytes.size()) == header.BeforeCheck;
    std::vector<uint64_t> pieces = PieceChecks(bytes.data(), bytes.size(), header.RegionLength);
    return RecordCheck(pieces.data(), pieces.size() * 8) == header.BeforeCheck;
}

// Every piece of the log's region is as it was before or as the region makes
// it, but for at most one: the one sector a power cut may have torn. A log
// that differs more is not the one the journal was written for.
bool RegionIsBeforeOrAfter(LogStore& log, const JournalHeader& header, const std::string& region,
                           const std::vector<uint64_t>& before) {
    std::string bytes;
    if (!LogRegion(log, header, &bytes)) return false;
    bytes.resize(region.size(), '\0');  // past the log's end: zeros
    int neither = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        size_t at = i * kProofPiece, size = std::min<size_t>(kProofPiece, region.size() - at);
        if (bytes.compare(at, size, region, at, size) == 0) continue;
        if (RegionCheckOf(bytes.data() + at, size) != before[i]) ++neither;
    }
    return neither <= 1;
}

// The region the journal names is written again whole, whatever part of it
// reached the log. A region not whole in the journal was never begun, which
// the log's region, still as it was before, must confirm.
bool RedoRegion(LogStore& log, Journal& journal, bool* redone) {
    *redone = false;
    if (journal.Header.RegionLength == 0) return true;
    std::string region;
    std::vector<uint64_t> before;
    bool valid = false;
    if (!ReadRegion(journal, &region, &valid, &before)) return FailWith(log, LogError::JournalFailed);
    if (!valid) return RegionUntouched(log, journal.Header) || FailWith(log, LogError::JournalDamaged);
    if (!before.empty() && !RegionIsBeforeOrAfter(log, journal.Header, region, before)) {
        return FailWith(log, LogError::JournalDamaged);
    }
    *redone = true;
    return WriteRegion(log, journal.Header.RegionAt, region);
}

// Completes the moves named by the journal, cuts the file, drops the journal.
bool FinishRemoval(LogStore& log, Journal& journal) {
    int64_t count = journal.Header.LogLength / kEntrySize;
    bool redone = false;
    if (!RedoRegion(log, journal, &redone)) return false;
    int64_t from = journal.Header.NextSource + (redone ? journal.Header.BlockRecords : 0);
    if (!MoveBlocks(log, journal, from, count)) return false;
    if (!FileTruncate(log.LogFile, RecordOffset(count))) return FailWith(log, LogError::TruncateFailed);
    if (!FileFlush(log.LogFile)) return FailWith(log, LogError::FlushFailed);
    EndJournal(journal);
    return true;
}

// The log back at its old length, its old last sector written again.
bool PutBackAppend(LogStore& log, Journal& journal) {
    std::string region;
    bool valid = false;
    if (!ReadRegion(journal, &region, &valid) || !valid) return false;
    return FileTruncate(log.LogFile, journal.Header.LogLength) &&
           FileWriteAt(log.LogFile, journal.Header.RegionAt, region.data(), region.size()) && FileFlush(log.LogFile);
}

// The smallest sector in use: a torn write damages at least this much.
constexpr int64_t kSmallestSector = 512;

// The last record may differ only because the region in flight tore a sector
// of it, and the journal's copy of the region holds it whole. A torn sector
// that also holds moved bytes differs there too, where a record appended by
// another program leaves them as the region has them; a torn sector holding
// nothing but the record is taken as torn when it is the only one that differs.
bool LastRecordTorn(LogStore& log, Journal& journal, int64_t lastAt) {
    const JournalHeader& header = journal.Header;
    int64_t end = lastAt + kEntrySize, regionEnd = header.RegionAt + header.RegionLength;
    std::string region;
    bool valid = false;
    if (header.RegionAt > lastAt || regionEnd < end || !ReadRegion(journal, &region, &valid) || !valid) return false;
    auto differs = [&](int64_t a, int64_t b) {
        std::string bytes;
        if (a >= b) return false;
        return !ReadBytesAt(log, a, b - a, &bytes) ||
               region.compare(static_cast<size_t>(a - header.RegionAt), bytes.size(), bytes) != 0;
    };
    int differing = 0;
    for (int64_t sector = lastAt / kSmallestSector * kSmallestSector; sector < end; sector += kSmallestSector) {
        int64_t a = std::max(sector, header.RegionAt), b = std::min(sector + kSmallestSector, regionEnd);
        if (differs(a, lastAt) || differs(end, b)) return true;  // moved bytes beside the record differ: torn
        bool besideMovedBytes = a < lastAt || b > end;
        if (differs(std::max(a, lastAt), std::min(b, end))) differing += besideMovedBytes ? 2 : 1;
    }
    return differing == 1;
}

// An import's log is at most as long as the end of the write in flight, which
// the journal notes before the write; a journal that notes no end (an older
// program's) allows any length up to the new one. A longer log means records
// were added since by another program.
bool IsAppendLength(const Journal& journal, int64_t length) {
    return journal.Header.Padding[0] != kAppendEndsNoted || length <= journal.Header.NextSource;
}

// The length is one the change passes through, and the untouched bytes before
// its first region, and for a removal the last record, are still the journal's.
bool BelongsToLog(LogStore& log, Journal& journal, int64_t length) {
    const JournalHeader& header = journal.Header;
    int64_t count = header.LogLength / kEntrySize;
    int64_t firstRegion = SectorFloor(RecordOffset(header.Count - 1));
    bool lengthFits = false;
    switch (static_cast<JournalKind>(header.Kind)) {
        case JournalKind::Removal:
            lengthFits = header.Count >= 1 && header.Count < count && header.SlotRecords <= kMaxSlotRecords &&
                         (length == header.LogLength || length == header.NewLength);
            break;
        case JournalKind::Append:
            firstRegion = SectorFloor(header.LogLength);
            lengthFits = header.Count >= 1 && length >= header.LogLength && length <= header.NewLength &&
                         IsAppendLength(journal, length);
            break;
        case JournalKind::Rewrite:
            firstRegion = header.RegionAt;
            lengthFits = length == header.LogLength || length == header.NewLength;
            break;
        default: break;
    }
    uint64_t untouched = 0;
    if (!lengthFits || firstRegion > length || !UntouchedCheck(log, firstRegion, &untouched)) return false;
    if (untouched != header.UntouchedCheck) return false;
    if (static_cast<JournalKind>(header.Kind) != JournalKind::Removal || length != header.LogLength) return true;
    // A removal never changes the last record before the cut.
    std::vector<LogEntry> last(1);
    if (ReadRecords(log, count, 1, last.data()) && RecordCheck(last.data(), kEntrySize) == header.LastRecordCheck) {
        return true;
    }
    return LastRecordTorn(log, journal, RecordOffset(count));
}

LogRecovery SetAside(LogStore& log, Journal& journal, LogRecovery found) {
    if (!SetJournalAside(journal, &log.RecoveryKept)) {
        log.RecoveryError = LogError::JournalFailed;
        return LogRecovery::NotFinished;
    }
    return found;
}

LogRecovery RecoverRemoval(LogStore& log, Journal& journal, int64_t length) {
    const JournalHeader& header = journal.Header;
    if (length == header.NewLength && length != header.LogLength) {
        EndJournal(journal);  // stopped after the cut: the deletion is complete
        return LogRecovery::RemovalFinished;
    }
    if (FinishRemoval(log, journal)) return LogRecovery::RemovalFinished;
    if (log.LastError == LogError::JournalDamaged) return SetAside(log, journal, LogRecovery::LeftAsItIs);
    log.RecoveryError = log.LastError;
    return LogRecovery::NotFinished;
}

LogRecovery RecoverAppend(LogStore& log, Journal& journal, int64_t length) {
    std::string region;
    bool valid = false;
    if (ReadRegion(journal, &region, &valid) && !valid && length == journal.Header.LogLength &&
        RegionUntouched(log, journal.Header)) {
        EndJournal(journal);  // the old last sector never reached the journal whole: the log was not touched
        return LogRecovery::None;
    }
    if (!PutBackAppend(log, journal)) {
        log.RecoveryError = LogError::WriteFailed;
        return LogRecovery::NotFinished;
    }
    EndJournal(journal);
    return LogRecovery::AppendUndone;
}

LogRecovery RecoverRewrite(LogStore& log, Journal& journal) {
    bool redone = false;
    if (!RedoRegion(log, journal, &redone)) {
        if (log.LastError == LogError::JournalDamaged) return SetAside(log, journal, LogRecovery::LeftAsItIs);
        log.RecoveryError = LogError::WriteFailed;
        return LogRecovery::NotFinished;
    }
    if (!redone) {
        EndJournal(journal);  // the region never reached the journal whole: the log was not touched
        return LogRecovery::None;
    }
    if (!FileTruncate(log.LogFile, journal.Header.NewLength) || !FileFlush(log.LogFile)) {
        log.RecoveryError = LogError::WriteFailed;
        return LogRecovery::NotFinished;
    }
    EndJournal(journal);
    return LogRecovery::RewriteFinished;
}

LogRecovery Recover(LogStore& log, Journal& journal, bool valid) {
    JournalKind kind = static_cast<JournalKind>(journal.Header.Kind);
    if (valid && kind == JournalKind::Finished) {
        EndJournal(journal);
        return LogRecovery::None;
    }
    log.RecoveredRemoval = kind == JournalKind::Removal;
    log.RecoveredRewrite = kind == JournalKind::Rewrite;
    log.RecoveredCount = journal.Header.Count;
    if (!log.Writable) {
        log.RecoveryError = LogError::ReadOnly;
        return LogRecovery::NotFinished;
    }
    // An unreadable journal was torn while it was first written, before the log was touched.
    if (!valid) return SetAside(log, journal, LogRecovery::Unreadable);
    int64_t length = 0;
    if (!FileSize(log.LogFile, &length)) {
        log.RecoveryError = LogError::ReadFailed;
        return LogRecovery::NotFinished;
    }
    if (!BelongsToLog(log, journal, length)) return SetAside(log, journal, LogRecovery::LeftAsItIs);
    if (kind == JournalKind::Removal) return RecoverRemoval(log, journal, length);
    if (kind == JournalKind::Append) return RecoverAppend(log, journal, length);
    return RecoverRewrite(log, journal);
}

bool RemoveOnlyEntry(LogStore& log) {
    std::string path = log.OpenPath;
    CloseLog(log);
    bool deleted = FileDelete(path.c_str()) && FolderFlush(FolderOfPath(path).c_str());
    if (!OpenLog(log, path)) return FailWith(log, LogError::ReopenFailed);
    if (!deleted) {
        // The file stayed; empty it instead so the entry is gone all the same.
        if (!log.Writable || !FileTruncate(log.LogFile, 0) || !FileFlush(log.LogFile)) {
            RecountEntries(log);
            return FailWith(log, LogError::DeleteFailed);
        }
        log.EntryCount = 0;
    }
    return true;
}

// The journal's proof of belonging: the untouched bytes before `regionAt`.
bool NoteUntouched(LogStore& log, int64_t regionAt, JournalHeader* header) {
    if (UntouchedCheck(log, regionAt, &header->UntouchedCheck)) return true;
    return FailWith(log, LogError::ReadFailed);
}

bool RemoveWithJournal(LogStore& log, int32_t k) {
    JournalHeader header{};
    header.Kind = static_cast<uint32_t>(JournalKind::Removal);
    if (!FileSize(log.LogFile, &header.LogLength)) return FailWith(log, LogError::ReadFailed);
    int64_t count = header.LogLength / kEntrySize;
    header.NewLength = RecordOffset(count);
    header.Count = k;
    header.NextSource = k + 1;
    header.SlotRecords = std::max<int64_t>(1, std::min<int64_t>(log.MoveBlockRecords, kMaxSlotRecords));
    std::vector<LogEntry> last(1);
    if (!ReadRecords(log, k, 1, reinterpret_cast<LogEntry*>(header.Saved)) ||
        !ReadRecords(log, count, 1, last.data()) || !NoteUntouched(log, SectorFloor(RecordOffset(k - 1)), &header)) {
        return FailWith(log, LogError::ReadFailed);
    }
    header.LastRecordCheck = RecordCheck(last.data(), kEntrySize);
    Journal journal;
    if (!StartJournal(journal, log.OpenPath, header)) return FailWith(log, LogError::JournalFailed);
    // On a failure the journal stays, so the next opening completes the removal.
    bool done = FinishRemoval(log, journal);
    CloseJournal(journal);
    return done;
}

// Without room for a journal (a full disk) the bytes are written in place and
// flushed, as one step a kill cannot split, so an edit still needs no room; on
// a failure the log keeps `oldLength`.
bool WriteInPlace(LogStore& log, int64_t at, const void* bytes, size_t size, int64_t oldLength) {
    LogError error = LogError::None;
    if (!FileWriteAt(log.LogFile, at, bytes, size)) {
        error = LogError::WriteFailed;
    } else if (!FileFlush(log.LogFile)) {
        error = LogError::FlushFailed;
    }
    if (error == LogError::None) return true;
    FileTruncate(log.LogFile, oldLength);
    return FailWith(log, error);
}

// Writes `size` bytes at `at` as one journaled step: the sector-aligned region
// goes to the flushed journal first, then to the log, and the log gets `newLength`.
bool RewriteJournaled(LogStore& log, int64_t count, int64_t at, const void* bytes, size_t size, int64_t newLength) {
    JournalHeader header{};
    header.Kind = static_cast<uint32_t>(JournalKind::Rewrite);
    header.Count = count;
    header.NewLength = newLength;
    header.SlotRecords = 1;
    std::string region;
    std::vector<uint64_t> pieces;
    if (!FileSize(log.LogFile, &header.LogLength) ||
        !RegionAfter(log, at, bytes, size, &header.RegionAt, &region, &header.BeforeCheck, &pieces) ||
        !NoteUntouched(log, header.RegionAt, &header)) {
        return FailWith(log, LogError::ReadFailed);
    }
    Journal journal;
    journal.BeforePieces = pieces;
    if (!StartJournal(journal, log.OpenPath, header, region))
        return WriteInPlace(log, at, bytes, size, header.LogLength);
    bool written = WriteRegion(log, header.RegionAt, region);
    if (written && !FileTruncate(log.LogFile, newLength)) written = FailWith(log, LogError::TruncateFailed);
    if (written && !FileFlush(log.LogFile)) written = FailWith(log, LogError::FlushFailed);
    if (written) {
        EndJournal(journal);
        return true;
    }
    // Leave the log as it was: its old length; the journal is dropped.
    FileTruncate(log.LogFile, header.LogLength);
    EndJournal(journal);
    return false;
}

void RecoverInterruptedChange(LogStore& log) {
    log.Recovery = LogRecovery::None;
    log.RecoveryError = LogError::None;
    log.RecoveryKept.clear();
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

bool AppendEntry(LogStore& log) {
    if (!IsLogOpen(log)) return FailWith(log, LogError::NotOpen);
    if (!log.Writable) return FailWith(log, LogError::ReadOnly);
    if (log.EntryCount == INT32_MAX) return FailWith(log, LogError::WriteFailed);
    int32_t n = log.EntryCount + 1;
    if (!RewriteJournaled(log, 0, RecordOffset(n), &log.EntryBuffer, kEntrySize, RecordOffset(n + 1))) return false;
    log.EntryCount = n;
    return true;
}

bool RewriteEntry(LogStore& log, int32_t n) {
    if (!IsLogOpen(log)) return FailWith(log, LogError::NotOpen);
    if (!log.Writable) return FailWith(log, LogError::ReadOnly);
    if (n < 1 || n > log.EntryCount) return FailWith(log, LogError::BadNumber);
    int64_t length = 0;
    if (!FileSize(log.LogFile, &length)) return FailWith(log, LogError::ReadFailed);
    return RewriteJournaled(log, n, RecordOffset(n), &log.EntryBuffer, kEntrySize, length);
}

namespace {

// An import's records are written this many bytes at a time: each write's end
// goes to the flushed journal first.
constexpr size_t kAppendWriteBytes = size_t{4} << 20;
constexpr size_t kAppendBlockRoom = size_t{1} << 20;  // more than the block of records a caller hands on at once

}  // namespace

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
    header.Padding[0] = kAppendEndsNoted;
    header.Count = total;
    header.SlotRecords = 1;
    int64_t start = RecordOffset(log.EntryCount + 1);
    std::string oldTail;
    if (!FileSize(log.LogFile, &header.LogLength) || header.LogLength < start ||
        header.LogLength - start >= kEntrySize) {
        return FailWith(log, LogError::ReadFailed);
    }
    header.NewLength = start + static_cast<int64_t>(total) * kEntrySize;
    header.NextSource = header.LogLength;  // nothing written yet
    header.RegionAt = SectorFloor(header.LogLength);
    if (!ReadBytesAt(log, header.RegionAt, header.LogLength - header.RegionAt, &oldTail) ||
        !NoteUntouched(log, header.RegionAt, &header)) {
        return FailWith(log, LogError::ReadFailed);
    }
    header.BeforeCheck = RecordCheck(oldTail.data(), oldTail.size());
    if (!StartJournal(run->JournalFile, log.OpenPath, header, oldTail)) return FailWith(log, LogError::JournalFailed);
    run->Total = total;
    run->Written = 0;
    run->Active = true;
    // Room for one write's records and the block that passes it, so gathering them moves no bytes.
    run->Pending.reserve(std::min(static_cast<size_t>(total) * kEntrySize, kAppendWriteBytes + kAppendBlockRoom));
    return true;
}

namespace {

// Writes the gathered records after those written before, their end noted first.
bool WritePending(LogStore& log, AppendRun* run) {
    if (run->Pending.empty()) return true;
    int64_t n = static_cast<int64_t>(run->Pending.size() / kEntrySize);
    int64_t at = RecordOffset(log.EntryCount + 1) + (run->Written - n) * kEntrySize;
    if (!NoteAppendEnd(run->JournalFile, at + static_cast<int64_t>(run->Pending.size()))) {
        AbandonAppendRun(log, run);
        return FailWith(log, LogError::JournalFailed);
    }
    if (!FileWriteAt(log.LogFile, at, run->Pending.data(), run->Pending.size())) {
        AbandonAppendRun(log, run);
        return FailWith(log, LogError::WriteFailed);
    }
    run->Pending.clear();
    return true;
}

}  // namespace

bool AppendRunRecords(LogStore& log, AppendRun* run, const LogEntry* entries, int32_t n) {
    if (!run->Active) return FailWith(log, LogError::NotOpen);
    if (n < 0 || n > run->Total - run->Written) {
        AbandonAppendRun(log, run);
        return FailWith(log, LogError::BadNumber);
    }
    run->Pending.append(reinterpret_cast<const char*>(entries), static_cast<size_t>(n) * kEntrySize);
    run->Written += n;
    return run->Pending.size() < kAppendWriteBytes || WritePending(log, run);
}

bool FinishAppendRun(LogStore& log, AppendRun* run) {
    if (!run->Active) return FailWith(log, LogError::NotOpen);
    if (!WritePending(log, run)) return false;
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
    run->Pending.clear();
    if (PutBackAppend(log, run->JournalFile)) {
        EndJournal(run->JournalFile);
    } else {
        CloseJournal(run->JournalFile);  // the next opening cuts the log back
    }
}
