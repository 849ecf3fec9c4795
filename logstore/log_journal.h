// The change journal `<log file name>.DLJ` beside a log, which makes a change of
// the log one step across a kill or a power cut: written, flushed and its
// folder flushed before the log is touched, deleted (and the folder flushed)
// when the change is complete. Its name never matches *.ULM.
//
// The rule it keeps: no byte of the log is overwritten unless the journal,
// already on the disk, can put that whole stretch right again. The log is
// written a sector-aligned region at a time: the journal first holds the region
// as it is to become (a removal's moved block, an edit, Log On's record), the
// region is written and the log flushed, and only then may the next region be
// named. A torn or half-landed region is simply written again from the journal.
// An import notes the old length and the old last sector instead, so an
// interrupted import is cut back.
//
// The header is kept twice, in different sectors, and the newer intact copy
// counts, so a sector torn while the header is rewritten leaves the older one.
// Regions go to alternate slots, so the region the older header names is
// never overwritten before the newer header is on the disk.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "logstore/log_entry.h"
#include "platform/file.h"

enum class JournalKind : uint32_t {
    Finished = 0,  // the change is complete; the journal is only left over
    Removal = 1,
    Append = 2,   // an import: taken back
    Rewrite = 3,  // an edit or Log On: written again from the journal
};

struct JournalHeader {
    char Magic[8];             // kJournalMagic
    uint32_t Kind;             // JournalKind
    uint32_t Slot;             // the slot (0 or 1) holding the region in flight
    int64_t LogLength;         // the log's length when the change began
    int64_t Count;             // removal: the record removed; append: the records added; rewrite: the entry (0: Log On)
    int64_t NextSource;        // removal: first record of the block in flight (all before it moved); append: end noted
    int64_t BlockRecords;      // removal: records of the block in flight, 0 when none
    int64_t SlotRecords;       // records a slot has room for
    uint64_t RegionCheck;      // RecordCheck over the region in its slot
    uint64_t Sequence;         // the newer of the two copies has the higher one
    int64_t RegionAt;          // where the region starts in the log (sector-aligned)
    int64_t RegionLength;      // its bytes, 0 when none
    int64_t NewLength;         // the log's length once the change is complete
    uint64_t UntouchedCheck;   // RecordCheck over the log's bytes just before the first region
    uint64_t LastRecordCheck;  // removal: RecordCheck of the log's last record before the change
    uint64_t BeforeCheck;      // RecordCheck over the log's bytes of the region before it is written
    char Saved[kEntrySize];    // removal: the removed record
    char Padding[5];           // [0]: kAppendEndsNoted when an import notes its ends; [1]: kBeforePiecesKept
    uint64_t Check;            // RecordCheck over every byte above
};
static_assert(sizeof(JournalHeader) == 248, "the journal header is 248 bytes");
static_assert(offsetof(JournalHeader, LogLength) == 16, "LogLength at 16");
static_assert(offsetof(JournalHeader, NextSource) == 32, "NextSource at 32");
static_assert(offsetof(JournalHeader, Saved) == 120, "Saved at 120");
static_assert(offsetof(JournalHeader, Check) == 240, "Check at 240");

constexpr char kAppendEndsNoted = 'E';
// The region's bytes before it is written are kept as one check value per
// kProofPiece bytes beside it, so the opening can prove each piece of the log's
// region is its before or its after.
constexpr char kBeforePiecesKept = 'S';
constexpr int64_t kProofPiece = 512;
constexpr char kJournalMagic[8] = {'U', 'L', 'M', 'A', 'R', 'J', 'N', '2'};
// Regions and header copies are aligned to this: a multiple of every sector size in use.
constexpr int64_t kJournalSector = 4096;
// The untouched bytes before the first region whose check value the journal keeps.
constexpr int64_t kUntouchedBytes = 65536;

struct Journal {
    PlatformFile File;
    std::string Path;
    JournalHeader Header{};
    // Set before StartJournal or NoteRegion: the region's before, PieceChecks of
    // it, kept with the region (none: only BeforeCheck is kept).
    std::vector<uint64_t> BeforePieces;
};

std::string JournalPath(const std::string& logPath);
// A 64-bit check value of `size` bytes (FNV-1a, a word at a time).
uint64_t RecordCheck(const void* bytes, size_t size);
// A 64-bit check value of `size` bytes taken four words at a time in
// independent lanes: the same strength per lane as RecordCheck and about three
// times as fast over the megabytes a removal moves; used where the journal
// keeps the before pieces (kBeforePiecesKept).
uint64_t RegionCheckOf(const void* bytes, size_t size);
// One check value per kProofPiece bytes of `size` bytes taken as zero-padded to
// `length` (bytes past a file's end read as zeros).
std::vector<uint64_t> PieceChecks(const char* bytes, size_t size, int64_t length);
// The bytes a slot of `slotRecords` records holds: the records and the sectors around them.
int64_t SlotBytes(int64_t slotRecords);

// Creates the journal with `header` and `region` (at header.RegionAt, may be
// empty) and forces both, and the journal's name, to the disk.
bool StartJournal(Journal& journal, const std::string& logPath, const JournalHeader& header,
                  const std::string& region = std::string());
// Opens an existing journal and reads the newer intact header; false when there
// is none or it cannot be opened. `*valid` is false when neither copy is intact.
bool OpenJournal(Journal& journal, const std::string& logPath, bool* valid);
// Names the next region of a removal (the block of records from `nextSource`)
// in the slot the current header does not use, and forces it to the disk.
bool NoteRegion(Journal& journal, int64_t nextSource, int64_t blockRecords, int64_t regionAt, const std::string& region,
                uint64_t beforeCheck);
// The region the header names; `*valid` is false when the slot does not hold it
// whole (then its writing to the log never began).
// With kBeforePiecesKept, `*pieces` (when given) gets the region's before
// checks, and the slot is whole only when they are.
bool ReadRegion(Journal& journal, std::string* region, bool* valid, std::vector<uint64_t>* pieces = nullptr);
// An import's writes: before each, the length it ends at goes to the header
// (NextSource) and is flushed, so the log is never longer than the journal says.
bool NoteAppendEnd(Journal& journal, int64_t end);
// Writes the header to the older copy (Sequence raised, Check recomputed) and flushes it.
bool WriteJournalHeader(Journal& journal);
// Closes and deletes the journal and flushes the folder. When it cannot be
// deleted it is marked Finished, so the next opening does not redo the change.
void EndJournal(Journal& journal);
// Closes the journal and renames it `<journal>.1` (or .2, ...), kept for
// inspection; `*kept` is the new name. False when it cannot be renamed.
bool SetJournalAside(Journal& journal, std::string* kept);
void CloseJournal(Journal& journal);
