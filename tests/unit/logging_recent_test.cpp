#include "logging/recent_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/unit/test_files.h"
#include "ui/column_rules.h"
#include "ui/scale.h"

namespace {

TEST(RecentRows, ChosenFromTheScaleWithStrictComparisons) {
    EXPECT_EQ(RecentRowsFor(1.0f), 15);
    EXPECT_EQ(RecentRowsFor(1.1f), 15);
    EXPECT_EQ(RecentRowsFor(std::nextafter(1.1f, 2.0f)), 20);
    EXPECT_EQ(RecentRowsFor(1.25f), 20);
    EXPECT_EQ(RecentRowsFor(1.3f), 20);
    EXPECT_EQ(RecentRowsFor(std::nextafter(1.3f, 2.0f)), 25);
    // Screens 480, 528, 600, 624 and 768 pixels high.
    EXPECT_EQ(RecentRowsFor(ComputeScaleFactor(480)), 15);
    EXPECT_EQ(RecentRowsFor(ComputeScaleFactor(528)), 15);
    EXPECT_EQ(RecentRowsFor(ComputeScaleFactor(600)), 20);
    EXPECT_EQ(RecentRowsFor(ComputeScaleFactor(624)), 20);
    EXPECT_EQ(RecentRowsFor(ComputeScaleFactor(768)), 25);
}

TEST(RecentRows, BlankRowIsMarkerAndHundredBlanks) {
    std::string row = BlankRecentRow();
    ASSERT_EQ(row.size(), 101u);
    EXPECT_EQ(static_cast<unsigned char>(row[0]), 255);
    EXPECT_EQ(row.substr(1), std::string(100, ' '));
}

TEST(RecentRows, ReportRowHoldsTheFiveColumnsAtFullWidth) {
    LogEntry entry = MakeEntry("Radio Alpha", "06-12-2026", "19:30", "9410", "Tirana", "Good signal");
    std::string row = RecentReportRow(entry);
    ASSERT_EQ(row.size(), 110u);
    std::string expected = std::string(1, static_cast<char>(255)) + "Radio Alpha         " + " " + "19:30" + " " +
                           "9410  " + " " + "Tirana                  " + " " + "Good signal" + std::string(39, ' ');
    EXPECT_EQ(row, expected);
    // The rules stand in these blank columns (counted after the marker).
    for (int column : kRuleSeparatorColumn) EXPECT_EQ(row[static_cast<size_t>(column) + 1], ' ') << column;
    // A full station runs right up to its separator.
    LogEntry full = MakeEntry("ABCDEFGHIJKLMNOPQRSTUVWXY", "06-12-2026", "23:59", "123456", std::string(24, 'L'),
                              std::string(50, 'R'));
    std::string fullRow = RecentReportRow(full);
    EXPECT_EQ(fullRow.substr(1, 21), "ABCDEFGHIJKLMNOPQRST ");
    EXPECT_EQ(fullRow.substr(22, 5 + 1 + 6 + 1), "23:59 123456 ");
    EXPECT_EQ(fullRow.substr(35, 24), std::string(24, 'L'));
    EXPECT_EQ(fullRow.substr(59, 1), " ");
    EXPECT_EQ(fullRow.substr(60), std::string(50, 'R'));
}

TEST(RecentRows, ListFillsFromTheTopThenRolls) {
    EXPECT_EQ(PlaceRecentReport(0, 15).DeleteRow, 0);
    EXPECT_EQ(PlaceRecentReport(0, 15).InsertRow, 0);
    EXPECT_EQ(PlaceRecentReport(14, 15).DeleteRow, 14);
    EXPECT_EQ(PlaceRecentReport(14, 15).InsertRow, 14);
    EXPECT_EQ(PlaceRecentReport(15, 15).DeleteRow, 0);
    EXPECT_EQ(PlaceRecentReport(15, 15).InsertRow, -1);
    EXPECT_EQ(FilledAfterReport(0, 15), 1);
    EXPECT_EQ(FilledAfterReport(14, 15), 15);
    EXPECT_EQ(FilledAfterReport(15, 15), 15);
}

TEST(RecentRows, NewestReportIsScrolledIntoView) {
    EXPECT_EQ(TopRowShowing(3, 0, 15), 0);  // all rows fit: the list never moves
    EXPECT_EQ(TopRowShowing(14, 0, 15), 0);
    EXPECT_EQ(TopRowShowing(14, 0, 14), 1);  // one row short: the bottom row brings the list up one
    EXPECT_EQ(TopRowShowing(24, 0, 23), 2);
    EXPECT_EQ(TopRowShowing(24, 2, 23), 2);  // already in view
    EXPECT_EQ(TopRowShowing(0, 5, 10), 0);   // above the view
    EXPECT_EQ(TopRowShowing(7, 0, 0), 7);    // no room at all: the row itself at the top
}

TEST(RecentRows, RulesFallInsideTheSeparatorCellsForAnyCellWidth) {
    const int fixed8[kRuleColumns] = {165, 213, 267, 468};
    for (int i = 0; i < kRuleColumns; ++i) {
        EXPECT_EQ(RuleX(kRuleFixedX[i], kRuleSeparatorColumn[i], 8), fixed8[i]) << i;
        for (int cell : {6, 7, 9, 10}) {
            int x = RuleX(kRuleFixedX[i], kRuleSeparatorColumn[i], cell);
            EXPECT_GE(x, kRuleSeparatorColumn[i] * cell) << i << " cell " << cell;
            EXPECT_LT(x, kRuleSeparatorColumn[i] * cell + cell) << i << " cell " << cell;
        }
    }
}

}  // namespace

namespace {

TEST(RecentRows, ColumnsTileTheRowBetweenTheRules) {
    // Each column ends where the next rule's blank column is, the last at the row's end.
    for (int i = 0; i < kRuleColumns; ++i) {
        EXPECT_EQ(kRecentColumns[i].First + kRecentColumns[i].Width, kRuleSeparatorColumn[i]) << i;
        EXPECT_EQ(kRecentColumns[i + 1].First, kRuleSeparatorColumn[i] + 1) << i;
    }
    EXPECT_EQ(kRecentColumns[4].First + kRecentColumns[4].Width + 1, kReportRowLength);

    LogEntry entry = MakeEntry("ABCDEFGHIJKLMNOPQRST", "06-12-2026", "07:05", "15400", "Wertachtal", "Fair");
    std::string shown = RecentReportRow(entry).substr(1);
    EXPECT_EQ(RowColumnText(shown, 0), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(RowColumnText(shown, 1), "07:05");
    EXPECT_EQ(RowColumnText(shown, 2), "15400 ");
    EXPECT_EQ(RowColumnText(shown, 3), "Wertachtal" + std::string(14, ' '));
    EXPECT_EQ(RowColumnText(shown, 4), "Fair" + std::string(46, ' '));
    EXPECT_EQ(RowColumnText(shown, 5), "");
    // A blank row is 100 blanks: its remarks column is cut short, not overrun.
    std::string blank = BlankRecentRow().substr(1);
    EXPECT_EQ(RowColumnText(blank, 4), std::string(41, ' '));
    EXPECT_EQ(RowColumnText("short", 1), "");
}

}  // namespace
