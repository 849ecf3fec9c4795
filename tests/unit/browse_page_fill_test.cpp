#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "browse/entry_line.h"
#include "browse/page_fill.h"
#include "logstore/log_change.h"
#include "records/text_trim.h"
#include "tests/unit/browse_logs.h"

namespace {

struct FillLog {
    explicit FillLog(int count) {
        Bytes = LogBytes(count);
        WriteBytes(Dir.Path("F.ULM"), Bytes);
        OpenLog(Log, Dir.Path("F.ULM"));
    }
    ~FillLog() { CloseLog(Log); }
    LogEntry Entry(int n) const {
        LogEntry entry;
        std::memcpy(&entry, RecordOf(Bytes, n).data(), sizeof entry);
        return entry;
    }
    TempDir Dir;
    std::string Bytes;
    LogStore Log;
};

}  // namespace

TEST(BrowsePageFill, ThePageHoldsItsEntriesAsListItems) {
    FillLog f(100);
    PageState page;
    OpenPage(page, f.Log.EntryCount, 1.0f);
    page.PageTop = 23;
    page.SearchArmed = true;
    std::vector<std::string> items;
    FillPage(f.Log, page, &items);
    ASSERT_EQ(items.size(), 24u);
    for (int i = 0; i < 24; ++i) EXPECT_EQ(items[static_cast<size_t>(i)], ListItemText(f.Entry(24 + i))) << i;
    EXPECT_EQ(items[0].substr(1, 28), "06 Dec 2026 19:30 Station 24");
    EXPECT_FALSE(page.SearchArmed);
    EXPECT_EQ(EntryBytes(f.Log.EntryBuffer), RecordOf(f.Bytes, 47));
    EXPECT_EQ(RangeText(FirstShownEntry(page)), " 24");
    EXPECT_EQ(RangeText(LastShownEntry(page)), " 47");
    EXPECT_EQ(RangeText(LastReadEntry(page, 24)), " 47");
}

TEST(BrowsePageFill, FortyLinesAtTheEnd) {
    FillLog f(100);
    PageState page;
    OpenPage(page, f.Log.EntryCount, 1.6f);
    page.PageTop = page.LastPageTop;
    std::vector<std::string> items;
    FillPage(f.Log, page, &items);
    ASSERT_EQ(items.size(), 40u);
    EXPECT_EQ(items.front(), ListItemText(f.Entry(61)));
    EXPECT_EQ(items.back(), ListItemText(f.Entry(100)));
}

TEST(BrowsePageFill, AnEmptyLogGivesAnEmptyPage) {
    FillLog f(0);
    PageState page;
    OpenPage(page, f.Log.EntryCount, 1.0f);
    std::vector<std::string> items = {"stale"};
    page.SearchArmed = true;
    FillPage(f.Log, page, &items);
    EXPECT_TRUE(items.empty());
    EXPECT_FALSE(page.SearchArmed);
}

TEST(BrowsePageFill, EntriesThatCannotBeReadAreNotShownAsOthers) {
    FillLog f(10);
    PageState page;
    OpenPage(page, 10, 1.0f);
    CloseLog(f.Log);
    f.Log.EntryBuffer = MakeEntry("Stale");
    std::vector<std::string> items;
    FillPage(f.Log, page, &items);
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(TrimRight(FieldText(f.Log.EntryBuffer.Station)), "Stale");
}

TEST(BrowsePageFill, ARangeNamesOnlyTheEntriesRead) {
    FillLog f(10);
    PageState page;
    OpenPage(page, f.Log.EntryCount, 1.0f);
    // Another program cuts the log to 4 records and part of a fifth.
    WriteBytes(f.Dir.Path("F.ULM"), f.Bytes.substr(0, 4 * kEntrySize + 50));
    std::vector<std::string> items;
    int32_t read = FillPage(f.Log, page, &items);
    EXPECT_EQ(read, 4);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items.back(), ListItemText(f.Entry(4)));
    EXPECT_EQ(RangeText(FirstShownEntry(page)), " 1");
    EXPECT_EQ(RangeText(LastReadEntry(page, read)), " 4");
    EXPECT_EQ(RangeText(LastShownEntry(page)), " 10");  // what the page would hold
}

TEST(BrowsePageFill, ARangeAfterAFailedReadNamesNoEntry) {
    FillLog f(30);
    PageState page;
    OpenPage(page, f.Log.EntryCount, 1.0f);
    page.PageTop = 6;
    CloseLog(f.Log);
    std::vector<std::string> items;
    EXPECT_EQ(FillPage(f.Log, page, &items), 0);
    EXPECT_EQ(RangeText(LastReadEntry(page, 0)), " 6");
    EXPECT_EQ(LastReadEntry(page, 99), 30);  // never past the page
}
