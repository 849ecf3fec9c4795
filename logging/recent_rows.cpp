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
