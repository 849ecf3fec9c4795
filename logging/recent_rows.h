// The rows of the logging window's list of recent reports: their texts, how
// many there are, and where a new report goes once the list is full.
#pragma once
#include <string>

#include "logstore/log_entry.h"

// Every row starts with this byte, which is never drawn.
constexpr char kRecentMarker = static_cast<char>(255);
constexpr int kBlankRowWidth = 100;    // blanks after the marker in an empty row
constexpr int kReportRowLength = 110;  // a whole report row, the marker included

// Blank separator columns of a report row, counted from 0 after the marker,
// and the pixel positions of their rules with 8-pixel character cells.
constexpr int kRuleColumns = 4;
constexpr int kRuleSeparatorColumn[kRuleColumns] = {20, 26, 33, 58};
constexpr int kRuleFixedX[kRuleColumns] = {165, 213, 267, 468};

// The five columns of a row after the marker: station, time, frequency,
// location and remarks, as first character and width. Each is drawn in its own
// cells, so the columns stay under their rules even in a font whose glyphs are
// not all one cell wide.
struct RowColumn {
    int First;
    int Width;
};
constexpr int kRowColumns = 5;
constexpr RowColumn kRecentColumns[kRowColumns] = {{0, 20}, {21, 5}, {27, 6}, {34, 24}, {59, 50}};
// The text of column `column` of a row as shown (marker dropped); "" past its end.
std::string RowColumnText(const std::string& shownRow, int column);

// 15 rows, 20 above a scale of 1.1 and 25 above 1.3.
int RecentRowsFor(float scale);

std::string BlankRecentRow();
// The marker, then station, time, frequency, location and remarks of `entry`,
// each at its full field width and separated by single blanks.
std::string RecentReportRow(const LogEntry& entry);

// Where the next report goes: the row to delete, then the row to insert at
// (-1: append at the bottom). Rows are counted from 0.
struct RecentPlacement {
    int DeleteRow;
    int InsertRow;
};
RecentPlacement PlaceRecentReport(int recentFilled, int recentRows);
// The number of filled rows after one more report has been placed.
int FilledAfterReport(int recentFilled, int recentRows);
// The list's new top row so that `row` is in view when `visibleRows` rows fit
// (the font may make the rows taller than the list was laid out for).
int TopRowShowing(int row, int topRow, int visibleRows);
