// What the logging window will show and store for a schedule line: station
// names shortened to 20 bytes, locations fitted to 24, code page 1252 bytes,
// and the candidate row.
#include <gtest/gtest.h>

#include "records/code_page_1252.h"
#include "schedule/candidate_text.h"
#include "tests/unit/schedule_lines.h"

namespace {

TEST(ScheduleStation, ShortNamesStayAsTheyAre) {
    EXPECT_EQ(ShortenStation("Radio Free Example"), "Radio Free Example");
    EXPECT_EQ(ShortenStation("Radio Twenty Letters"), "Radio Twenty Letters");  // exactly 20
}

TEST(ScheduleStation, AbbreviationsOneAfterTheOtherUntilItFits) {
    EXPECT_EQ(ShortenStation("Radio Example Service"), "R. Example Service");  // 21: "Radio" is enough
    EXPECT_EQ(ShortenStation("Radio Example International"), "R. Example Int.");
    EXPECT_EQ(ShortenStation("Radio Nacional de Exemplo"), "R. Nac. de Exemplo");
    EXPECT_EQ(ShortenStation("Voice of the Example Republic"), "V. of the Example Re");
    EXPECT_EQ(ShortenStation("Example Broadcasting Corporation"), "Example Bc. Corp.");
    EXPECT_EQ(ShortenStation("R\xE1"
                             "dio Example Internacional"),
              "R. Example Int.");
    EXPECT_EQ(ShortenStation("Radio Radio Radio Radio"), "R. R. R. R.");
}

TEST(ScheduleStation, WholeWordsOnly) {
    EXPECT_EQ(ShortenStation("Radiodifusora do Exemplo Sul"), "Rdif. do Exemplo Sul");
    EXPECT_EQ(ShortenStation("Radiophonic Examples Inc"), "Radiophonic Examples");  // no word to shorten: cut
    EXPECT_EQ(ShortenStation("XRadio Example Station"), "XRadio Example Stn.");
}

TEST(ScheduleStation, CutAfterTheAbbreviationsWithoutATrailingBlank) {
    EXPECT_EQ(ShortenStation("Abcdefghijklmnopqrstuvwxyz"), "Abcdefghijklmnopqrst");
    EXPECT_EQ(ShortenStation("Abcdefghijklmnopqrs tuvwxyz"), "Abcdefghijklmnopqrs");
    EXPECT_EQ(ShortenStation("Radio Example", 8), "R. Examp");
}

// The schedule's names go through the code page's one rule: its own
// characters kept as their bytes, any other its closest ASCII, else "?";
// control characters and broken UTF-8 become "?" in a name.
TEST(ScheduleCodePage, CodePageKeptOthersClosestAsciiOrQuestionMark) {
    struct Case {
        const char* Text;
        bool Utf8;
        const char* Expected;
    };
    const Case cases[] = {
        {"S\xE3o Jo\xE3o \xD1"
         "and\xFA",
         false,
         "S\xE3o Jo\xE3o \xD1"
         "and\xFA"},
        {"S\xC3\xA3o \xC3\x91", true, "S\xE3o \xD1"},
        {"\xC5\x81\xC3\xB3"
         "d\xC5\xBA \xC5\xA0"
         "iauliai \xC8\x98"
         "tef\xC4\x83"
         "ne\xC8\x99ti",
         true,
         "L\xF3"
         "dz \x8A"
         "iauliai Stefanesti"},
        {"\xD0\xA0\xD0\xB0\xD0\xB4\xD0\xB8\xD0\xBE", true, "?????"},  // Cyrillic
        {"It\xE2\x80\x99s \xE2\x80\x9CX\xE2\x80\x9D \xE2\x80\x93 Y", true, "It\x92s \x93X\x94 \x96 Y"},
        {"\xE2\x80\x90 \xE2\x80\x95 \xE2\x88\x92", true, "- - -"},  // dashes the code page lacks
        {"\x8A"
         "a\x9A"
         "a \x81 \x80",
         false,
         "\x8A"
         "a\x9A"
         "a ? \x80"},  // code page 1252's own letters
        {"a\x01"
         "b\x7F"
         "c\tz",
         false, "a?b?c?z"},
        {"ok \xC3 \xFF bad", true, "ok ? ? bad"},  // broken UTF-8
        {"\xF0\x9F\x93\xBB", true, "?"},
    };
    for (const Case& c : cases) EXPECT_EQ(DisplayTextCodePage1252(c.Text, c.Utf8), c.Expected) << c.Text;
}

TEST(ScheduleCodePage, Detection) {
    EXPECT_TRUE(DetectUtf8("\xEF\xBB\xBFplain"));
    EXPECT_TRUE(DetectUtf8("S\xC3\xA3o"));
    EXPECT_FALSE(DetectUtf8("plain ASCII"));
    EXPECT_FALSE(DetectUtf8("S\xE3o"));
    EXPECT_FALSE(DetectUtf8("S\xC3\xA3o and S\xE3o"));  // one stray Latin-1 byte decides
    EXPECT_FALSE(DetectUtf8("\xC0\x80"));               // overlong
    EXPECT_FALSE(DetectUtf8("\xED\xA0\x80"));           // a surrogate
}

const char kTables[] =
    "II) Country codes\n"
    "ABC   Abecedaria\n"
    "CYP   Kypria\n"
    "LNG   The Republic of Very Long Country Names\n"
    "IV) Transmitter site codes\n"
    "   ABC: Capital Hill 10N10-10E10\n"
    "        w-Westwood 10N10-10E10\n"
    "   LNG: l-Longest Possible Transmitter Site Name 10N10-10E10\n";

Schedule WithTables(const std::vector<std::string>& lines) {
    Schedule schedule = SkedOf(lines);
    ReadScheduleTables(kTables, &schedule.Tables);
    return schedule;
}

std::string LocationOf(const std::string& itu, const std::string& remarks, bool tables = true) {
    std::string line = "9410;0000-2400;;" + itu + ";Station;E;Eu;" + remarks + ";1;;";
    Schedule schedule = tables ? WithTables({line}) : SkedOf({line});
    return CandidateLocation(schedule, schedule.Lines[0]);
}

TEST(ScheduleLocation, SiteNameWhenTheTableResolvesIt) {
    EXPECT_EQ(LocationOf("ABC", "w"), "Westwood");
    EXPECT_EQ(LocationOf("XYZ", "/ABC-w"), "Westwood");
    EXPECT_EQ(LocationOf("ABC", ""), "Capital Hill");  // no site given: the main site
    EXPECT_EQ(LocationOf("XYZ", "/ABC"), "Capital Hill");
    EXPECT_EQ(LocationOf("ABC", "LNG"), "Abecedaria");  // not a site of ABC
}

TEST(ScheduleLocation, CountryOfTheSiteOrHomeThenTheCode) {
    EXPECT_EQ(LocationOf("ABC", "/CYP"), "Kypria");
    EXPECT_EQ(LocationOf("ABC", "/CYP-q"), "Kypria");
    EXPECT_EQ(LocationOf("CYP", ""), "Kypria");
    EXPECT_EQ(LocationOf("CYP", "z"), "Kypria");
    EXPECT_EQ(LocationOf("ABC", "/XYZ-q"), "XYZ");
    EXPECT_EQ(LocationOf("XYZ", ""), "XYZ");
    EXPECT_EQ(LocationOf("ABC", "w", false), "ABC");
    EXPECT_EQ(LocationOf("ABC", "/CYP-k", false), "CYP");
}

TEST(ScheduleLocation, FittedToTwentyFourBytes) {
    EXPECT_EQ(LocationOf("LNG", "l"), "Longest Possible Transmi");
    EXPECT_EQ(LocationOf("LNG", ""), "The Republic of Very Lon");
    EXPECT_EQ(LocationOf("LNG", "l").size(), 24u);
}

TEST(ScheduleRow, StationSpanLanguageTargetSiteAndSpecialCode) {
    Schedule schedule = WithTables({"9410;0600-0700;irr;ABC;Radio Example International;E;NAm;w;1;;",
                                    "15000.5;2300-0100;Mo-Fr;CYP;Kypria Radio;Gr;ME;;;;"});
    EXPECT_EQ(CandidateRow(schedule, schedule.Lines[0]),
              "9410     R. Example Int.       0600-0700  E    NAm  Westwood  [irr]");
    EXPECT_EQ(CandidateRow(schedule, schedule.Lines[1]), "15000.5  Kypria Radio          2300-0100  Gr   ME   Kypria");
    EXPECT_EQ(CandidateStation(schedule, schedule.Lines[0]), "R. Example Int.");
}

TEST(ScheduleRow, Utf8FileGivesCodePage1252Texts) {
    Schedule schedule =
        SkedOf({"9410;0600-0700;;ABC;R\xC3\xA1"
                "dio S\xC3\xA3o Exemplo Internacional;P;SAm;;1;;"});
    EXPECT_EQ(CandidateStation(schedule, schedule.Lines[0]), "R. S\xE3o Exemplo Int.");
}

// The same name reaches the log alike from a schedule and from a CSV file
// (exchange_import_test): "\xC5\x81\xC3\xB3" "d\xC5\xBA" becomes "L\xF3" "dz".
TEST(ScheduleRow, LettersTheCodePageLacksBecomeTheirClosestLetters) {
    Schedule schedule =
        WithTables({"9410;0600-0700;;ABC;R. \xC5\x81\xC3\xB3"
                    "d\xC5\xBA;P;SAm;;1;;"});
    EXPECT_EQ(CandidateStation(schedule, schedule.Lines[0]),
              "R. L\xF3"
              "dz");
    EXPECT_EQ(CandidateRow(schedule, schedule.Lines[0]).substr(9, 22),
              "R. L\xF3"
              "dz               ");
}

}  // namespace
