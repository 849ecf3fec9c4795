#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "browse/browse_texts.h"
#include "browse/entry_line.h"
#include "tests/unit/test_files.h"

namespace {

std::string Padded(const std::string& text, size_t width) { return text + std::string(width - text.size(), ' '); }

LogEntry WithFreq(const std::string& freq) {
    LogEntry entry = MakeEntry("Radio Alpha");
    std::memcpy(entry.Freq, freq.data(), 6);
    return entry;
}

LogEntry WithMonth(const std::string& month) {
    LogEntry entry = MakeEntry("Radio Alpha");
    std::memcpy(entry.Date + 3, month.data(), 2);
    return entry;
}

}  // namespace

TEST(BrowseEntryLine, LaysOutEveryFieldInItsColumns) {
    LogEntry entry = MakeEntry("Radio Alpha", "06-12-2026", "19:30", "9410", "Somewhere", "Good signal");
    std::string expected = "06 Dec 2026 19:30 " + Padded("Radio Alpha", 20) + " " + Padded("Somewhere", 24) + " " +
                           "  9410KHz " + Padded("Good signal", 50);
    std::string line = FormatEntryLine(entry);
    EXPECT_EQ(line, expected);
    ASSERT_EQ(line.size(), 124u);
    EXPECT_EQ(line.substr(0, 11), "06 Dec 2026");
    EXPECT_EQ(line.substr(12, 5), "19:30");
    EXPECT_EQ(line.substr(18, 11), "Radio Alpha");
    EXPECT_EQ(line.substr(39, 9), "Somewhere");
    EXPECT_EQ(line.substr(64, 9), "  9410KHz");
    EXPECT_EQ(line.substr(74, 11), "Good signal");
    for (int column : {11, 17, 38, 63, 73}) EXPECT_EQ(line[static_cast<size_t>(column)], ' ') << column;
}

TEST(BrowseEntryLine, FieldsAreCopiedAsStoredIncludingOddBytes) {
    LogEntry entry = MakeEntry("", "31-01-1999", "00:05", "", "", "");
    std::memcpy(entry.Station, "\xC9mile FM\xFF", 10);
    std::string line = FormatEntryLine(entry);
    EXPECT_EQ(line.substr(0, 17), "31 Jan 1999 00:05");
    EXPECT_EQ(line.substr(18, 20), std::string("\xC9mile FM\xFF", 10) + std::string(10, ' '));
    EXPECT_EQ(line.substr(64, 9), "      KHz");
}

TEST(BrowseEntryLine, FrequencyIsTrimmedAndRightAligned) {
    EXPECT_EQ(FormatEntryLine(WithFreq("9410  ")).substr(64, 9), "  9410KHz");
    EXPECT_EQ(FormatEntryLine(WithFreq("      ")).substr(64, 9), "      KHz");
    EXPECT_EQ(FormatEntryLine(WithFreq("153000")).substr(64, 9), "153000KHz");
    // The stored leading blank stays and one more is added.
    EXPECT_EQ(FormatEntryLine(WithFreq(" 9410 ")).substr(64, 9), "  9410KHz");
    EXPECT_EQ(FrequencyText(WithFreq("6   70")), "6   70");
}

TEST(BrowseEntryLine, MonthNumberGivesTheShortName) {
    EXPECT_EQ(FormatEntryLine(WithMonth("12")).substr(0, 11), "06 Dec 2026");
    EXPECT_EQ(FormatEntryLine(WithMonth(" 3")).substr(0, 11), "06 Mar 2026");
    EXPECT_EQ(FormatEntryLine(WithMonth("01")).substr(0, 11), "06 Jan 2026");
    EXPECT_EQ(MonthNumber(WithMonth("3x")), 3);
    EXPECT_EQ(MonthNumber(WithMonth("-4")), -4);
    EXPECT_EQ(MonthNumber(WithMonth("  ")), 0);
}

TEST(BrowseEntryLine, MonthOutsideTheYearLeavesTheNameOut) {
    for (const char* month : {"00", "13", "ab", "-1"}) {
        std::string line = FormatEntryLine(WithMonth(month));
        EXPECT_EQ(line.size(), 121u) << month;
        EXPECT_EQ(line.substr(0, 14), "06  2026 19:30") << month;
        EXPECT_EQ(line.substr(61, 9), "  9410KHz") << month;
    }
}

TEST(BrowseEntryLine, ListItemIsTheMarkerByteAndTheLine) {
    LogEntry entry = MakeEntry("RADIO BETA", "01-07-2001", "23:59", "6070", "Oslo", "fair");
    std::string item = ListItemText(entry);
    ASSERT_EQ(item.size(), 125u);
    EXPECT_EQ(static_cast<unsigned char>(item[0]), 0xFF);
    EXPECT_EQ(item.substr(1), FormatEntryLine(entry));
    EXPECT_EQ(item.substr(1, 17), "01 Jul 2001 23:59");
}

TEST(BrowseEntryLine, RulesStandAtFixedPixelsForEightPixelCells) {
    int x[kLineRuleCount];
    LineRulePositions(8, x);
    EXPECT_EQ(std::vector<int>(x, x + kLineRuleCount), (std::vector<int>{92, 140, 310, 510, 587}));
}

TEST(BrowseEntryLine, RulesMoveIntoTheSeparatorColumnsForOtherCells) {
    int x[kLineRuleCount];
    LineRulePositions(7, x);
    EXPECT_EQ(std::vector<int>(x, x + kLineRuleCount), (std::vector<int>{80, 122, 269, 444, 514}));
    LineRulePositions(9, x);
    EXPECT_EQ(std::vector<int>(x, x + kLineRuleCount), (std::vector<int>{103, 157, 346, 571, 661}));
}

TEST(BrowseTexts, ColumnHeadingPlacesEachName) {
    std::string heading = kColumnHeading;
    ASSERT_EQ(heading.size(), 99u);
    EXPECT_EQ(heading.find("Date"), 2u);
    EXPECT_EQ(heading.find("Time"), 12u);
    EXPECT_EQ(heading.find("Station"), 20u);
    EXPECT_EQ(heading.find("Location"), 42u);
    EXPECT_EQ(heading.find("Freq "), 65u);
    EXPECT_EQ(heading.find("Remarks  "), 90u);
    EXPECT_EQ(heading.find_first_not_of(" DateTimStionLcFrqRmks"), std::string::npos);
}

TEST(BrowseTexts, WindowTitleEndsWithTheLogPath) {
    EXPECT_EQ(BrowseWindowTitle("C:\\Logs\\A.ULM"),
              "CORVANE v6    Browse Log                              C:\\Logs\\A.ULM");
    EXPECT_EQ(BrowseWindowTitle("").size(), 24u + 30u);
}
