// Where everything goes on the printed pages, as a list of drawing operations
// in printer device units (origin at the top-left corner of the printable
// area). The printer side only replays them, so the geometry is testable
// without a printer.
#pragma once
#include <string>
#include <vector>

#include "logstore/log_entry.h"

constexpr int kRowsPerPage = 46;

enum class DrawKind {
    Text,         // text with its top-left corner at (x, y)
    Line,         // a one-pixel line from (x, y) to (x2, y2)
    PageEnd,      // the page is finished: form feed
    AskNextPage,  // ask whether to go on with the next page; stop on No
};

struct DrawOp {
    DrawKind Kind = DrawKind::Text;
    int X = 0, Y = 0, EndX = 0, EndY = 0;
    std::string Text;
};

// Read from the printer once per run, in device units.
struct PageMetrics {
    int DotsPerInch = 0;  // vertical dots per inch, the unit of every inch measure
    int CharWidth = 0;    // average character width of the print font
    int LineHeight = 0;   // character height plus external leading
};

// The fixed positions of one run's pages.
struct PageGeometry {
    int TextLeft = 0;    // left edge of all text
    int HeadingTop = 0;  // top of the heading text
    int TableLeft = 0;   // left edge of the table
    int TableRight = 0;  // right edge of the table
    int Rules[5] = {};   // the inner vertical rules, left to right
    int PageNumberX = 0, PageNumberY = 0;
};

PageGeometry ComputeGeometry(const PageMetrics& metrics);

// The state of the pages of one run; starts afresh for every run.
struct PageLayout {
    PageMetrics Metrics;
    PageGeometry Geometry;
    bool PauseBetweenPages = false;
    int PageNumber = 1;
    bool HeadingDone = false;
    int RowsOnPage = 0;
    int RowY = 0;  // top of the next row
};

PageLayout StartLayout(const PageMetrics& metrics, bool pauseBetweenPages);
// Appends the operations for one more entry: the heading before the first
// one, the row, and the page break after the last row of a full page.
void LayoutEntry(PageLayout* layout, const LogEntry& entry, std::vector<DrawOp>* ops);
// Appends the closing rule under the last row and the end of the last page.
void LayoutFinish(PageLayout* layout, std::vector<DrawOp>* ops);

// The operations of a whole run over `entries`, for checking and previews.
std::vector<DrawOp> LayoutPages(const PageMetrics& metrics, const std::vector<LogEntry>& entries,
                                bool pauseBetweenPages);
