// A journal is applied only to the log it belongs to: a journal that is damaged,
// or that meets a log other than the one it was written for, leaves the log
// exactly as it is, is kept as LOG.ULM.DLJ.1, and the listener is told once.
#include <gtest/gtest.h>

#include <cstring>

#include "logstore/log_change.h"
#include "tests/powerloss/crash_check.h"

namespace {

const char kLog[] = "LOG.ULM";
const char kJournal[] = "LOG.ULM.DLJ";

void RemoveInBlocks(int32_t k) {
    LogStore log;
    ASSERT_TRUE(OpenLog(log, kLog));
    log.MoveBlockRecords = 8;
    EXPECT_TRUE(RemoveEntry(log, k));
    CloseLog(log);
}

// A deletion of entry `k` of 40 killed once its first block reached the log.
DiskFiles KilledDeletion(int32_t k) {
    std::string before = NumberedRecords(1, 40);
    return FirstKilledState(
        {{kLog, before}}, [&] { RemoveInBlocks(k); },
        [&](const DiskFiles& files) { return files.count(kJournal) && files.at(kLog) != before; });
}

// Opens the log on `files` and expects it untouched, the journal set aside and one message.
void ExpectSetAside(const DiskFiles& files, LogRecovery found, const std::string& said) {
    ResetDisk(files);
    LogStore log;
    ASSERT_TRUE(OpenLog(log, kLog));
    EXPECT_EQ(log.Recovery, found);
    std::string text;
    EXPECT_TRUE(TakeRecoveryMessage(log, &text));
    EXPECT_NE(text.find(said), std::string::npos) << text;
    EXPECT_NE(text.find("The note was kept as LOG.ULM.DLJ.1."), std::string::npos) << text;
    EXPECT_FALSE(TakeRecoveryMessage(log, &text));
    CloseLog(log);
    EXPECT_EQ(FileBytes(kLog), files.at(kLog));
    EXPECT_FALSE(FileExists(kJournal));
    EXPECT_EQ(FileBytes("LOG.ULM.DLJ.1"), files.at(kJournal));
    ASSERT_TRUE(OpenLog(log, kLog));  // a second opening finds nothing to do
    EXPECT_EQ(log.Recovery, LogRecovery::None);
    CloseLog(log);
    EXPECT_EQ(FileBytes(kLog), files.at(kLog));
}

const char kNotThisLog[] = "does not match the log as it is now";

// The 2,048 `records` appended to the log as an import adds them: one run.
void ImportInOneRun(const std::string& records) {
    LogStore log;
    ASSERT_TRUE(OpenLog(log, kLog));
    AppendRun run;
    ASSERT_TRUE(BeginAppendRun(log, 2048, &run));
    ASSERT_TRUE(AppendRunRecords(log, &run, reinterpret_cast<const LogEntry*>(records.data()), 2048));
    EXPECT_TRUE(FinishAppendRun(log, &run));
    CloseLog(log);
}

TEST(JournalProof, AForeignLogOfTheSameLengthIsNotChanged) {
    for (int32_t k : {1, 20}) {
        DiskFiles files = KilledDeletion(k);
        ASSERT_FALSE(files.empty());
        files[kLog] = NumberedRecords(501, 540);
        ExpectSetAside(files, LogRecovery::LeftAsItIs, kNotThisLog);
    }
}

TEST(JournalProof, ADeletionFollowedByAnAppendIsNotDeletedAgain) {
    std::string before = NumberedRecords(1, 40);
    std::string after = NumberedRecords(1, 19) + NumberedRecords(21, 40);
    DiskFiles files = FirstKilledState(
        {{kLog, before}}, [] { RemoveInBlocks(20); },
        [&](const DiskFiles& state) {
            return state.count(kJournal) && state.at(kLog) == after;  // cut, the journal not yet deleted
        });
    ASSERT_FALSE(files.empty());
    files[kLog] = after + NumberedRecord(777);  // another program appends: the old length again
    ExpectSetAside(files, LogRecovery::LeftAsItIs, kNotThisLog);
}

TEST(JournalProof, AnotherProgramsAppendAfterACrashedImportIsKept) {
    std::string before = NumberedRecords(1, 3);
    std::string records = NumberedRecords(1001, 3048);
    DiskFiles files = FirstKilledState(
        {{kLog, before}}, [&] { ImportInOneRun(records); },
        [&](const DiskFiles& state) { return state.count(kJournal) && state.at(kLog) == before + records; });
    ASSERT_FALSE(files.empty());
    files[kLog] += NumberedRecord(778);
    ExpectSetAside(files, LogRecovery::LeftAsItIs, kNotThisLog);
}

// Killed between two of its writes, then another program adds a record: the
// length is still below the import's end, but past the end of the last write
// the journal noted, so nothing is cut back.
TEST(JournalProof, AnotherProgramsAppendInsideACrashedImportIsKept) {
    const int32_t total = 40000;  // more than one write of the import
    std::string before = NumberedRecords(1, 3);
    std::string records = NumberedRecords(1001, 1000 + total);
    DiskFiles files = FirstKilledState(
        {{kLog, before}},
        [&] {
            LogStore log;
            ASSERT_TRUE(OpenLog(log, kLog));
            AppendRun run;
            ASSERT_TRUE(BeginAppendRun(log, total, &run));
            for (int32_t first = 0; first < total; first += 500) {
                const char* bytes = records.data() + static_cast<size_t>(first) * kEntrySize;
                ASSERT_TRUE(AppendRunRecords(log, &run, reinterpret_cast<const LogEntry*>(bytes), 500));
            }
            EXPECT_TRUE(FinishAppendRun(log, &run));
            CloseLog(log);
        },
        [&](const DiskFiles& state) {
            size_t size = state.at(kLog).size();
            return state.count(kJournal) && size > before.size() && size < before.size() + records.size();
        });
    ASSERT_FALSE(files.empty());
    std::string written = files[kLog];
    EXPECT_EQ(written, before + records.substr(0, written.size() - before.size()));
    files[kLog] += NumberedRecord(779);
    ExpectSetAside(files, LogRecovery::LeftAsItIs, kNotThisLog);
}

// The region in flight (records 21..28 moving down, bytes 0..3104 of the log)
// is proven piece by piece: each 512 bytes as before or after the move. One
// piece that is neither is the sector a power cut tore, written again from the
// journal; two are a log the journal was not written for.
TEST(JournalProof, EveryPieceOfTheRegionIsItsBeforeOrItsAfter) {
    const std::string after = NumberedRecords(1, 19) + NumberedRecords(21, 40);
    DiskFiles torn = KilledDeletion(20);
    ASSERT_FALSE(torn.empty());
    torn[kLog][600] ^= 0x20;  // record 6, in the region's second piece
    ResetDisk(torn);
    EXPECT_EQ(OpenedLogBytes(), after);
    EXPECT_FALSE(FileExists(kJournal));

    DiskFiles foreign = KilledDeletion(20);
    foreign[kLog][600] ^= 0x20;
    foreign[kLog][1300] ^= 0x20;  // and record 12, in its third
    ExpectSetAside(foreign, LogRecovery::LeftAsItIs, kNotThisLog);
}

TEST(JournalProof, OneFlippedByteInTheRegionInFlightSetsTheJournalAside) {
    DiskFiles files = KilledDeletion(20);
    ASSERT_FALSE(files.empty());
    files[kJournal][2 * 4096 + 10] ^= 0x20;  // the first region's slot
    ExpectSetAside(files, LogRecovery::LeftAsItIs, kNotThisLog);
}

TEST(JournalProof, ATruncatedJournalSetsItAside) {
    DiskFiles files = KilledDeletion(20);
    ASSERT_FALSE(files.empty());
    DiskFiles cutInTheRegion = files, cutInTheHeader = files;
    cutInTheRegion[kJournal].resize(2 * 4096 + 100);
    ExpectSetAside(cutInTheRegion, LogRecovery::LeftAsItIs, kNotThisLog);
    cutInTheHeader[kJournal].resize(100);
    ExpectSetAside(cutInTheHeader, LogRecovery::Unreadable, "its note could not be read");
}

TEST(JournalProof, AnEditsJournalWithAFlippedByteLeavesTheOldEntry) {
    std::string before = NumberedRecords(1, 40);
    DiskFiles files = FirstKilledState(
        {{kLog, before}},
        [] {
            LogStore log;
            ASSERT_TRUE(OpenLog(log, kLog));
            std::string record = NumberedRecord(9999);
            std::memcpy(&log.EntryBuffer, record.data(), kEntrySize);
            EXPECT_TRUE(RewriteEntry(log, 5));
            CloseLog(log);
        },
        [](const DiskFiles& state) { return state.count(kJournal) && state.at(kJournal).size() > 4096; });
    ASSERT_FALSE(files.empty());
    files[kJournal][4096 + 20] ^= 1;  // the only header copy written
    ExpectSetAside(files, LogRecovery::Unreadable, "The log was not changed.");
}

}  // namespace

// A kill can cut an import's write anywhere (the system writes a large call a
// page at a time): every cut of the write of 2,048 records at a sector edge,
// and one byte past it, opens as the log before the import, told once.
TEST(JournalProof, AnImportKilledInsideItsWriteIsTakenBackAtEveryCut) {
    std::string before = NumberedRecords(1, 3);
    std::string records = NumberedRecords(1001, 3048);
    ResetDisk({{kLog, before}});
    StartRecording();
    ASSERT_NO_FATAL_FAILURE(ImportInOneRun(records));
    StopRecording();
    // The last kill point before the write: its end is noted, nothing written yet.
    DiskFiles start;
    ForEachCrashState(CrashModel::Prefix, CrashBudget(), [&](const DiskFiles& state, const std::string&) {
        if (state.count(kJournal) && state.at(kLog) == before) start = state;
        return true;
    });
    ASSERT_FALSE(start.empty());
    int cuts = 0, wrong = 0;
    for (size_t edge = 512; edge <= before.size() + records.size(); edge += 512) {
        for (size_t cut : {edge - before.size(), edge - before.size() + 1}) {
            if (cut > records.size()) continue;
            DiskFiles files = start;
            files[kLog] = before + records.substr(0, cut);
            ResetDisk(files);
            LogStore log;
            ASSERT_TRUE(OpenLog(log, kLog));
            std::string text;
            bool told = TakeRecoveryMessage(log, &text);
            CloseLog(log);
            ++cuts;
            if (FileBytes(kLog) != before || FileExists(kJournal) || !told) ++wrong;
        }
    }
    std::printf("power loss: import of 2048 killed inside its write, %d cuts, %d wrong\n", cuts, wrong);
    EXPECT_GT(cuts, 900);
    EXPECT_EQ(wrong, 0);
}
