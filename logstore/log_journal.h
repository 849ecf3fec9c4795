// The change journal `<log file name>.DLJ` beside a log, which makes a change of
// many records one step: written and flushed before the log is touched, kept up
// to date while blocks move, deleted when the change is complete. Its name never
// matches *.ULM, and an older copy of the program simply ignores it.
//
// A removal moves records down one place in blocks. Before each block is written
// the journal names it and holds a check value for every record of it, so the
// block can be completed at the next opening whatever part of it reached the log.
// The check values of two blocks in a row go to alternate slots, so those of a
// block already written are never overwritten before the header moves on.
// An append of many records notes the old length (and any partial record at the
// end, which the append overwrites), so an interrupted append is cut back.
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
    Append = 2,
};

struct JournalHeader {
    char Magic[8];           // kJournalMagic
    uint32_t Kind;           // JournalKind
    uint32_t Slot;           // removal: the slot (0 or 1) holding the block's check values
    int64_t LogLength;       // the log's length when the change began
    int64_t Count;           // removal: the record removed; append: the records added
    int64_t NextSource;      // removal: first record of the block in flight (all before it moved)
    int64_t BlockRecords;    // removal: records of the block in flight, 0 when none
    int64_t SlotRecords;     // removal: check values a slot has room for
    uint64_t ChecksCheck;    // RecordCheck over the block's check values
    char Saved[kEntrySize];  // removal: the removed record; append: the old partial record
    char Padding[5];
    uint64_t Check;  // RecordCheck over every byte above
};
static_assert(sizeof(JournalHeader) == 192, "the journal header is 192 bytes");
static_assert(offsetof(JournalHeader, LogLength) == 16, "LogLength at 16");
static_assert(offsetof(JournalHeader, ChecksCheck) == 56, "ChecksCheck at 56");
static_assert(offsetof(JournalHeader, Saved) == 64, "Saved at 64");
static_assert(offsetof(JournalHeader, Check) == 184, "Check at 184");

constexpr char kJournalMagic[8] = {'U', 'L', 'M', 'A', 'R', 'J', 'N', '1'};
// The two slots of check values follow the header, one value per record.
constexpr int64_t kJournalChecksAt = sizeof(JournalHeader);

struct Journal {
    PlatformFile File;
    std::string Path;
    JournalHeader Header{};
};

std::string JournalPath(const std::string& logPath);
// A 64-bit check value of `size` bytes (FNV-1a, a word at a time).
uint64_t RecordCheck(const void* bytes, size_t size);

// Creates the journal with `header` and forces it to the disk.
bool StartJournal(Journal& journal, const std::string& logPath, const JournalHeader& header);
// Opens an existing journal and reads its header; false when there is none or
// it cannot be opened. `*valid` is false when its header is damaged.
bool OpenJournal(Journal& journal, const std::string& logPath, bool* valid);
// Names the block in flight with the check values of its records, in the slot
// the previous block did not use (not flushed: see the .cpp). At most SlotRecords values.
bool NoteBlock(Journal& journal, int64_t nextSource, const std::vector<uint64_t>& checks);
// The check values of the block in flight; false when they cannot be read.
// `*valid` is false when they do not match ChecksCheck: then the block was
// never started (see NoteBlock).
bool ReadBlockChecks(Journal& journal, std::vector<uint64_t>* checks, bool* valid);
// Rewrites the header (Check recomputed) and flushes it.
bool WriteJournalHeader(Journal& journal);
// Closes and deletes the journal. When it cannot be deleted it is marked
// Finished, so the next opening does not undo a complete change.
void EndJournal(Journal& journal);
void CloseJournal(Journal& journal);
