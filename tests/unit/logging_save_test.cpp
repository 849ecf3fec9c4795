#include "logging/report_save.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "logging/recent_rows.h"
#include "logstore/log_change.h"
#include "tests/unit/test_files.h"

namespace {

class ReportSaveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Clock.ClockDate = "06-12-2026";
        Clock.ClockTime = "19:30";
        ASSERT_TRUE(OpenLog(Log, Path));
    }
    void TearDown() override { CloseLog(Log); }
    std::string FileBytes() { return ReadBytes(Path); }

    TempDir Dir;
    std::string Path = Dir.Path("MYLOG.ULM");
    LogStore Log;
    ClockState Clock;
};

TEST_F(ReportSaveTest, FirstSaveWritesRecordOneExactly) {
    ReportTexts texts = {"9410", "Radio Alpha", "Tirana", "Good signal"};
    ASSERT_EQ(SaveReport(Log, texts, Clock), SaveResult::Saved);
    EXPECT_EQ(Log.EntryCount, 1);
    std::string expected = std::string("06-12-2026") + "19:30" + "9410  " + "Radio Alpha         " +
                           "Tirana                  " + "Good signal" + std::string(39, ' ');
    EXPECT_EQ(FileBytes(), expected);
}

TEST_F(ReportSaveTest, TextsAreCutOrPaddedButOtherwiseKept) {
    ReportTexts texts = {"abc", "A Station Name Of 25 Chars", " lower Case", std::string(60, 'r')};
    ASSERT_EQ(SaveReport(Log, texts, Clock), SaveResult::Saved);
    std::string bytes = FileBytes();
    ASSERT_EQ(bytes.size(), 115u);
    EXPECT_EQ(bytes.substr(15, 6), "abc   ");
    EXPECT_EQ(bytes.substr(21, 20), "A Station Name Of 25");
    EXPECT_EQ(bytes.substr(41, 24), " lower Case" + std::string(13, ' '));
    EXPECT_EQ(bytes.substr(65, 50), std::string(50, 'r'));

    ReportTexts second = {"6070", "Thirteen char", "", ""};
    ASSERT_EQ(SaveReport(Log, second, Clock), SaveResult::Saved);
    bytes = FileBytes();
    ASSERT_EQ(bytes.size(), 230u);
    EXPECT_EQ(bytes.substr(115 + 15, 6), "6070  ");
    EXPECT_EQ(bytes.substr(115 + 21, 20), "Thirteen char       ");
    EXPECT_EQ(bytes.substr(115 + 41, 74), std::string(74, ' '));
}

TEST_F(ReportSaveTest, BlankStationIsRefusedAndChangesNothing) {
    ASSERT_EQ(SaveReport(Log, {"9410", "Kept", "", ""}, Clock), SaveResult::Saved);
    const std::string before = FileBytes();
    const std::string bufferBefore = EntryBytes(Log.EntryBuffer);
    const std::vector<std::string> blanks = {"", " ", std::string(20, ' '), std::string(20, ' ') + "Late start"};
    for (const std::string& station : blanks) {
        EXPECT_EQ(SaveReport(Log, {"6070", station, "Somewhere", "Remark"}, Clock), SaveResult::BlankStation)
            << "[" << station << "]";
    }
    EXPECT_EQ(Log.EntryCount, 1);
    EXPECT_EQ(FileBytes(), before);
    EXPECT_EQ(EntryBytes(Log.EntryBuffer), bufferBefore);
    // A station that only starts with blanks is a station.
    EXPECT_EQ(SaveReport(Log, {"", "  BBC", "", ""}, Clock), SaveResult::Saved);
    EXPECT_EQ(FileBytes().substr(115 + 21, 20), "  BBC" + std::string(15, ' '));
}

TEST_F(ReportSaveTest, EachSaveIsStampedWithTheClockOfItsTick) {
    const char* times[3] = {"23:58", "23:59", "00:00"};
    const char* dates[3] = {"31-12-2026", "31-12-2026", "01-01-2027"};
    for (int i = 0; i < 3; ++i) {
        Clock.ClockTime = times[i];
        Clock.ClockDate = dates[i];
        ASSERT_EQ(SaveReport(Log, {"9410", "S" + std::to_string(i + 1), "", ""}, Clock), SaveResult::Saved);
        EXPECT_EQ(Log.EntryCount, i + 1);
    }
    std::string bytes = FileBytes();
    ASSERT_EQ(bytes.size(), 345u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bytes.substr(static_cast<size_t>(i) * 115, 15), std::string(dates[i]) + times[i]);
        EXPECT_EQ(bytes.substr(static_cast<size_t>(i) * 115 + 21, 2), "S" + std::to_string(i + 1));
    }
}

TEST_F(ReportSaveTest, SixteenthSaveRollsTheListWhileTheLogKeepsAll) {
    const int rows = 15;
    std::vector<std::string> list(rows, BlankRecentRow());
    int filled = 0;
    for (int i = 1; i <= 16; ++i) {
        ASSERT_EQ(SaveReport(Log, {"9410", "Station " + std::to_string(i), "", ""}, Clock), SaveResult::Saved);
        RecentPlacement place = PlaceRecentReport(filled, rows);
        list.erase(list.begin() + place.DeleteRow);
        std::string row = RecentReportRow(Log.EntryBuffer);
        if (place.InsertRow < 0) {
            list.push_back(row);
        } else {
            list.insert(list.begin() + place.InsertRow, row);
        }
        filled = FilledAfterReport(filled, rows);
        ASSERT_EQ(static_cast<int>(list.size()), rows);
    }
    EXPECT_EQ(Log.EntryCount, 16);
    EXPECT_EQ(FileBytes().size(), 16u * 115);
    EXPECT_EQ(filled, 15);
    EXPECT_EQ(list.front().substr(1, 20), "Station 2           ");
    EXPECT_EQ(list.back().substr(1, 20), "Station 16          ");
    EXPECT_EQ(list[13].substr(1, 20), "Station 15          ");
}

TEST_F(ReportSaveTest, SaveIntoReadOnlyLogIsReportedAndNotCounted) {
    ASSERT_EQ(SaveReport(Log, {"9410", "First", "", ""}, Clock), SaveResult::Saved);
    CloseLog(Log);
    ASSERT_EQ(chmod(Path.c_str(), 0444), 0);
    ASSERT_TRUE(OpenLog(Log, Path));
    ASSERT_FALSE(Log.Writable);
    const std::string before = FileBytes();
    EXPECT_EQ(SaveReport(Log, {"9410", "Second", "", ""}, Clock), SaveResult::NotSaved);
    EXPECT_EQ(Log.LastError, LogError::ReadOnly);
    EXPECT_EQ(Log.EntryCount, 1);
    EXPECT_EQ(FileBytes(), before);
}

TEST_F(ReportSaveTest, SaveWithNoLogOpenIsReported) {
    CloseLog(Log);
    LogStore none;
    EXPECT_FALSE(OpenLog(none, ""));
    EXPECT_EQ(SaveReport(none, {"9410", "Station", "", ""}, Clock), SaveResult::NotSaved);
    EXPECT_EQ(none.LastError, LogError::NotOpen);
    EXPECT_EQ(none.EntryCount, 0);
}

TEST(ReportSaveFullDisk, FailedWriteIsReportedAndNotCounted) {
    struct stat info;
    if (stat("/dev/full", &info) != 0) GTEST_SKIP() << "no /dev/full here";
    LogStore full;
    ASSERT_TRUE(OpenLog(full, "/dev/full"));
    ASSERT_TRUE(full.Writable);
    ClockState clock;
    clock.ClockDate = "06-12-2026";
    clock.ClockTime = "19:30";
    EXPECT_EQ(SaveReport(full, {"9410", "Station", "", ""}, clock), SaveResult::NotSaved);
    EXPECT_EQ(full.LastError, LogError::WriteFailed);
    EXPECT_EQ(full.EntryCount, 0);
    CloseLog(full);
}

TEST(ReportSaveTexts, EntryNumberAndRefusalMessage) {
    EXPECT_EQ(EntryNumberText(1), "1");
    EXPECT_EQ(EntryNumberText(57), "57");
    EXPECT_EQ(EntryNumberText(int64_t{2147483647} + 1), "2147483648");
    EXPECT_EQ(NotSavedMessage(LogError::ReadOnly),
              std::string("The report was not saved.\n\n") + DescribeLogError(LogError::ReadOnly) +
                  "\n\nWhat you typed is still in the boxes, so you can try again.");
    EXPECT_NE(NotSavedMessage(LogError::WriteFailed).find("The disk may be full."), std::string::npos);
}

}  // namespace
