#include "browse/page_fill.h"

#include <algorithm>

#include "browse/entry_line.h"

int32_t FillPage(LogStore& log, PageState& page, std::vector<std::string>* items) {
    items->clear();
    page.SearchArmed = false;
    if (page.PageLines < 1) return 0;
    std::vector<LogEntry> entries(static_cast<size_t>(page.PageLines));
    int32_t got = 0;
    // A read that fails shows only the lines that arrived, never stale ones.
    ReadEntries(log, page.PageTop + 1, page.PageLines, entries.data(), &got);
    for (int32_t i = 0; i < got; ++i) items->push_back(ListItemText(entries[static_cast<size_t>(i)]));
    if (got > 0) log.EntryBuffer = entries[static_cast<size_t>(got) - 1];
    return got;
}

std::string RangeText(int32_t number) { return " " + std::to_string(number); }

int32_t FirstShownEntry(const PageState& page) { return page.PageTop + 1; }

int32_t LastShownEntry(const PageState& page) { return page.PageTop + page.PageLines; }

int32_t LastReadEntry(const PageState& page, int32_t linesRead) {
    return page.PageTop + std::clamp(linesRead, 0, page.PageLines);
}
