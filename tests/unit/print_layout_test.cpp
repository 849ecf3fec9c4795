#include <gtest/gtest.h>

#include <vector>

#include "print/page_layout.h"
#include "print/print_text.h"
#include "tests/unit/test_files.h"

namespace {

// 300 dots per inch with a font of 25 x 46 dots: LH/4 and LH/2 are not whole,
// so the rounding of the heading rules shows.
const PageMetrics k300 = {300, 25, 46};
// Positions on such a page, worked out by hand.
const int kLeft = 50, kRight = 3300;
const int kRules[7] = {50, 375, 550, 1100, 1750, 2025, 3300};

std::vector<LogEntry> Entries(int count) {
    std::vector<LogEntry> entries;
    for (int i = 1; i <= count; ++i) entries.push_back(MakeEntry("Station " + std::to_string(i)));
    return entries;
}

DrawOp Text(int x, int y, const std::string& text) {
    DrawOp op;
    op.Kind = DrawKind::Text;
    op.X = x;
    op.Y = y;
    op.Text = text;
    return op;
}

DrawOp Line(int x, int y, int x2, int y2) {
    DrawOp op;
    op.Kind = DrawKind::Line;
    op.X = x;
    op.Y = y;
    op.EndX = x2;
    op.EndY = y2;
    return op;
}

DrawOp Mark(DrawKind kind) {
    DrawOp op;
    op.Kind = kind;
    return op;
}

void AddVerticals(int top, int bottom, std::vector<DrawOp>* ops) {
    for (int x : kRules) ops->push_back(Line(x, top, x, bottom));
}

// Page 1's number, heading block and rules on a 300-DPI page.
std::vector<DrawOp> HeadingOps(int page) {
    std::vector<DrawOp> ops = {Text(3000, 46, "Page " + std::to_string(page)), Line(kLeft, 214, kRight, 214),
                               Text(75, 225, HeadingText()), Line(kLeft, 282, kRight, 282)};
    AddVerticals(214, 294, &ops);
    return ops;
}

bool SameOp(const DrawOp& a, const DrawOp& b) {
    return a.Kind == b.Kind && a.X == b.X && a.Y == b.Y && a.EndX == b.EndX && a.EndY == b.EndY && a.Text == b.Text;
}

void ExpectSameOps(const std::vector<DrawOp>& actual, const std::vector<DrawOp>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_TRUE(SameOp(actual[i], expected[i]))
            << "op " << i << ": kind " << static_cast<int>(actual[i].Kind) << " at " << actual[i].X << ","
            << actual[i].Y << " to " << actual[i].EndX << "," << actual[i].EndY << " '" << actual[i].Text << "'";
    }
}

// The operations split at each page end (the page end itself left out).
std::vector<std::vector<DrawOp>> Pages(const std::vector<DrawOp>& ops) {
    std::vector<std::vector<DrawOp>> pages(1);
    for (const DrawOp& op : ops) {
        if (op.Kind == DrawKind::PageEnd) {
            pages.emplace_back();
        } else {
            pages.back().push_back(op);
        }
    }
    pages.pop_back();  // nothing follows the last page end
    return pages;
}

int CountTexts(const std::vector<DrawOp>& ops) {
    int n = 0;
    for (const DrawOp& op : ops) n += op.Kind == DrawKind::Text;
    return n;
}

int CountKind(const std::vector<DrawOp>& ops, DrawKind kind) {
    int n = 0;
    for (const DrawOp& op : ops) n += op.Kind == kind;
    return n;
}

}  // namespace

TEST(PageGeometry, RulesStandInTheSeparatorsOfTheRow) {
    PageGeometry g = ComputeGeometry(k300);
    EXPECT_EQ(g.TextLeft, 75);
    EXPECT_EQ(g.HeadingTop, 225);
    EXPECT_EQ(g.TableLeft, 50);
    EXPECT_EQ(g.TableRight, 3300);
    const int expected[5] = {375, 550, 1100, 1750, 2025};  // X0 + 12, 19, 41, 67, 78 CW
    for (int i = 0; i < 5; ++i) EXPECT_EQ(g.Rules[i], expected[i]) << i;
    EXPECT_EQ(g.PageNumberX, 3000);
    EXPECT_EQ(g.PageNumberY, 46);
}

TEST(PageGeometry, InchMeasuresFollowTheResolution) {
    PageGeometry g = ComputeGeometry({600, 50, 90});
    EXPECT_EQ(g.TextLeft, 150);
    EXPECT_EQ(g.HeadingTop, 450);
    EXPECT_EQ(g.TableLeft, 100);
    EXPECT_EQ(g.TableRight, 6600);
    EXPECT_EQ(g.Rules[0], 750);
    EXPECT_EQ(g.Rules[4], 4050);
    EXPECT_EQ(g.PageNumberX, 6000);
    // A quarter inch of 150 dots rounds 37.5 to the even 38; 0.75 x 150 = 112.5 to 112.
    PageGeometry odd = ComputeGeometry({150, 12, 20});
    EXPECT_EQ(odd.TextLeft, 38);
    EXPECT_EQ(odd.HeadingTop, 112);
    EXPECT_EQ(odd.TableLeft, 26);
}

TEST(PageLayout, StartAboveTheCountDrawsOnlyTheClosingRuleAtTheTop) {
    std::vector<DrawOp> ops = LayoutPages(k300, {}, true);
    ExpectSameOps(ops, {Line(kLeft, 0, kRight, 0), Mark(DrawKind::PageEnd)});
}

TEST(PageLayout, OneEntryGivesHeadingRowAndClosingRule) {
    LogEntry entry = MakeEntry("Example Radio", "07-03-2004", "21:45", "6070", "Sometown", "");
    std::vector<DrawOp> expected = HeadingOps(1);
    expected.push_back(Text(75, 294, PrintedRow(entry)));
    AddVerticals(294, 340, &expected);
    expected.push_back(Line(kLeft, 340, kRight, 340));  // the row's own rule
    expected.push_back(Line(kLeft, 340, kRight, 340));  // the closing rule on top of it
    expected.push_back(Mark(DrawKind::PageEnd));
    ExpectSameOps(LayoutPages(k300, {entry}, false), expected);
}

TEST(PageLayout, HeadingRulesRoundHalvesToEven) {
    // LH 90 at 600 DPI: 450 - 22.5 = 427.5 rounds to 428, 450 + 90 + 22.5 = 562.5 to 562.
    std::vector<DrawOp> ops = LayoutPages({600, 50, 90}, Entries(1), false);
    ASSERT_GE(ops.size(), 5u);
    EXPECT_TRUE(SameOp(ops[1], Line(100, 428, 6600, 428)));
    EXPECT_TRUE(SameOp(ops[2], Text(150, 450, HeadingText())));
    EXPECT_TRUE(SameOp(ops[3], Line(100, 562, 6600, 562)));
    EXPECT_TRUE(SameOp(ops[4], Line(100, 428, 100, 585)));  // 450 + 90 + 45
    EXPECT_TRUE(SameOp(ops[11], Text(150, 585, PrintedRow(Entries(1)[0]))));
}

TEST(PageLayout, FortySixEntriesFillPageOneAndLeaveAHeadingOnPageTwo) {
    std::vector<LogEntry> entries = Entries(46);
    std::vector<DrawOp> ops = LayoutPages(k300, entries, false);
    std::vector<std::vector<DrawOp>> pages = Pages(ops);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(CountTexts(pages[0]), 2 + 46);
    EXPECT_EQ(CountKind(ops, DrawKind::AskNextPage), 0);
    // The 46th row sits at 294 + 45 x 46 and is closed by its rule at 2410.
    const std::vector<DrawOp>& first = pages[0];
    EXPECT_TRUE(SameOp(first[first.size() - 9], Text(75, 2364, PrintedRow(entries[45]))));
    EXPECT_TRUE(SameOp(first.back(), Line(kLeft, 2410, kRight, 2410)));
    std::vector<DrawOp> second = HeadingOps(2);
    second.push_back(Line(kLeft, 294, kRight, 294));  // closing rule just below the heading
    ExpectSameOps(pages[1], second);
}

TEST(PageLayout, FortySevenEntriesPutOneRowOnPageTwo) {
    std::vector<LogEntry> entries = Entries(47);
    std::vector<std::vector<DrawOp>> pages = Pages(LayoutPages(k300, entries, false));
    ASSERT_EQ(pages.size(), 2u);
    std::vector<DrawOp> second = HeadingOps(2);
    second.push_back(Text(75, 294, PrintedRow(entries[46])));
    AddVerticals(294, 340, &second);
    second.push_back(Line(kLeft, 340, kRight, 340));
    second.push_back(Line(kLeft, 340, kRight, 340));
    ExpectSameOps(pages[1], second);
}

TEST(PageLayout, PauseAsksAfterEveryFullPage) {
    std::vector<DrawOp> ops = LayoutPages(k300, Entries(93), true);
    std::vector<size_t> pageEnds, asks;
    for (size_t i = 0; i < ops.size(); ++i) {
        if (ops[i].Kind == DrawKind::PageEnd) pageEnds.push_back(i);
        if (ops[i].Kind == DrawKind::AskNextPage) asks.push_back(i);
    }
    ASSERT_EQ(pageEnds.size(), 3u);
    ASSERT_EQ(asks.size(), 2u);
    EXPECT_EQ(asks[0], pageEnds[0] + 1);
    EXPECT_EQ(asks[1], pageEnds[1] + 1);
    EXPECT_EQ(ops[asks[1] + 1].Text, "Page 3");
    // Exactly 46 entries still ask, since page 2 gets its heading.
    EXPECT_EQ(CountKind(LayoutPages(k300, Entries(46), true), DrawKind::AskNextPage), 1);
    EXPECT_EQ(CountKind(LayoutPages(k300, Entries(45), true), DrawKind::AskNextPage), 0);
}

TEST(PageLayout, EachRunStartsAgainAtPageOne) {
    std::vector<LogEntry> entries = Entries(50);
    std::vector<DrawOp> first = LayoutPages(k300, entries, false);
    std::vector<DrawOp> second = LayoutPages(k300, entries, false);
    ExpectSameOps(second, first);
    EXPECT_EQ(second[0].Text, "Page 1");
    EXPECT_EQ(second[0].Y, 46);
}

TEST(PageLayout, EntriesCanBeLaidOutOneByOne) {
    // The printer side feeds entries as they are read; that gives the same pages.
    std::vector<LogEntry> entries = Entries(47);
    PageLayout layout = StartLayout(k300, true);
    std::vector<DrawOp> ops;
    for (const LogEntry& entry : entries) {
        std::vector<DrawOp> some;
        LayoutEntry(&layout, entry, &some);
        ops.insert(ops.end(), some.begin(), some.end());
    }
    EXPECT_EQ(layout.PageNumber, 2);
    EXPECT_EQ(layout.RowsOnPage, 1);
    EXPECT_EQ(layout.RowY, 340);
    LayoutFinish(&layout, &ops);
    ExpectSameOps(ops, LayoutPages(k300, entries, true));
}
