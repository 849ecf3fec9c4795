#include "logstore/log_journal.h"

#include <cstring>

namespace {

uint64_t HeaderCheck(const JournalHeader& header) { return RecordCheck(&header, offsetof(JournalHeader, Check)); }

int64_t SlotOffset(const JournalHeader& header, uint32_t slot) {
    return kJournalChecksAt + static_cast<int64_t>(slot) * header.SlotRecords * static_cast<int64_t>(sizeof(uint64_t));
}

}  // namespace

std::string JournalPath(const std::string& logPath) { return logPath + ".DLJ"; }

uint64_t RecordCheck(const void* bytes, size_t size) {
    // FNV-1a taken eight bytes at a time: it only has to tell records apart,
    // and it runs over every record a removal moves.
    const unsigned char* in = static_cast<const unsigned char*>(bytes);
    uint64_t hash = 14695981039346656037ull ^ size;
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t word;
        std::memcpy(&word, in + i, 8);
        hash = (hash ^ word) * 1099511628211ull;
        hash ^= hash >> 29;
    }
    for (; i < size; ++i) hash = (hash ^ in[i]) * 1099511628211ull;
    return hash;
}

namespace {

bool PutHeader(Journal& journal) {
    std::memcpy(journal.Header.Magic, kJournalMagic, sizeof kJournalMagic);
    journal.Header.Check = HeaderCheck(journal.Header);
    return FileWriteAt(journal.File, 0, &journal.Header, sizeof journal.Header);
}

}  // namespace

bool WriteJournalHeader(Journal& journal) { return PutHeader(journal) && FileFlush(journal.File); }

bool StartJournal(Journal& journal, const std::string& logPath, const JournalHeader& header) {
    journal.Path = JournalPath(logPath);
    journal.Header = header;
    if (!FileOpen(journal.Path.c_str(), FileAccess::ReadWrite, &journal.File)) return false;
    if (FileTruncate(journal.File, 0) && WriteJournalHeader(journal)) return true;
    CloseJournal(journal);
    FileDelete(journal.Path.c_str());
    return false;
}

bool OpenJournal(Journal& journal, const std::string& logPath, bool* valid) {
    journal.Path = JournalPath(logPath);
    *valid = false;
    if (!FileExists(journal.Path.c_str())) return false;
    if (!FileOpen(journal.Path.c_str(), FileAccess::ReadWrite, &journal.File)) return false;
    size_t got = 0;
    *valid = FileReadAt(journal.File, 0, &journal.Header, sizeof journal.Header, &got) &&
             got == sizeof journal.Header &&
             std::memcmp(journal.Header.Magic, kJournalMagic, sizeof kJournalMagic) == 0 &&
             journal.Header.Check == HeaderCheck(journal.Header) && journal.Header.BlockRecords >= 0;
    return true;
}

bool NoteBlock(Journal& journal, int64_t nextSource, const std::vector<uint64_t>& checks) {
    if (static_cast<int64_t>(checks.size()) > journal.Header.SlotRecords) return false;
    // The other slot: the one the header names may belong to a block already written.
    uint32_t slot = journal.Header.BlockRecords > 0 ? 1 - journal.Header.Slot : journal.Header.Slot;
    size_t bytes = checks.size() * sizeof(uint64_t);
    if (!FileWriteAt(journal.File, SlotOffset(journal.Header, slot), checks.data(), bytes)) return false;
    // Written in this order and not flushed: a killed process cannot reorder
    // its writes, and a flush per block would double the cost of a removal.
    // Should the header ever be found without its check values, ChecksCheck
    // fails and shows that the block was never started.
    journal.Header.Slot = slot;
    journal.Header.NextSource = nextSource;
    journal.Header.BlockRecords = static_cast<int64_t>(checks.size());
    journal.Header.ChecksCheck = RecordCheck(checks.data(), bytes);
    return PutHeader(journal);
}

bool ReadBlockChecks(Journal& journal, std::vector<uint64_t>* checks, bool* valid) {
    const JournalHeader& header = journal.Header;
    *valid = false;
    if (header.BlockRecords > header.SlotRecords || header.Slot > 1) return true;
    checks->assign(static_cast<size_t>(header.BlockRecords), 0);
    size_t bytes = checks->size() * sizeof(uint64_t);
    size_t got = 0;
    if (!FileReadAt(journal.File, SlotOffset(header, header.Slot), checks->data(), bytes, &got)) return false;
    *valid = got == bytes && RecordCheck(checks->data(), bytes) == header.ChecksCheck;
    return true;
}

void CloseJournal(Journal& journal) { FileClose(&journal.File); }

void EndJournal(Journal& journal) {
    CloseJournal(journal);
    if (FileDelete(journal.Path.c_str())) return;
    if (!FileOpen(journal.Path.c_str(), FileAccess::ReadWrite, &journal.File)) return;
    journal.Header.Kind = static_cast<uint32_t>(JournalKind::Finished);
    WriteJournalHeader(journal);
    CloseJournal(journal);
}
