#include "browse/page_state.h"

#include <algorithm>

PageState BrowsePage;

namespace {

constexpr int32_t kSmallPage = 24;
constexpr int32_t kMediumPage = 30;
constexpr int32_t kLargePage = 40;

}  // namespace

int32_t PageSizeForScale(float scale) {
    if (scale > 1.3f) return kLargePage;
    if (scale > 1.1f) return kMediumPage;
    return kSmallPage;
}

void OpenPage(PageState& page, int32_t entryCount, float scale) {
    page.PageTop = 0;
    page.PageSize = PageSizeForScale(scale);
    page.SelectedLine = 0;
    FitPageToCount(page, entryCount);
}

void FitPageToCount(PageState& page, int32_t entryCount) {
    int32_t lastTop = entryCount - page.PageSize;
    if (lastTop < 1) {
        page.PageLines = entryCount;
        page.LastPageTop = 0;
    } else {
        page.PageLines = page.PageSize;
        page.LastPageTop = lastTop;
    }
    page.PageTop = std::clamp(page.PageTop, 0, page.LastPageTop);
    page.SelectedLine = std::clamp(page.SelectedLine, 0, page.PageLines);
}

bool PageUp(PageState& page) {
    if (page.PageTop == 0) return false;
    page.PageTop = std::max(page.PageTop - (page.PageSize - 1), 0);
    page.SelectedLine = 0;
    return true;
}

bool PageDown(PageState& page) {
    if (page.PageTop == page.LastPageTop) return false;
    int64_t top = static_cast<int64_t>(page.PageTop) + (page.PageSize - 1);
    page.PageTop = static_cast<int32_t>(std::min<int64_t>(top, page.LastPageTop));
    page.SelectedLine = 0;
    return true;
}

bool PageHome(PageState& page) {
    if (page.PageTop == 0) return false;
    page.PageTop = 0;
    return true;
}

bool PageEnd(PageState& page) {
    if (page.PageTop == page.LastPageTop) return false;
    page.PageTop = page.LastPageTop;
    return true;
}

void SelectListLine(PageState& page, int listIndex) {
    page.SelectedLine = listIndex < 0 ? 0 : std::min<int32_t>(listIndex + 1, page.PageLines);
}

int32_t ChosenEntry(const PageState& page) {
    if (page.SelectedLine < 1) return 0;
    return page.PageTop + page.SelectedLine;
}

bool PlaceMatchOnPage(PageState& page, int32_t entry) {
    if (page.PageTop < entry && entry - page.PageTop <= page.PageSize) {
        page.SelectedLine = entry - page.PageTop;
        return false;
    }
    page.PageTop = entry - 1;
    if (page.PageTop > page.LastPageTop) {
        page.PageTop = page.LastPageTop;
        page.SelectedLine = entry - page.PageTop;
    } else {
        page.SelectedLine = 1;
    }
    return true;
}

void AdjustPageAfterRemoval(PageState& page, int32_t removed, int32_t entryCount) {
    if (page.LastPageTop == page.PageTop && page.PageTop > 0) page.PageTop -= 1;
    if (page.LastPageTop > 0) {
        page.LastPageTop -= 1;
    } else {
        page.PageLines = entryCount;
    }
    FitPageToCount(page, entryCount);  // a guard: the steps above already keep the page inside the log
    page.SelectedLine = 0;
    if (removed > 0 && removed < page.SearchPosition) page.SearchPosition -= 1;
}
