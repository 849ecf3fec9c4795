#include "logstore/log_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "logstore/log_change.h"
#include "records/text_trim.h"
#include "tests/unit/test_files.h"

namespace {

class LogStoreTest : public ::testing::Test {
  protected:
    void TearDown() override { CloseLog(Log); }
    // Writes `n` records named S1..Sn and opens them.
    void OpenWithEntries(int n) {
        std::string bytes;
        for (int i = 1; i <= n; ++i) bytes += EntryBytes(MakeEntry("S" + std::to_string(i)));
        WriteBytes(Path, bytes);
        ASSERT_TRUE(OpenLog(Log, Path));
    }
    std::string StationOf(const std::string& bytes, int n) {
        return TrimRight(bytes.substr(static_cast<size_t>(n - 1) * 115 + 21, 20));
    }
    TempDir Dir;
    std::string Path = Dir.Path("MYLOG.ULM");
    LogStore Log;
};

TEST(LogEntryLayout, FillFieldCutsAndPads) {
    LogEntry entry = MakeEntry("A Station Name Of 25 Chars", "06-03-2012", "07:05", "9410");
    EXPECT_EQ(FieldText(entry.Station), "A Station Name Of 25");
    EXPECT_EQ(FieldText(entry.Freq), "9410  ");
    std::string bytes = EntryBytes(entry);
    ASSERT_EQ(bytes.size(), 115u);
    EXPECT_EQ(bytes.substr(0, 15), "06-03-201207:05");
    EXPECT_EQ(bytes.find('\0'), std::string::npos);
}

TEST_F(LogStoreTest, OpenCreatesEmptyLog) {
    ASSERT_TRUE(OpenLog(Log, Path));
    EXPECT_EQ(Log.EntryCount, 0);
    EXPECT_TRUE(Log.Writable);
    EXPECT_EQ(ReadBytes(Path), "");
}

TEST_F(LogStoreTest, FirstAppendWritesBytes0To114) {
    ASSERT_TRUE(OpenLog(Log, Path));
    Log.EntryBuffer = MakeEntry("Radio Alpha");
    ASSERT_TRUE(AppendEntry(Log));
    EXPECT_EQ(Log.EntryCount, 1);
    EXPECT_EQ(ReadBytes(Path), EntryBytes(MakeEntry("Radio Alpha")));
}

TEST_F(LogStoreTest, CountIgnoresTrailingPartialRecordWhichNextAppendOverwrites) {
    std::string bytes = EntryBytes(MakeEntry("S1")) + EntryBytes(MakeEntry("S2")) + std::string(10, 'x');
    WriteBytes(Path, bytes);
    ASSERT_TRUE(OpenLog(Log, Path));
    EXPECT_EQ(Log.EntryCount, 2);
    Log.EntryBuffer = MakeEntry("S3");
    ASSERT_TRUE(AppendEntry(Log));
    std::string after = ReadBytes(Path);
    EXPECT_EQ(after.size(), 345u);
    EXPECT_EQ(after.substr(230), EntryBytes(MakeEntry("S3")));
    EXPECT_EQ(after.substr(0, 230), bytes.substr(0, 230));
}

TEST_F(LogStoreTest, ExactMultipleCounts) {
    OpenWithEntries(2);
    EXPECT_EQ(Log.EntryCount, 2);
}

TEST_F(LogStoreTest, ReadAndWriteEntryN) {
    OpenWithEntries(3);
    ASSERT_TRUE(ReadEntry(Log, 2));
    EXPECT_EQ(TrimRight(FieldText(Log.EntryBuffer.Station)), "S2");
    FillField(Log.EntryBuffer.Remarks, "edited");
    ASSERT_TRUE(WriteEntry(Log, 2));
    ASSERT_TRUE(FlushLog(Log));
    std::string bytes = ReadBytes(Path);
    EXPECT_EQ(bytes.substr(115 + 65, 6), "edited");
    EXPECT_EQ(bytes.substr(0, 115), EntryBytes(MakeEntry("S1")));
    EXPECT_EQ(bytes.substr(230), EntryBytes(MakeEntry("S3")));
}

TEST_F(LogStoreTest, ReadOutsideTheLogFailsAndKeepsBuffer) {
    OpenWithEntries(2);
    Log.EntryBuffer = MakeEntry("kept");
    EXPECT_FALSE(ReadEntry(Log, 0));
    EXPECT_FALSE(ReadEntry(Log, 3));
    EXPECT_EQ(Log.LastError, LogError::BadNumber);
    EXPECT_EQ(TrimRight(FieldText(Log.EntryBuffer.Station)), "kept");
    EXPECT_FALSE(WriteEntry(Log, 3));
}

TEST_F(LogStoreTest, RemoveMiddleEntryMovesLaterOnesDown) {
    OpenWithEntries(3);
    ASSERT_TRUE(RemoveEntry(Log, 2));
    EXPECT_EQ(Log.EntryCount, 2);
    std::string bytes = ReadBytes(Path);
    ASSERT_EQ(bytes.size(), 230u);
    EXPECT_EQ(StationOf(bytes, 1), "S1");
    EXPECT_EQ(StationOf(bytes, 2), "S3");
}

TEST_F(LogStoreTest, RemoveEntry3Of10) {
    OpenWithEntries(10);
    ASSERT_TRUE(RemoveEntry(Log, 3));
    std::string bytes = ReadBytes(Path);
    ASSERT_EQ(bytes.size(), 9u * 115);
    const char* expected[] = {"S1", "S2", "S4", "S5", "S6", "S7", "S8", "S9", "S10"};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(StationOf(bytes, i + 1), expected[i]);
    EXPECT_EQ(TrimRight(FieldText(Log.EntryBuffer.Station)), "S10");  // last moved
}

TEST_F(LogStoreTest, RemoveLastEntryCutsTheFile) {
    OpenWithEntries(10);
    std::string before = ReadBytes(Path);
    ASSERT_TRUE(RemoveEntry(Log, 10));
    EXPECT_EQ(Log.EntryCount, 9);
    EXPECT_EQ(ReadBytes(Path), before.substr(0, 9 * 115));
}

TEST_F(LogStoreTest, RemoveOnlyEntryLeavesEmptyOpenLog) {
    OpenWithEntries(1);
    ASSERT_TRUE(RemoveEntry(Log, 1));
    EXPECT_EQ(Log.EntryCount, 0);
    EXPECT_EQ(ReadBytes(Path), "");
    Log.EntryBuffer = MakeEntry("again");
    ASSERT_TRUE(AppendEntry(Log));
    EXPECT_EQ(ReadBytes(Path), EntryBytes(MakeEntry("again")));
}

TEST_F(LogStoreTest, RemoveAcrossSeveralMoveBlocks) {
    const int n = 20000;  // more than one block of moved records
    OpenWithEntries(n);
    ASSERT_TRUE(RemoveEntry(Log, 1));
    std::string bytes = ReadBytes(Path);
    ASSERT_EQ(bytes.size(), static_cast<size_t>(n - 1) * 115);
    EXPECT_EQ(StationOf(bytes, 1), "S2");
    EXPECT_EQ(StationOf(bytes, 9118), "S9119");
    EXPECT_EQ(StationOf(bytes, 9119), "S9120");
    EXPECT_EQ(StationOf(bytes, n - 1), "S" + std::to_string(n));
}

TEST_F(LogStoreTest, ReadOnlyFileOpensForReadingAndRefusesChanges) {
    WriteBytes(Path, EntryBytes(MakeEntry("S1")));
    chmod(Path.c_str(), 0444);
    ASSERT_TRUE(OpenLog(Log, Path));
    EXPECT_FALSE(Log.Writable);
    EXPECT_EQ(Log.EntryCount, 1);
    ASSERT_TRUE(ReadEntry(Log, 1));
    Log.EntryBuffer = MakeEntry("S2");
    EXPECT_FALSE(AppendEntry(Log));
    EXPECT_EQ(Log.LastError, LogError::ReadOnly);
    EXPECT_EQ(Log.EntryCount, 1);
    EXPECT_FALSE(WriteEntry(Log, 1));
    EXPECT_FALSE(RemoveEntry(Log, 1));
    EXPECT_EQ(ReadBytes(Path), EntryBytes(MakeEntry("S1")));
}

TEST_F(LogStoreTest, FileHeldByAnotherOpenIsRefused) {
    OpenWithEntries(2);
    LogStore second;
    EXPECT_FALSE(OpenLog(second, Path));
    EXPECT_FALSE(IsLogOpen(second));
    EXPECT_EQ(second.EntryCount, 0);
    second.EntryBuffer = MakeEntry("lost");
    EXPECT_FALSE(AppendEntry(second));
    EXPECT_EQ(second.LastError, LogError::NotOpen);
    EXPECT_FALSE(ReadEntry(second, 1));
    EXPECT_EQ(ReadBytes(Path).size(), 230u);
}

TEST_F(LogStoreTest, RecountFollowsTheFileAndKeepsTheLastError) {
    OpenWithEntries(3);
    Log.LastError = LogError::FlushFailed;
    WriteBytes(Path, ReadBytes(Path).substr(0, 115 + 60));  // another program cut the file
    RecountEntries(Log);
    EXPECT_EQ(Log.EntryCount, 1);
    EXPECT_EQ(Log.LastError, LogError::FlushFailed);
    CloseLog(Log);
    RecountEntries(Log);
    EXPECT_EQ(Log.EntryCount, 0);
    EXPECT_EQ(Log.LastError, LogError::FlushFailed);
}

TEST_F(LogStoreTest, UnusablePathsLeaveNoLogOpen) {
    EXPECT_FALSE(OpenLog(Log, ""));
    EXPECT_FALSE(OpenLog(Log, Dir.Path("missing-folder/LOG.ULM")));
    EXPECT_FALSE(OpenLog(Log, Dir.Root));  // a folder
    EXPECT_EQ(Log.EntryCount, 0);
}

TEST_F(LogStoreTest, ReopenRecounts) {
    OpenWithEntries(2);
    CloseLog(Log);
    WriteBytes(Path, ReadBytes(Path) + EntryBytes(MakeEntry("S3")));
    ASSERT_TRUE(OpenLog(Log, Path));
    EXPECT_EQ(Log.EntryCount, 3);
}

TEST_F(LogStoreTest, ReadEntriesReadsABlockAndStopsAtTheEnd) {
    OpenWithEntries(5);
    LogEntry block[8];
    int32_t got = 0;
    ASSERT_TRUE(ReadEntries(Log, 4, 8, block, &got));
    EXPECT_EQ(got, 2);
    EXPECT_EQ(TrimRight(FieldText(block[1].Station)), "S5");
}

}  // namespace
