#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "browse/entry_removal.h"
#include "browse/page_fill.h"
#include "browse/station_search.h"
#include "logstore/log_change.h"
#include "records/text_trim.h"
#include "tests/unit/browse_logs.h"

namespace {

struct RemovalLog {
    explicit RemovalLog(int count, const std::function<std::string(int)>& station = NumberedStation) {
        Original = LogBytes(count, station);
        WriteBytes(Path(), Original);
        OpenLog(Log, Path());
        OpenPage(Page, Log.EntryCount, 1.0f);
    }
    ~RemovalLog() { CloseLog(Log); }
    std::string Path() const { return Dir.Path("R.ULM"); }
    std::string File() const { return ReadBytes(Path()); }
    // Chooses line `line` of the page and deletes its entry, as the window does after "Yes".
    bool DeleteLine(int32_t line) {
        Page.SelectedLine = line;
        if (ChooseEntryToDelete(Page) == 0) return false;
        return DeleteCurrentEntry(Log, Page, Register);
    }
    // The original file without entry k.
    std::string Without(int k) const {
        std::string bytes = Original;
        bytes.erase(static_cast<size_t>(k - 1) * kEntrySize, kEntrySize);
        return bytes;
    }
    TempDir Dir;
    std::string Original;
    LogStore Log;
    PageState Page;
};

std::vector<std::string> StationsShown(LogStore& log, PageState& page) {
    std::vector<std::string> items;
    FillPage(log, page, &items);
    std::vector<std::string> stations;
    for (const std::string& item : items) stations.push_back(TrimRight(item.substr(1 + 18, 20)));
    return stations;
}

std::vector<std::string> Numbered(int from, int to, int skip = 0) {
    std::vector<std::string> names;
    for (int n = from; n <= to; ++n) {
        if (n != skip) names.push_back(NumberedStation(n));
    }
    return names;
}

}  // namespace

TEST(BrowseRemoval, NoChosenLineDeletesNothing) {
    RemovalLog r(10);
    r.Page.CurrentEntryNumber = 7;
    r.Page.SelectedLine = 0;
    EXPECT_EQ(ChooseEntryToDelete(r.Page), 0);
    EXPECT_EQ(r.Page.CurrentEntryNumber, 7);
    EXPECT_EQ(r.File(), r.Original);
}

TEST(BrowseRemoval, DeletingTheOnlyEntryLeavesAnEmptyLogOpenForAppends) {
    RemovalLog r(1);
    EXPECT_TRUE(r.DeleteLine(1));
    EXPECT_EQ(r.File(), "");
    EXPECT_EQ(r.Log.EntryCount, 0);
    EXPECT_EQ(r.Page.PageLines, 0);
    EXPECT_EQ(r.Page.LastPageTop, 0);
    EXPECT_EQ(r.Page.SelectedLine, 0);
    EXPECT_EQ(RangeText(FirstShownEntry(r.Page)), " 1");
    EXPECT_EQ(RangeText(LastShownEntry(r.Page)), " 0");
    EXPECT_TRUE(StationsShown(r.Log, r.Page).empty());
    r.Log.EntryBuffer = MakeEntry("Next One");
    ASSERT_TRUE(AppendEntry(r.Log));
    EXPECT_EQ(r.File(), EntryBytes(MakeEntry("Next One")));
}

TEST(BrowseRemoval, DeletingTheLastEntryCutsTheFile) {
    RemovalLog r(10);
    EXPECT_TRUE(r.DeleteLine(10));
    EXPECT_EQ(r.File(), r.Original.substr(0, 9 * kEntrySize));
    EXPECT_EQ(r.Log.EntryCount, 9);
    EXPECT_EQ(r.Page.PageLines, 9);
    EXPECT_EQ(StationsShown(r.Log, r.Page), Numbered(1, 9));
}

TEST(BrowseRemoval, DeletingAnInnerEntryMovesTheLaterOnesDown) {
    RemovalLog r(10);
    EXPECT_TRUE(r.DeleteLine(3));
    EXPECT_EQ(r.Page.CurrentEntryNumber, 3);
    EXPECT_EQ(r.File(), r.Without(3));
    EXPECT_EQ(r.Log.EntryCount, 9);
    EXPECT_EQ(r.Page.PageLines, 9);  // the single page shrinks from 10 lines to 9
    EXPECT_EQ(RangeText(LastShownEntry(r.Page)), " 9");
    EXPECT_EQ(StationsShown(r.Log, r.Page), Numbered(1, 10, 3));
}

TEST(BrowseRemoval, OnTheLastPageThePageStaysFull) {
    for (int32_t line : {1, 12, 24}) {
        RemovalLog r(100);
        PageEnd(r.Page);
        ASSERT_EQ(r.Page.PageTop, 76);
        EXPECT_TRUE(r.DeleteLine(line)) << line;
        EXPECT_EQ(r.Page.PageTop, 75) << line;
        EXPECT_EQ(r.Page.LastPageTop, 75) << line;
        EXPECT_EQ(r.Page.PageLines, 24) << line;
        EXPECT_EQ(FirstShownEntry(r.Page), 76) << line;
        EXPECT_EQ(LastShownEntry(r.Page), 99) << line;
        EXPECT_EQ(StationsShown(r.Log, r.Page), Numbered(76, 100, 76 + line)) << line;
        EXPECT_EQ(r.File(), r.Without(76 + line)) << line;
    }
}

TEST(BrowseRemoval, InsideTheLogThePageKeepsItsPlace) {
    RemovalLog r(100);
    r.Page.PageTop = 23;  // entries 24-47
    EXPECT_TRUE(r.DeleteLine(2));
    EXPECT_EQ(r.Page.PageTop, 23);
    EXPECT_EQ(r.Page.LastPageTop, 75);
    EXPECT_EQ(StationsShown(r.Log, r.Page), Numbered(24, 48, 25));
}

TEST(BrowseRemoval, AfterADeletionNoLineIsChosen) {
    RemovalLog r(10);
    ASSERT_TRUE(r.DeleteLine(4));
    EXPECT_EQ(r.Page.SelectedLine, 0);
    EXPECT_EQ(ChooseEntryToDelete(r.Page), 0);
}

TEST(BrowseRemoval, ASearchInProgressStaysArmed) {
    RemovalLog r(10);
    r.Page.SearchArmed = true;
    ASSERT_TRUE(r.DeleteLine(4));
    EXPECT_TRUE(r.Page.SearchArmed);
}

TEST(BrowseRemoval, SearchResumesAtTheEntryThatMovedIntoTheGap) {
    auto station = [](int n) { return n == 5 || n == 6 ? "Radio " + std::to_string(n) : NumberedStation(n); };
    RemovalLog r(20, station);
    r.Page.SearchArmed = true;
    r.Page.SearchPosition = 1;
    ASSERT_EQ(RunSearchStep(r.Log, r.Page, "radio", UpperCaseWestern), SearchStep::MatchOnPage);
    ASSERT_EQ(r.Page.SearchPosition, 6);
    ASSERT_TRUE(r.DeleteLine(2));  // an entry before the search position
    EXPECT_EQ(r.Page.SearchPosition, 5);
    ASSERT_EQ(RunSearchStep(r.Log, r.Page, "radio", UpperCaseWestern), SearchStep::MatchOnPage);
    EXPECT_EQ(TrimRight(FieldText(r.Log.EntryBuffer.Station)), "Radio 6");
    EXPECT_EQ(r.Page.SelectedLine, 5);
}

TEST(BrowseRemoval, DeletingTheMatchedEntryResumesAtTheNextOne) {
    auto station = [](int n) { return n == 5 || n == 6 ? "Radio " + std::to_string(n) : NumberedStation(n); };
    RemovalLog r(20, station);
    r.Page.SearchPosition = 1;
    ASSERT_EQ(RunSearchStep(r.Log, r.Page, "radio", UpperCaseWestern), SearchStep::MatchOnPage);
    ASSERT_EQ(r.Page.SelectedLine, 5);
    ASSERT_TRUE(r.DeleteLine(r.Page.SelectedLine));  // the matched entry itself
    EXPECT_EQ(r.Page.SearchPosition, 5);
    ASSERT_EQ(RunSearchStep(r.Log, r.Page, "radio", UpperCaseWestern), SearchStep::MatchOnPage);
    EXPECT_EQ(TrimRight(FieldText(r.Log.EntryBuffer.Station)), "Radio 6");
}

TEST(BrowseRemoval, DeletingAfterTheSearchPositionLeavesIt) {
    RemovalLog r(20);
    r.Page.SearchPosition = 6;
    ASSERT_TRUE(r.DeleteLine(6));
    EXPECT_EQ(r.Page.SearchPosition, 6);
    ASSERT_TRUE(r.DeleteLine(19));
    EXPECT_EQ(r.Page.SearchPosition, 6);
}

TEST(BrowseRemoval, AReadOnlyLogIsLeftAloneAndTheFailureIsTold) {
    RemovalLog r(10);
    CloseLog(r.Log);
    chmod(r.Path().c_str(), 0444);
    OpenLog(r.Log, r.Path());
    ASSERT_FALSE(r.Log.Writable);
    r.Page.SearchPosition = 8;
    r.Page.SearchArmed = true;
    EXPECT_FALSE(r.DeleteLine(3));
    EXPECT_EQ(r.Log.LastError, LogError::ReadOnly);
    EXPECT_STREQ(DeleteFailedHeading(r.Log.LastError), "The entry could not be deleted. The log is unchanged.");
    EXPECT_EQ(r.File(), r.Original);
    EXPECT_EQ(r.Log.EntryCount, 10);
    EXPECT_EQ(r.Page.PageLines, 10);
    EXPECT_EQ(r.Page.SelectedLine, 0);
    EXPECT_EQ(r.Page.SearchPosition, 8);
    EXPECT_TRUE(r.Page.SearchArmed);
    EXPECT_EQ(StationsShown(r.Log, r.Page), Numbered(1, 10));
}

// Refused before anything moved, the message says the log is unchanged; a
// removal that failed part way says it could not be finished.
TEST(BrowseRemoval, TheFailureMessageSaysWhetherTheLogChanged) {
    RemovalLog r(10);
    ASSERT_EQ(mkdir((r.Path() + ".DLJ").c_str(), 0755), 0);  // no room for the journal
    EXPECT_FALSE(r.DeleteLine(3));
    EXPECT_EQ(r.Log.LastError, LogError::JournalFailed);
    EXPECT_EQ(r.File(), r.Original);
    EXPECT_STREQ(DeleteFailedHeading(r.Log.LastError), "The entry could not be deleted. The log is unchanged.");
    for (LogError partWay :
         {LogError::ReadFailed, LogError::WriteFailed, LogError::FlushFailed, LogError::TruncateFailed}) {
        EXPECT_STREQ(DeleteFailedHeading(partWay), "The entry could not be deleted completely.");
    }
}

TEST(BrowseRemoval, ALogThatIsNotOpenCountsNoEntries) {
    RemovalLog r(30);
    r.Page.PageTop = 6;
    CloseLog(r.Log);  // as after a reopen that failed
    EXPECT_FALSE(r.DeleteLine(1));
    EXPECT_EQ(r.Log.LastError, LogError::NotOpen);
    EXPECT_STREQ(DeleteFailedHeading(r.Log.LastError), "The entry could not be deleted. The log is unchanged.");
    EXPECT_EQ(r.Log.EntryCount, 0);
    EXPECT_EQ(r.Page.PageTop, 0);
    EXPECT_EQ(r.Page.PageLines, 0);
    EXPECT_EQ(r.File(), r.Original);
}
