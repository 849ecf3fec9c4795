#include "logging/recent_rows.h"

int RecentRowsFor(float scale) {
    int rows = 15;
    if (scale > 1.1f) rows = 20;
    if (scale > 1.3f) rows = 25;
    return rows;
}

std::string BlankRecentRow() { return kRecentMarker + std::string(kBlankRowWidth, ' '); }

std::string RecentReportRow(const LogEntry& entry) {
    std::string row(1, kRecentMarker);
    row += FieldText(entry.Station) + " " + FieldText(entry.Time) + " " + FieldText(entry.Freq) + " " +
           FieldText(entry.Location) + " " + FieldText(entry.Remarks);
    return row;
}

RecentPlacement PlaceRecentReport(int recentFilled, int recentRows) {
    if (recentFilled >= recentRows) return {0, -1};
    return {recentFilled, recentFilled};
}

int FilledAfterReport(int recentFilled, int recentRows) {
    return recentFilled < recentRows ? recentFilled + 1 : recentRows;
}

int TopRowShowing(int row, int topRow, int visibleRows) {
    if (visibleRows < 1) visibleRows = 1;
    if (row < topRow) return row;
    if (row >= topRow + visibleRows) return row - visibleRows + 1;
    return topRow;
}

std::string RowColumnText(const std::string& shownRow, int column) {
    if (column < 0 || column >= kRowColumns) return "";
    size_t first = static_cast<size_t>(kRecentColumns[column].First);
    if (first >= shownRow.size()) return "";
    return shownRow.substr(first, static_cast<size_t>(kRecentColumns[column].Width));
}
