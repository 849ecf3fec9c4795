#include <gtest/gtest.h>

#include <unistd.h>
#include <vector>

#include "logstore/log_change.h"
#include "logstore/log_walk.h"
#include "print/start_number.h"
#include "records/text_trim.h"
#include "tests/unit/test_files.h"

namespace {

struct Seen {
    std::vector<std::string> Stations;
    int StopAfter = -1;
};

bool Record(const LogEntry& entry, void* context) {
    Seen* seen = static_cast<Seen*>(context);
    seen->Stations.push_back(TrimRight(FieldText(entry.Station)));
    return static_cast<int>(seen->Stations.size()) != seen->StopAfter;
}

struct TestLog {
    TempDir Folder;
    LogStore Log;
    std::string Path;
    explicit TestLog(int count) : Path(Folder.Path("WALK.ULM")) {
        std::string bytes;
        for (int i = 1; i <= count; ++i) bytes += EntryBytes(MakeEntry("S" + std::to_string(i)));
        WriteBytes(Path, bytes);
        OpenLog(Log, Path);
    }
    ~TestLog() { CloseLog(Log); }
};

}  // namespace

TEST(LogWalk, VisitsFromTheStartNumberToTheLastEntry) {
    TestLog t(5);
    Seen seen;
    WalkResult result = WalkLog(t.Log, 3, Record, &seen);
    EXPECT_EQ(result.Count, 3);
    EXPECT_FALSE(result.Stopped);
    EXPECT_FALSE(result.ReadFailed);
    EXPECT_EQ(seen.Stations, (std::vector<std::string>{"S3", "S4", "S5"}));
    EXPECT_EQ(TrimRight(FieldText(t.Log.EntryBuffer.Station)), "S5");
}

TEST(LogWalk, StartAboveTheCountVisitsNothing) {
    TestLog t(5);
    Seen seen;
    EXPECT_EQ(WalkLog(t.Log, 6, Record, &seen).Count, 0);
    EXPECT_EQ(WalkLog(t.Log, kBeyondAnyEntry, Record, &seen).Count, 0);
    EXPECT_TRUE(seen.Stations.empty());
    TestLog empty(0);
    EXPECT_EQ(WalkLog(empty.Log, 1, Record, &seen).Count, 0);
    EXPECT_TRUE(seen.Stations.empty());
}

TEST(LogWalk, NumbersBelowOneStartAtTheFirstEntry) {
    TestLog t(2);
    Seen seen;
    EXPECT_EQ(WalkLog(t.Log, -4, Record, &seen).Count, 2);
    EXPECT_EQ(seen.Stations, (std::vector<std::string>{"S1", "S2"}));
}

TEST(LogWalk, VisitorCanStopTheWalk) {
    TestLog t(5);
    Seen seen;
    seen.StopAfter = 2;
    WalkResult result = WalkLog(t.Log, 1, Record, &seen);
    EXPECT_TRUE(result.Stopped);
    EXPECT_EQ(result.Count, 2);
    EXPECT_EQ(seen.Stations, (std::vector<std::string>{"S1", "S2"}));
}

TEST(LogWalk, LongLogsAreWalkedInOrderAcrossBlocks) {
    const int count = 9000;
    TestLog t(count);
    Seen seen;
    WalkResult result = WalkLog(t.Log, 2, Record, &seen);
    ASSERT_EQ(result.Count, count - 1);
    ASSERT_EQ(seen.Stations.size(), static_cast<size_t>(count - 1));
    for (int i = 0; i < count - 1; ++i) {
        ASSERT_EQ(seen.Stations[static_cast<size_t>(i)], "S" + std::to_string(i + 2)) << i;
    }
}

TEST(LogWalk, ShortReadEndsTheWalkAndSaysSo) {
    TestLog t(4);
    ASSERT_EQ(truncate(t.Path.c_str(), 2 * 115 + 50), 0);
    Seen seen;
    WalkResult result = WalkLog(t.Log, 1, Record, &seen);
    EXPECT_TRUE(result.ReadFailed);
    EXPECT_EQ(result.Count, 2);
    EXPECT_EQ(seen.Stations, (std::vector<std::string>{"S1", "S2"}));
}

TEST(LogWalk, NoLogOpenVisitsNothing) {
    LogStore none;
    Seen seen;
    WalkResult result = WalkLog(none, 1, Record, &seen);
    EXPECT_EQ(result.Count, 0);
    EXPECT_FALSE(result.ReadFailed);
}
