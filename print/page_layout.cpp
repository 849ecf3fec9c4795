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
    op.Kind = DrawKind::Text;
    op.X = x;
    op.Y = y;
    op.Text = text;
    ops->push_back(op);
}

void AddLine(int x, int y, int x2, int y2, std::vector<DrawOp>* ops) {
    DrawOp op;
    op.Kind = DrawKind::Line;
    op.X = x;
    op.Y = y;
    op.EndX = x2;
    op.EndY = y2;
    ops->push_back(op);
}

void AddMark(DrawKind kind, std::vector<DrawOp>* ops) {
    DrawOp op;
    op.Kind = kind;
    ops->push_back(op);
}

void HorizontalRule(const PageGeometry& g, int y, std::vector<DrawOp>* ops) {
    AddLine(g.TableLeft, y, g.TableRight, y, ops);
}

// The table's two edges and its five inner rules, from top to bottom.
void VerticalRules(const PageGeometry& g, int top, int bottom, std::vector<DrawOp>* ops) {
    AddLine(g.TableLeft, top, g.TableLeft, bottom, ops);
    for (int x : g.Rules) AddLine(x, top, x, bottom, ops);
    AddLine(g.TableRight, top, g.TableRight, bottom, ops);
}

void LayoutHeading(PageLayout* layout, std::vector<DrawOp>* ops) {
    const PageGeometry& g = layout->Geometry;
    const double lh = layout->Metrics.LineHeight;
    AddText(g.PageNumberX, g.PageNumberY, PageNumberText(layout->PageNumber), ops);
    int top = Round(g.HeadingTop - lh / 4);
    HorizontalRule(g, top, ops);
    AddText(g.TextLeft, g.HeadingTop, HeadingText(), ops);
    HorizontalRule(g, Round(g.HeadingTop + lh + lh / 4), ops);
    int bottom = Round(g.HeadingTop + lh + lh / 2);
    VerticalRules(g, top, bottom, ops);
    layout->RowY = bottom;
    layout->RowsOnPage = 0;
}

void LayoutPageBreak(PageLayout* layout, std::vector<DrawOp>* ops) {
    AddMark(DrawKind::PageEnd, ops);
    layout->PageNumber += 1;
    if (layout->PauseBetweenPages) AddMark(DrawKind::AskNextPage, ops);
    // The next page gets its heading at once, even when no entry is left.
    LayoutHeading(layout, ops);
}

}  // namespace

PageGeometry ComputeGeometry(const PageMetrics& m) {
    PageGeometry g;
    g.TextLeft = Round(0.25 * m.DotsPerInch);
    g.HeadingTop = Round(0.75 * m.DotsPerInch);
    g.TableLeft = g.TextLeft - m.CharWidth;
    g.TableRight = kTableRightInChars * m.CharWidth;
    int x = g.TableLeft;
    for (int i = 0; i < 5; ++i) {
        x += kRuleSteps[i] * m.CharWidth;
        g.Rules[i] = x;
    }
    g.PageNumberX = 10 * m.DotsPerInch;
    g.PageNumberY = m.LineHeight;
    return g;
}

PageLayout StartLayout(const PageMetrics& metrics, bool pauseBetweenPages) {
    PageLayout layout;
    layout.Metrics = metrics;
    layout.Geometry = ComputeGeometry(metrics);
    layout.PauseBetweenPages = pauseBetweenPages;
    return layout;
}

void LayoutEntry(PageLayout* layout, const LogEntry& entry, std::vector<DrawOp>* ops) {
    if (!layout->HeadingDone) {
        LayoutHeading(layout, ops);
        layout->HeadingDone = true;
    }
    const PageGeometry& g = layout->Geometry;
    int top = layout->RowY;
    AddText(g.TextLeft, top, PrintedRow(entry), ops);
    VerticalRules(g, top, top + layout->Metrics.LineHeight, ops);
    layout->RowY = top + layout->Metrics.LineHeight;
    HorizontalRule(g, layout->RowY, ops);
    layout->RowsOnPage += 1;
    if (layout->RowsOnPage == kRowsPerPage) LayoutPageBreak(layout, ops);
}

void LayoutFinish(PageLayout* layout, std::vector<DrawOp>* ops) {
    HorizontalRule(layout->Geometry, layout->RowY, ops);
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
