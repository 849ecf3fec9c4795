#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "browse/page_fill.h"
#include "browse/page_state.h"
#include "ui/scale.h"

namespace {

using Range = std::pair<int32_t, int32_t>;

Range Shown(const PageState& page) { return {FirstShownEntry(page), LastShownEntry(page)}; }

PageState Opened(int32_t entryCount, float scale = 1.0f) {
    PageState page;
    OpenPage(page, entryCount, scale);
    return page;
}

}  // namespace

TEST(BrowsePageState, PageSizeFollowsTheScreenScale) {
    EXPECT_EQ(PageSizeForScale(1.0f), 24);
    EXPECT_EQ(PageSizeForScale(ComputeScaleFactor(528)), 24);  // exactly 1.1
    EXPECT_EQ(PageSizeForScale(ComputeScaleFactor(600)), 30);  // 1.25
    EXPECT_EQ(PageSizeForScale(ComputeScaleFactor(624)), 30);  // exactly 1.3
    EXPECT_EQ(PageSizeForScale(ComputeScaleFactor(768)), 40);  // 1.6
    EXPECT_EQ(PageSizeForScale(ComputeScaleFactor(1200)), 40);
}

TEST(BrowsePageState, OpeningStartsOnTheFirstPageWithNoLineChosen) {
    PageState page;
    page.PageTop = 50;
    page.SelectedLine = 3;
    page.SearchPosition = 17;
    page.EntryEdited = true;
    OpenPage(page, 100, 1.0f);
    EXPECT_EQ(page.PageTop, 0);
    EXPECT_EQ(page.PageSize, 24);
    EXPECT_EQ(page.LastPageTop, 76);
    EXPECT_EQ(page.PageLines, 24);
    EXPECT_EQ(page.SelectedLine, 0);
    EXPECT_EQ(page.SearchPosition, 17);  // kept from before
    EXPECT_TRUE(page.EntryEdited);
    EXPECT_EQ(Shown(page), Range(1, 24));
}

TEST(BrowsePageState, PagingThroughAHundredEntries) {
    PageState page = Opened(100);
    std::vector<Range> seen;
    while (PageDown(page)) seen.push_back(Shown(page));
    EXPECT_EQ(seen, (std::vector<Range>{{24, 47}, {47, 70}, {70, 93}, {77, 100}}));
    EXPECT_FALSE(PageDown(page));
    EXPECT_EQ(Shown(page), Range(77, 100));
    EXPECT_TRUE(PageUp(page));
    EXPECT_EQ(Shown(page), Range(54, 77));
    EXPECT_TRUE(PageHome(page));
    EXPECT_EQ(Shown(page), Range(1, 24));
    EXPECT_FALSE(PageHome(page));
    EXPECT_FALSE(PageUp(page));
    EXPECT_TRUE(PageEnd(page));
    EXPECT_EQ(Shown(page), Range(77, 100));
    EXPECT_FALSE(PageEnd(page));
}

TEST(BrowsePageState, PageUpStopsAtTheFirstPage) {
    PageState page = Opened(100);
    page.PageTop = 10;
    EXPECT_TRUE(PageUp(page));
    EXPECT_EQ(page.PageTop, 0);
}

TEST(BrowsePageState, PageUpAndDownClearTheChosenLineHomeAndEndKeepIt) {
    PageState page = Opened(100);
    SelectListLine(page, 4);
    EXPECT_EQ(page.SelectedLine, 5);
    EXPECT_TRUE(PageEnd(page));
    EXPECT_EQ(page.SelectedLine, 5);
    EXPECT_EQ(ChosenEntry(page), 81);
    EXPECT_TRUE(PageHome(page));
    EXPECT_EQ(ChosenEntry(page), 5);
    EXPECT_TRUE(PageDown(page));
    EXPECT_EQ(page.SelectedLine, 0);
    EXPECT_EQ(ChosenEntry(page), 0);
    SelectListLine(page, 0);
    EXPECT_TRUE(PageUp(page));
    EXPECT_EQ(page.SelectedLine, 0);
}

TEST(BrowsePageState, AKeyAtItsLimitChangesNothing) {
    PageState page = Opened(100);
    SelectListLine(page, 2);
    PageState before = page;
    EXPECT_FALSE(PageUp(page));
    EXPECT_FALSE(PageHome(page));
    EXPECT_EQ(page.SelectedLine, before.SelectedLine);
    EXPECT_EQ(page.PageTop, before.PageTop);
}

TEST(BrowsePageState, OneEntryMoreThanAPageMovesByOne) {
    PageState page = Opened(25);
    EXPECT_EQ(page.LastPageTop, 1);
    EXPECT_EQ(page.PageLines, 24);
    EXPECT_TRUE(PageDown(page));
    EXPECT_EQ(Shown(page), Range(2, 25));
    EXPECT_FALSE(PageDown(page));
    EXPECT_TRUE(PageUp(page));
    EXPECT_EQ(Shown(page), Range(1, 24));
}

TEST(BrowsePageState, ALogOfAtMostOnePageHasASinglePage) {
    for (int32_t count : {1, 10, 24}) {
        PageState page = Opened(count);
        EXPECT_EQ(page.LastPageTop, 0) << count;
        EXPECT_EQ(page.PageLines, count) << count;
        EXPECT_FALSE(PageUp(page)) << count;
        EXPECT_FALSE(PageDown(page)) << count;
        EXPECT_FALSE(PageHome(page)) << count;
        EXPECT_FALSE(PageEnd(page)) << count;
        EXPECT_EQ(Shown(page), Range(1, count)) << count;
    }
}

TEST(BrowsePageState, AnEmptyLogShowsOneToZero) {
    PageState page = Opened(0);
    EXPECT_EQ(page.PageLines, 0);
    EXPECT_EQ(page.LastPageTop, 0);
    EXPECT_FALSE(PageDown(page));
    EXPECT_FALSE(PageEnd(page));
    EXPECT_EQ(RangeText(FirstShownEntry(page)), " 1");
    EXPECT_EQ(RangeText(LastShownEntry(page)), " 0");
    EXPECT_EQ(ChosenEntry(page), 0);
}

TEST(BrowsePageState, FortyLinesAPageOnALargeScreen) {
    PageState page = Opened(100, 1.6f);
    EXPECT_EQ(Shown(page), Range(1, 40));
    EXPECT_TRUE(PageDown(page));
    EXPECT_EQ(Shown(page), Range(40, 79));
    EXPECT_TRUE(PageDown(page));
    EXPECT_EQ(Shown(page), Range(61, 100));
}

TEST(BrowsePageState, SelectionFromTheList) {
    PageState page = Opened(10);
    SelectListLine(page, 9);
    EXPECT_EQ(page.SelectedLine, 10);
    SelectListLine(page, -1);  // LB_ERR: nothing selected
    EXPECT_EQ(page.SelectedLine, 0);
    SelectListLine(page, 40);  // never beyond the page
    EXPECT_EQ(page.SelectedLine, 10);
}

TEST(BrowsePageState, AMatchOnThePageIsChosenWithoutMoving) {
    PageState page = Opened(100);
    EXPECT_FALSE(PlaceMatchOnPage(page, 5));
    EXPECT_EQ(page.PageTop, 0);
    EXPECT_EQ(page.SelectedLine, 5);
    EXPECT_FALSE(PlaceMatchOnPage(page, 24));
    EXPECT_EQ(page.SelectedLine, 24);
}

TEST(BrowsePageState, AMatchOffThePageBecomesTheFirstLineOrLandsOnTheLastPage) {
    PageState page = Opened(100);
    EXPECT_TRUE(PlaceMatchOnPage(page, 60));
    EXPECT_EQ(Shown(page), Range(60, 83));
    EXPECT_EQ(page.SelectedLine, 1);
    EXPECT_TRUE(PlaceMatchOnPage(page, 95));
    EXPECT_EQ(Shown(page), Range(77, 100));
    EXPECT_EQ(page.SelectedLine, 19);
    EXPECT_FALSE(PlaceMatchOnPage(page, 100));
    EXPECT_EQ(page.SelectedLine, 24);
    EXPECT_TRUE(PlaceMatchOnPage(page, 77 - 1));  // just above the page
    EXPECT_EQ(Shown(page), Range(76, 99));
    EXPECT_EQ(page.SelectedLine, 1);
}

TEST(BrowsePageState, FittingToAShorterLogKeepsThePageInside) {
    PageState page = Opened(100);
    PageEnd(page);
    SelectListLine(page, 23);
    FitPageToCount(page, 30);
    EXPECT_EQ(page.LastPageTop, 6);
    EXPECT_EQ(page.PageTop, 6);
    FitPageToCount(page, 5);
    EXPECT_EQ(page.PageTop, 0);
    EXPECT_EQ(page.PageLines, 5);
    EXPECT_EQ(page.SelectedLine, 5);
}
