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
    std::vector<std::string> stations;
    int stopAfter = -1;
};

bool Record(const LogEntry& entry, void* context) {
    Seen* seen = static_cast<Seen*>(context);
    seen->stations.push_back(TrimRight(FieldText(entry.Station)));
    return static_cast<int>(seen->stations.size()) != seen->stopAfter;
}

struct TestLog {
    TempDir dir;
    LogStore log;
    std::string path;
    explicit TestLog(int count) : path(dir.Path("WALK.ULM")) {
        std::string bytes;
        for (int i = 1; i <= count; ++i) bytes += EntryBytes(MakeEntry("S" + std::to_string(i)));
        WriteBytes(path, bytes);
        OpenLog(log, path);
    }
    ~TestLog() { CloseLog(log); }
};

}  // namespace

TEST(LogWalk, VisitsFromTheStartNumberToTheLastEntry) {
    TestLog t(5);
    Seen seen;
    WalkResult result = WalkLog(t.log, 3, Record, &seen);
    EXPECT_EQ(result.count, 3);
    EXPECT_FALSE(result.stopped);
    EXPECT_FALSE(result.readFailed);
    EXPECT_EQ(seen.stations, (std::vector<std::string>{"S3", "S4", "S5"}));
    EXPECT_EQ(TrimRight(FieldText(t.log.EntryBuffer.Station)), "S5");
}

TEST(LogWalk, StartAboveTheCountVisitsNothing) {
    TestLog t(5);
    Seen seen;
    EXPECT_EQ(WalkLog(t.log, 6, Record, &seen).count, 0);
    EXPECT_EQ(WalkLog(t.log, kBeyondAnyEntry, Record, &seen).count, 0);
    EXPECT_TRUE(seen.stations.empty());
    TestLog empty(0);
    EXPECT_EQ(WalkLog(empty.log, 1, Record, &seen).count, 0);
    EXPECT_TRUE(seen.stations.empty());
}

TEST(LogWalk, NumbersBelowOneStartAtTheFirstEntry) {
    TestLog t(2);
    Seen seen;
    EXPECT_EQ(WalkLog(t.log, -4, Record, &seen).count, 2);
    EXPECT_EQ(seen.stations, (std::vector<std::string>{"S1", "S2"}));
}

TEST(LogWalk, VisitorCanStopTheWalk) {
    TestLog t(5);
    Seen seen;
    seen.stopAfter = 2;
    WalkResult result = WalkLog(t.log, 1, Record, &seen);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.count, 2);
    EXPECT_EQ(seen.stations, (std::vector<std::string>{"S1", "S2"}));
}

TEST(LogWalk, LongLogsAreWalkedInOrderAcrossBlocks) {
    const int count = 9000;
    TestLog t(count);
    Seen seen;
    WalkResult result = WalkLog(t.log, 2, Record, &seen);
    ASSERT_EQ(result.count, count - 1);
    ASSERT_EQ(seen.stations.size(), static_cast<size_t>(count - 1));
    for (int i = 0; i < count - 1; ++i) {
        ASSERT_EQ(seen.stations[static_cast<size_t>(i)], "S" + std::to_string(i + 2)) << i;
    }
}

TEST(LogWalk, ShortReadEndsTheWalkAndSaysSo) {
    TestLog t(4);
    ASSERT_EQ(truncate(t.path.c_str(), 2 * 115 + 50), 0);
    Seen seen;
    WalkResult result = WalkLog(t.log, 1, Record, &seen);
    EXPECT_TRUE(result.readFailed);
    EXPECT_EQ(result.count, 2);
    EXPECT_EQ(seen.stations, (std::vector<std::string>{"S1", "S2"}));
}

TEST(LogWalk, NoLogOpenVisitsNothing) {
    LogStore none;
    Seen seen;
    WalkResult result = WalkLog(none, 1, Record, &seen);
    EXPECT_EQ(result.count, 0);
    EXPECT_FALSE(result.readFailed);
}
