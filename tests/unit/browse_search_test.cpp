#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browse/page_state.h"
#include "browse/station_search.h"
#include "logstore/log_change.h"
#include "records/text_trim.h"
#include "tests/unit/browse_logs.h"

namespace {

void NoUpperCase(char*, size_t) {}

// A log whose entries are named by `stations` (entry n is stations[n - 1]).
struct SearchLog {
    explicit SearchLog(const std::vector<std::string>& stations) {
        WriteBytes(Dir.Path("S.ULM"), LogBytes(static_cast<int>(stations.size()),
                                               [&](int n) { return stations[static_cast<size_t>(n - 1)]; }));
        OpenLog(Log, Dir.Path("S.ULM"));
    }
    // A log of `count` numbered entries where the listed entries are "Radio Target".
    SearchLog(int count, const std::vector<int>& targets) {
        auto station = [&](int n) {
            for (int t : targets) {
                if (t == n) return std::string("Radio Target");
            }
            return NumberedStation(n);
        };
        WriteBytes(Dir.Path("S.ULM"), LogBytes(count, station));
        OpenLog(Log, Dir.Path("S.ULM"));
    }
    ~SearchLog() { CloseLog(Log); }
    TempDir Dir;
    LogStore Log;
};

// The page as the browse window leaves it once the user has entered the Station field.
PageState ArmedPage(int32_t entryCount) {
    PageState page;
    OpenPage(page, entryCount, 1.0f);
    page.SearchArmed = true;
    page.SearchPosition = 1;
    return page;
}

std::string StationIn(const LogEntry& entry) { return TrimRight(FieldText(entry.Station)); }

}  // namespace

TEST(BrowseSearch, PrefixMatchWithoutRegardToCase) {
    EXPECT_TRUE(StationStartsWith("Radio Alpha", "ra", UpperCaseWestern));
    EXPECT_TRUE(StationStartsWith("RADIO BETA", "ra", UpperCaseWestern));
    EXPECT_FALSE(StationStartsWith("Big Radio", "ra", UpperCaseWestern));
    EXPECT_TRUE(StationStartsWith("Radio Alpha         ", "Radio ", UpperCaseWestern));
    EXPECT_FALSE(StationStartsWith("Radiola             ", "Radio ", UpperCaseWestern));
    EXPECT_TRUE(StationStartsWith("\xC9MILE FM", "\xE9mile", UpperCaseWestern));  // É / é
    EXPECT_FALSE(StationStartsWith("Radio Alpha", "ra", NoUpperCase));            // the hook decides the case rules
}

TEST(BrowseSearch, WesternUpperCasing) {
    std::string text =
        "abz\xE0\xF6\xF7\xFE\xFF\x9A\x9C\x9E\xDF"
        "09 -AZ";
    UpperCaseWestern(&text[0], text.size());
    EXPECT_EQ(text,
              "ABZ\xC0\xD6\xF7\xDE\x9F\x8A\x8C\x8E\xDF"
              "09 -AZ");
}

TEST(BrowseSearch, FindsTheNextMatchingEntryAndLeavesItInTheBuffer) {
    SearchLog s({"Big Radio", "Radio Alpha", "Radiola", "RADIO BETA"});
    EXPECT_EQ(FindStation(s.Log, 1, "ra", UpperCaseWestern), 2);
    EXPECT_EQ(StationIn(s.Log.EntryBuffer), "Radio Alpha");
    EXPECT_EQ(FindStation(s.Log, 3, "ra", UpperCaseWestern), 3);
    EXPECT_EQ(FindStation(s.Log, 4, "ra", UpperCaseWestern), 4);
    EXPECT_EQ(StationIn(s.Log.EntryBuffer), "RADIO BETA");
    EXPECT_EQ(FindStation(s.Log, 5, "ra", UpperCaseWestern), 0);
    EXPECT_EQ(FindStation(s.Log, 1, "Radio ", UpperCaseWestern), 2);
    EXPECT_EQ(FindStation(s.Log, 3, "Radio ", UpperCaseWestern), 4);
    EXPECT_EQ(FindStation(s.Log, 1, "big", UpperCaseWestern), 1);
    EXPECT_EQ(FindStation(s.Log, 1, "", UpperCaseWestern), 0);
}

TEST(BrowseSearch, ATextLongerThanTheStationFieldNeverMatches) {
    std::string twenty = "ABCDEFGHIJKLMNOPQRST";
    SearchLog s({twenty});
    EXPECT_EQ(FindStation(s.Log, 1, twenty, UpperCaseWestern), 1);
    EXPECT_EQ(FindStation(s.Log, 1, twenty + " ", UpperCaseWestern), 0);
    PageState page = ArmedPage(1);
    EXPECT_EQ(RunSearchStep(s.Log, page, twenty + "U", UpperCaseWestern), SearchStep::EndOfSearch);
}

TEST(BrowseSearch, MatchesAtFiveAndSixtyOfAHundred) {
    SearchLog s(100, {5, 60});
    PageState page = ArmedPage(100);
    EXPECT_EQ(RunSearchStep(s.Log, page, "radio t", UpperCaseWestern), SearchStep::MatchOnPage);
    EXPECT_EQ(page.PageTop, 0);
    EXPECT_EQ(page.SelectedLine, 5);
    EXPECT_EQ(page.SearchPosition, 6);
    EXPECT_TRUE(page.SearchArmed);

    page.SearchArmed = false;  // the window shows the page again, which clears it
    EXPECT_EQ(RunSearchStep(s.Log, page, "radio t", UpperCaseWestern), SearchStep::MatchElsewhere);
    EXPECT_EQ(page.PageTop, 59);  // entries 60-83
    EXPECT_EQ(page.PageTop + page.PageLines, 83);
    EXPECT_EQ(page.SelectedLine, 1);
    EXPECT_EQ(page.SearchPosition, 61);
    EXPECT_TRUE(page.SearchArmed);

    EXPECT_EQ(RunSearchStep(s.Log, page, "radio t", UpperCaseWestern), SearchStep::EndOfSearch);
    EXPECT_EQ(page.SearchPosition, 101);
    EXPECT_EQ(page.PageTop, 59);
    EXPECT_EQ(page.SelectedLine, 1);
    EXPECT_EQ(RunSearchStep(s.Log, page, "radio t", UpperCaseWestern), SearchStep::EndOfSearch);
}

TEST(BrowseSearch, AMatchNearTheEndShowsTheLastPage) {
    SearchLog s(100, {95});
    PageState page = ArmedPage(100);
    EXPECT_EQ(RunSearchStep(s.Log, page, "Radio", UpperCaseWestern), SearchStep::MatchElsewhere);
    EXPECT_EQ(page.PageTop, 76);  // entries 77-100
    EXPECT_EQ(page.SelectedLine, 19);
    EXPECT_EQ(StationIn(s.Log.EntryBuffer), "Radio Target");
}

TEST(BrowseSearch, AnEmptyLogAlwaysEndsTheSearch) {
    SearchLog s(std::vector<std::string>{});
    PageState page = ArmedPage(0);
    EXPECT_EQ(RunSearchStep(s.Log, page, "R", UpperCaseWestern), SearchStep::EndOfSearch);
    EXPECT_EQ(page.SearchPosition, 1);
    EXPECT_EQ(RunSearchStep(s.Log, page, "R", UpperCaseWestern), SearchStep::EndOfSearch);
}

TEST(BrowseSearch, NothingTypedDoesNothing) {
    SearchLog s(10, {3});
    PageState page = ArmedPage(10);
    page.SearchPosition = 4;
    EXPECT_EQ(RunSearchStep(s.Log, page, "", UpperCaseWestern), SearchStep::NoText);
    EXPECT_EQ(page.SearchPosition, 4);
    EXPECT_EQ(page.SelectedLine, 0);
}

int g_upperCalls = 0;
void CountingUpperCase(char* text, size_t length) {
    ++g_upperCalls;
    UpperCaseWestern(text, length);
}

TEST(BrowseSearch, TheSystemRulesAreAskedOnceASearch) {
    SearchLog s(20000, {19999});
    g_upperCalls = 0;
    EXPECT_EQ(FindStation(s.Log, 1, "radio", CountingUpperCase), 19999);
    EXPECT_EQ(g_upperCalls, 1);
}

TEST(BrowseSearch, MatchesAcrossReadBlocks) {
    // Entries past the first block of reads: 8192 is the last of it, 8193 the first of the next.
    SearchLog s(20000, {8192, 8193, 19999});
    EXPECT_EQ(FindStation(s.Log, 1, "radio", UpperCaseWestern), 8192);
    EXPECT_EQ(FindStation(s.Log, 8193, "radio", UpperCaseWestern), 8193);
    EXPECT_EQ(FindStation(s.Log, 8194, "radio", UpperCaseWestern), 19999);
    EXPECT_EQ(FindStation(s.Log, 20000, "radio", UpperCaseWestern), 0);
    EXPECT_EQ(FindStation(s.Log, 1, "Station 19998", UpperCaseWestern), 19998);
}
