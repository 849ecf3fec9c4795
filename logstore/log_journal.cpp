#include "logstore/log_journal.h"

#include <algorithm>
#include <cstring>

namespace {

uint64_t HeaderCheck(const JournalHeader& header) { return RecordCheck(&header, offsetof(JournalHeader, Check)); }

int64_t SlotOffset(const JournalHeader& header, uint32_t slot) {
    return 2 * kJournalSector + static_cast<int64_t>(slot) * SlotBytes(header.SlotRecords);
}

bool IsIntact(const JournalHeader& header) {
    return std::memcmp(header.Magic, kJournalMagic, sizeof kJournalMagic) == 0 && header.Check == HeaderCheck(header);
}

bool ReadCopy(Journal& journal, int copy, JournalHeader* header) {
    size_t got = 0;
    return FileReadAt(journal.File, copy * kJournalSector, header, sizeof *header, &got) && got == sizeof *header &&
           IsIntact(*header);
}

bool FlushJournalFolder(const Journal& journal) { return FolderFlush(FolderOfPath(journal.Path).c_str()); }

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

uint64_t RegionCheckOf(const void* bytes, size_t size) {
    const unsigned char* in = static_cast<const unsigned char*>(bytes);
    uint64_t lanes[4] = {14695981039346656037ull ^ size, 0x9E3779B97F4A7C15ull, 0xC2B2AE3D27D4EB4Full,
                         0x165667B19E3779F9ull};
    size_t i = 0;
    for (; i + 32 <= size; i += 32) {
        for (int lane = 0; lane < 4; ++lane) {
            uint64_t word;
            std::memcpy(&word, in + i + 8 * lane, 8);
            lanes[lane] = (lanes[lane] ^ word) * 1099511628211ull;
            lanes[lane] ^= lanes[lane] >> 29;
        }
    }
    uint64_t hash = lanes[0];
    for (int lane = 1; lane < 4; ++lane) hash = (hash ^ lanes[lane]) * 1099511628211ull ^ (hash >> 31);
    return hash ^ RecordCheck(in + i, size - i);
}

std::vector<uint64_t> PieceChecks(const char* bytes, size_t size, int64_t length) {
    std::vector<uint64_t> checks;
    std::string padded;
    for (int64_t at = 0; at < length; at += kProofPiece) {
        size_t piece = static_cast<size_t>(std::min(kProofPiece, length - at));
        if (static_cast<size_t>(at) + piece <= size) {
            checks.push_back(RegionCheckOf(bytes + at, piece));
            continue;
        }
        padded.assign(piece, '\0');
        if (static_cast<size_t>(at) < size) padded.replace(0, size - static_cast<size_t>(at), bytes + at, size - at);
        checks.push_back(RegionCheckOf(padded.data(), piece));
    }
    return checks;
}

int64_t SlotBytes(int64_t slotRecords) {
    int64_t records = slotRecords * kEntrySize;
    return (records + kJournalSector - 1) / kJournalSector * kJournalSector + 2 * kJournalSector;
}

bool WriteJournalHeader(Journal& journal) {
    std::memcpy(journal.Header.Magic, kJournalMagic, sizeof kJournalMagic);
    journal.Header.Sequence += 1;
    journal.Header.Check = HeaderCheck(journal.Header);
    int64_t copy = static_cast<int64_t>(journal.Header.Sequence % 2);
    return FileWriteAt(journal.File, copy * kJournalSector, &journal.Header, sizeof journal.Header) &&
           FileFlush(journal.File);
}

namespace {

int64_t PieceCount(int64_t length) { return (length + kProofPiece - 1) / kProofPiece; }

int64_t PiecesOffset(const JournalHeader& header, uint32_t slot) {
    int64_t bytes = (PieceCount(SlotBytes(header.SlotRecords)) * 8 + kJournalSector - 1) / kJournalSector;
    return SlotOffset(header, 2) + static_cast<int64_t>(slot) * bytes * kJournalSector;
}

// The region's check value, with its before pieces when they are kept.
uint64_t SlotCheck(const std::string& region, const std::vector<uint64_t>& pieces) {
    if (pieces.empty()) return RecordCheck(region.data(), region.size());
    return RegionCheckOf(region.data(), region.size()) ^
           (RecordCheck(pieces.data(), pieces.size() * 8) * 0x9E3779B97F4A7C15ull);
}

bool PutRegion(Journal& journal, uint32_t slot, int64_t regionAt, const std::string& region) {
    if (static_cast<int64_t>(region.size()) > SlotBytes(journal.Header.SlotRecords)) return false;
    if (!FileWriteAt(journal.File, SlotOffset(journal.Header, slot), region.data(), region.size())) return false;
    const std::vector<uint64_t>& pieces = journal.BeforePieces;
    bool kept = !pieces.empty() && static_cast<int64_t>(pieces.size()) == PieceCount(region.size());
    if (kept && !FileWriteAt(journal.File, PiecesOffset(journal.Header, slot), pieces.data(), pieces.size() * 8)) {
        return false;
    }
    journal.Header.Padding[1] = kept ? kBeforePiecesKept : '\0';
    journal.Header.Slot = slot;
    journal.Header.RegionAt = regionAt;
    journal.Header.RegionLength = static_cast<int64_t>(region.size());
    journal.Header.RegionCheck = SlotCheck(region, kept ? pieces : std::vector<uint64_t>());
    return true;
}

}  // namespace

bool StartJournal(Journal& journal, const std::string& logPath, const JournalHeader& header,
                  const std::string& region) {
    journal.Path = JournalPath(logPath);
    journal.Header = header;
    journal.Header.Sequence = 0;
    if (journal.Header.SlotRecords < 1) journal.Header.SlotRecords = 1;
    if (!FileOpen(journal.Path.c_str(), FileAccess::ReadWrite, &journal.File)) return false;
    if (FileTruncate(journal.File, 0) && PutRegion(journal, 0, header.RegionAt, region) &&
        WriteJournalHeader(journal) && FlushJournalFolder(journal)) {
        return true;
    }
    CloseJournal(journal);
    FileDelete(journal.Path.c_str());
    return false;
}

bool OpenJournal(Journal& journal, const std::string& logPath, bool* valid) {
    journal.Path = JournalPath(logPath);
    *valid = false;
    if (!FileExists(journal.Path.c_str())) return false;
    if (!FileOpen(journal.Path.c_str(), FileAccess::ReadWrite, &journal.File) &&
        !FileOpen(journal.Path.c_str(), FileAccess::ReadOnly, &journal.File)) {
        return false;
    }
    JournalHeader copies[2]{};
    bool intact[2] = {ReadCopy(journal, 0, &copies[0]), ReadCopy(journal, 1, &copies[1])};
    if (!intact[0] && !intact[1]) return true;
    int newer = !intact[0] || (intact[1] && copies[1].Sequence > copies[0].Sequence) ? 1 : 0;
    journal.Header = copies[newer];
    *valid = journal.Header.BlockRecords >= 0 && journal.Header.Slot <= 1 && journal.Header.SlotRecords >= 1 &&
             journal.Header.RegionLength >= 0 && journal.Header.RegionAt >= 0 &&
             journal.Header.RegionLength <= SlotBytes(journal.Header.SlotRecords);
    return true;
}

bool NoteRegion(Journal& journal, int64_t nextSource, int64_t blockRecords, int64_t regionAt, const std::string& region,
                uint64_t beforeCheck) {
    // The other slot: the one the header names may hold the region before, which
    // must stay whole until this header is on the disk.
    uint32_t slot = journal.Header.RegionLength > 0 ? 1 - journal.Header.Slot : journal.Header.Slot;
    if (!PutRegion(journal, slot, regionAt, region)) return false;
    journal.Header.NextSource = nextSource;
    journal.Header.BlockRecords = blockRecords;
    journal.Header.BeforeCheck = beforeCheck;
    return WriteJournalHeader(journal);
}

bool NoteAppendEnd(Journal& journal, int64_t end) {
    journal.Header.NextSource = end;
    return WriteJournalHeader(journal);
}

bool ReadRegion(Journal& journal, std::string* region, bool* valid, std::vector<uint64_t>* pieces) {
    const JournalHeader& header = journal.Header;
    region->assign(static_cast<size_t>(header.RegionLength), '\0');
    size_t got = 0;
    if (!FileReadAt(journal.File, SlotOffset(header, header.Slot), &(*region)[0], region->size(), &got)) return false;
    std::vector<uint64_t> before;
    bool whole = got == region->size();
    if (header.Padding[1] == kBeforePiecesKept) {
        before.resize(static_cast<size_t>(PieceCount(header.RegionLength)));
        size_t size = before.size() * 8, gotPieces = 0;
        if (!FileReadAt(journal.File, PiecesOffset(header, header.Slot), before.data(), size, &gotPieces)) return false;
        whole = whole && gotPieces == size;
    }
    *valid = whole && SlotCheck(*region, before) == header.RegionCheck;
    if (pieces) *pieces = before;
    return true;
}

void CloseJournal(Journal& journal) { FileClose(&journal.File); }

void EndJournal(Journal& journal) {
    CloseJournal(journal);
    if (FileDelete(journal.Path.c_str())) {
        FlushJournalFolder(journal);
        return;
    }
    if (!FileOpen(journal.Path.c_str(), FileAccess::ReadWrite, &journal.File)) return;
    journal.Header.Kind = static_cast<uint32_t>(JournalKind::Finished);
    WriteJournalHeader(journal);
    CloseJournal(journal);
}

bool SetJournalAside(Journal& journal, std::string* kept) {
    CloseJournal(journal);
    for (int n = 1; n < 1000; ++n) {
        std::string name = journal.Path + "." + std::to_string(n);
        if (FileExists(name.c_str())) continue;
        if (!FileReplace(journal.Path.c_str(), name.c_str())) return false;  // a rename, its folder flushed
        *kept = name;
        return true;
    }
    return false;
}
