#include "print/page_layout.h"

#include "print/print_text.h"
#include "print/start_number.h"

namespace {

// Character widths from the table's left edge to each inner rule, in turn.
constexpr int kRuleSteps[5] = {13, 7, 22, 26, 11};
constexpr int kTableRightInChars = 132;

int Round(double value) { return static_cast<int>(RoundHalfEven(value)); }

void AddText(int x, int y, const std::string& text, std::vector<DrawOp>* ops) {
    DrawOp op;
    op.kind = DrawKind::Text;
    op.x = x;
    op.y = y;
    op.text = text;
    ops->push_back(op);
}

void AddLine(int x, int y, int x2, int y2, std::vector<DrawOp>* ops) {
    DrawOp op;
    op.kind = DrawKind::Line;
    op.x = x;
    op.y = y;
    op.x2 = x2;
    op.y2 = y2;
    ops->push_back(op);
}

void AddMark(DrawKind kind, std::vector<DrawOp>* ops) {
    DrawOp op;
    op.kind = kind;
    ops->push_back(op);
}

void HorizontalRule(const PageGeometry& g, int y, std::vector<DrawOp>* ops) { AddLine(g.xl, y, g.xr, y, ops); }

// The table's two edges and its five inner rules, from top to bottom.
void VerticalRules(const PageGeometry& g, int top, int bottom, std::vector<DrawOp>* ops) {
    AddLine(g.xl, top, g.xl, bottom, ops);
    for (int x : g.rules) AddLine(x, top, x, bottom, ops);
    AddLine(g.xr, top, g.xr, bottom, ops);
}

void LayoutHeading(PageLayout* layout, std::vector<DrawOp>* ops) {
    const PageGeometry& g = layout->geometry;
    const double lh = layout->metrics.lh;
    AddText(g.pageNumberX, g.pageNumberY, PageNumberText(layout->pageNumber), ops);
    int top = Round(g.y0 - lh / 4);
    HorizontalRule(g, top, ops);
    AddText(g.x0, g.y0, HeadingText(), ops);
    HorizontalRule(g, Round(g.y0 + lh + lh / 4), ops);
    int bottom = Round(g.y0 + lh + lh / 2);
    VerticalRules(g, top, bottom, ops);
    layout->rowY = bottom;
    layout->rowsOnPage = 0;
}

void LayoutPageBreak(PageLayout* layout, std::vector<DrawOp>* ops) {
    AddMark(DrawKind::PageEnd, ops);
    layout->pageNumber += 1;
    if (layout->pauseBetweenPages) AddMark(DrawKind::AskNextPage, ops);
    // The next page gets its heading at once, even when no entry is left.
    LayoutHeading(layout, ops);
}

}  // namespace

PageGeometry ComputeGeometry(const PageMetrics& m) {
    PageGeometry g;
    g.x0 = Round(0.25 * m.dpi);
    g.y0 = Round(0.75 * m.dpi);
    g.xl = g.x0 - m.cw;
    g.xr = kTableRightInChars * m.cw;
    int x = g.xl;
    for (int i = 0; i < 5; ++i) {
        x += kRuleSteps[i] * m.cw;
        g.rules[i] = x;
    }
    g.pageNumberX = 10 * m.dpi;
    g.pageNumberY = m.lh;
    return g;
}

PageLayout StartLayout(const PageMetrics& metrics, bool pauseBetweenPages) {
    PageLayout layout;
    layout.metrics = metrics;
    layout.geometry = ComputeGeometry(metrics);
    layout.pauseBetweenPages = pauseBetweenPages;
    return layout;
}

void LayoutEntry(PageLayout* layout, const LogEntry& entry, std::vector<DrawOp>* ops) {
    if (!layout->headingDone) {
        LayoutHeading(layout, ops);
        layout->headingDone = true;
    }
    const PageGeometry& g = layout->geometry;
    int top = layout->rowY;
    AddText(g.x0, top, PrintedRow(entry), ops);
    VerticalRules(g, top, top + layout->metrics.lh, ops);
    layout->rowY = top + layout->metrics.lh;
    HorizontalRule(g, layout->rowY, ops);
    layout->rowsOnPage += 1;
    if (layout->rowsOnPage == kRowsPerPage) LayoutPageBreak(layout, ops);
}

void LayoutFinish(PageLayout* layout, std::vector<DrawOp>* ops) {
    HorizontalRule(layout->geometry, layout->rowY, ops);
    AddMark(DrawKind::PageEnd, ops);
}

std::vector<DrawOp> LayoutPages(const PageMetrics& metrics, const std::vector<LogEntry>& entries,
                                bool pauseBetweenPages) {
    std::vector<DrawOp> ops;
    PageLayout layout = StartLayout(metrics, pauseBetweenPages);
    for (const LogEntry& entry : entries) LayoutEntry(&layout, entry, &ops);
    LayoutFinish(&layout, &ops);
    return ops;
}
