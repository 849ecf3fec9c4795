// Reading schedule files: character sets, line ends, the header, damaged
// lines, refused files, and the code tables of a README.TXT beside them.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "schedule/schedule_tables.h"
#include "tests/unit/schedule_lines.h"
#include "tests/unit/test_files.h"

namespace {

std::vector<std::string> AllLineTexts(const Schedule& schedule) {
    std::vector<std::string> texts;
    for (const ScheduleLine& line : schedule.Lines) texts.emplace_back(LineText(schedule, line));
    return texts;
}

TEST(ScheduleRead, LinesKeepTheirBytesAndAreSortedByFrequency) {
    std::string high = SkedLine("15000", "0000-2400", "", "High");
    std::string low = SkedLine("6000", "0000-2400", "", "Low");
    std::string mid = SkedLine("9410", "0000-2400", "", "Mid");
    std::string midAgain = SkedLine("9410", "0100-0200", "", "Mid again");
    for (const char* lineEnd : {"\r\n", "\n"}) {
        Schedule schedule;
        std::string reason;
        ASSERT_TRUE(ParseSchedule(SkedFile({high, mid, low, midAgain}, lineEnd), &schedule, &reason)) << reason;
        EXPECT_EQ(AllLineTexts(schedule), (std::vector<std::string>{low, mid, midAgain, high}));
        EXPECT_EQ(schedule.LinesSkipped, 0);
        EXPECT_EQ(schedule.Lines[0].LineNumber, 4u);
        EXPECT_EQ(LineField(schedule, schedule.Lines[2], kFieldStation), "Mid again");
        EXPECT_EQ(LineField(schedule, schedule.Lines[2], kFieldStop), "");
    }
}

TEST(ScheduleRead, HeaderOnlyOnLineOneAndALastLineWithoutLineEnd) {
    Schedule schedule;
    std::string reason;
    std::string line = SkedLine("9410", "0000-2400", "", "A");
    ASSERT_TRUE(ParseSchedule(line + "\r\n" + kScheduleHeader + "\r\n" + line, &schedule, &reason));
    EXPECT_EQ(schedule.Lines.size(), 2u);
    EXPECT_EQ(schedule.LinesSkipped, 1);
    EXPECT_EQ(schedule.FirstBadLine, 2);
    EXPECT_EQ(LineText(schedule, schedule.Lines[1]), line);
}

TEST(ScheduleRead, Utf8DetectedAndItsByteOrderMarkDropped) {
    std::string station =
        "R\xC3\xA1"
        "dio S\xC3\xA3o Jo\xC3\xA3o";  // UTF-8
    Schedule schedule;
    std::string reason;
    ASSERT_TRUE(
        ParseSchedule("\xEF\xBB\xBF" + SkedFile({SkedLine("9410", "0000-2400", "", station)}), &schedule, &reason));
    EXPECT_TRUE(schedule.Utf8);
    EXPECT_EQ(schedule.Lines.size(), 1u);  // the header was still found behind the mark
    EXPECT_EQ(schedule.Bytes.substr(0, 4), "kHz:");
    ASSERT_TRUE(ParseSchedule(SkedFile({SkedLine("9410", "0000-2400", "", station)}), &schedule, &reason));
    EXPECT_TRUE(schedule.Utf8);
    ASSERT_TRUE(ParseSchedule(SkedFile({SkedLine("9410", "0000-2400", "",
                                                 "R\xE1"
                                                 "dio")}),
                              &schedule, &reason));
    EXPECT_FALSE(schedule.Utf8);
    // Without a header the mark is not part of the first line either.
    ASSERT_TRUE(ParseSchedule("\xEF\xBB\xBF" + SkedLine("9410", "0000-2400", "", "X") + "\n", &schedule, &reason));
    EXPECT_EQ(LineText(schedule, schedule.Lines[0]), SkedLine("9410", "0000-2400", "", "X"));
}

TEST(ScheduleRead, DamagedLinesAreSkippedCountedAndTheFirstExplained) {
    std::string good = SkedLine("9410", "0000-2400", "", "Good");
    Schedule schedule;
    std::string reason;
    ASSERT_TRUE(ParseSchedule(SkedFile({
                                  good,
                                  "9410;0000-2400;;G;Nine;E;Eu;;;",  // 9 semicolons
                                  good + ";",                        // 11, the last field empty: fine
                                  good + ";x",                       // 11 with a last field
                                  good + ";;",                       // 12
                                  SkedLine("94x0", "0000-2400", "", "Freq"),
                                  SkedLine("9410.25", "0000-2400", "", "Two decimals"),
                                  SkedLine("0", "0000-2400", "", "Zero"),
                                  SkedLine("9410", "0000-2500", "", "Hour"),
                                  SkedLine("9410", "600-0700", "", "Short"),
                                  SkedLine("9410", "2400-0100", "", "Start 2400"),
                                  SkedLine("9410", "0660-0700", "", "Minute"),
                                  SkedLine("9410", "0000-2400", "", "Dates", "6", "3201", ""),
                                  SkedLine("9410", "0000-2400", "", "Dates", "6", "", "0113"),
                                  SkedLine("9410", "0000-2400", "", std::string(1100, 'L')),
                                  "",
                                  "   ",
                                  good,
                              }),
                              &schedule, &reason))
        << reason;
    EXPECT_EQ(schedule.Lines.size(), 3u);
    EXPECT_EQ(schedule.LinesSkipped, 14);  // the empty line is not a line of data; the blank one is
    EXPECT_EQ(schedule.FirstBadLine, 3);
    EXPECT_EQ(schedule.FirstBadReason, "9 semicolons instead of 10");
    EXPECT_EQ(LoadSummary(schedule),
              "17 lines read, 14 skipped; the first bad one is line 3: 9 semicolons instead of 10");
    ASSERT_TRUE(ParseSchedule(SkedFile({good, good}), &schedule, &reason));
    EXPECT_EQ(LoadSummary(schedule), "2 lines read, 0 skipped");
}

TEST(ScheduleRead, ReasonsNameWhatIsWrong) {
    struct Case {
        std::string Line;
        std::string Reason;
    };
    const Case cases[] = {
        {"a;b", "1 semicolons instead of 10"},
        {SkedLine("94x0", "0000-2400", "", "X"), "frequency \"94x0\" is not a number of kHz with at most one decimal"},
        {SkedLine("9410", "0000_2400", "", "X"), "time \"0000_2400\" is not HHMM-HHMM"},
        {SkedLine("9410", "0000-2400", "", "X", "6", "x", ""), "persistence 6 without dates in the form DDMM"},
        {SkedLine("9410", "0000-2400", "", std::string(1100, 'L')), "longer than 1024 bytes"},
    };
    for (const Case& c : cases) {
        Schedule schedule;
        std::string reason;
        ASSERT_TRUE(ParseSchedule(SkedFile({c.Line, SkedLine("9410", "0000-2400", "", "Good")}), &schedule, &reason));
        EXPECT_EQ(schedule.FirstBadLine, 2);
        EXPECT_EQ(schedule.FirstBadReason, c.Reason);
    }
}

TEST(ScheduleRead, AbsurdInputIsRefusedWithAReason) {
    Schedule schedule;
    std::string reason;
    EXPECT_FALSE(ParseSchedule("", &schedule, &reason));
    EXPECT_EQ(reason, "it is empty");
    EXPECT_FALSE(ParseSchedule(std::string(kScheduleHeader) + "\r\n", &schedule, &reason));
    EXPECT_EQ(reason, "it holds no schedule line");
    EXPECT_FALSE(ParseSchedule(std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), &schedule, &reason));
    EXPECT_EQ(reason, "it holds no schedule line (3 damaged, the first line 1: 0 semicolons instead of 10)");
    EXPECT_FALSE(ParseSchedule(std::string(1 << 20, '\r'), &schedule, &reason));
    EXPECT_EQ(reason, "it holds no schedule line (1 damaged, the first line 1: longer than 1024 bytes)");
    EXPECT_FALSE(ParseSchedule(std::string(kScheduleMaxBytes + 1, '\n'), &schedule, &reason));
    EXPECT_EQ(reason, "it is larger than 64 MB, too large for a schedule");
    EXPECT_TRUE(schedule.Lines.empty());
    EXPECT_TRUE(schedule.Bytes.empty());
}

TEST(ScheduleRead, FilesThatCannotBeRead) {
    TempDir dir;
    Schedule schedule;
    std::string reason;
    EXPECT_FALSE(LoadSchedule(dir.Path("missing.csv").c_str(), &schedule, &reason));
    EXPECT_EQ(reason, "there is no such file");
    EXPECT_FALSE(LoadSchedule(dir.Root.c_str(), &schedule, &reason));
    EXPECT_EQ(reason, "it cannot be opened (a folder, not permitted, or held by another program)");
}

const char kReadme[] =
    "Some words before the tables.\r\n"
    "I) Language codes\r\n"
    "E      English\r\n"
    "-TS    Time signal\r\n"
    "II) Country codes\r\n"
    "ABC   Abecedaria\r\n"
    "FRA   Ferania  \r\n"
    "ZZ    Zedland\r\n"
    "III) Target area codes\r\n"
    "Eu    Europe\r\n"
    "IV) Transmitter site codes\r\n"
    "   ABC: k-Kettleby / Upper Kettleby 34N32-69E20\r\n"
    "        x-Xanten Hill 33N14-69E49\r\n"
    "        Pol-e-Vale 33N14-69E49\r\n"
    "   ZZ: Zedmouth 26S35-28E08 except:\r\n"
    "        ct-Coast Town 26S07'40\"-28E12'20\"\r\n"
    "        mw-Marsh Wells except:\r\n"
    "        9-Ninefold 1N1-1W1, more words\r\n"
    "V) Something else\r\n"
    "   QQ: q-Not a site 1N1-1E1\r\n";

TEST(ScheduleTables, CountriesLanguagesAndSites) {
    ScheduleTables tables;
    ReadScheduleTables(kReadme, &tables);
    ASSERT_NE(CountryName(tables, "FRA"), nullptr);
    EXPECT_EQ(*CountryName(tables, "FRA"), "Ferania");
    EXPECT_EQ(*CountryName(tables, "ZZ"), "Zedland");
    EXPECT_EQ(CountryName(tables, "Eu"), nullptr);  // target areas are another table
    EXPECT_EQ(*LanguageName(tables, "-TS"), "Time signal");
    EXPECT_EQ(*SiteNameOf(tables, "ABC", "k"), "Kettleby / Upper Kettleby");
    EXPECT_EQ(*SiteNameOf(tables, "ABC", "x"), "Xanten Hill");
    EXPECT_EQ(*SiteNameOf(tables, "ABC", "Pol"), "e-Vale");  // 1-3 letters and a dash are a site code
    EXPECT_EQ(SiteNameOf(tables, "ABC", ""), nullptr);
    EXPECT_EQ(*SiteNameOf(tables, "ZZ", ""), "Zedmouth");
    EXPECT_EQ(*SiteNameOf(tables, "ZZ", "ct"), "Coast Town");
    EXPECT_EQ(*SiteNameOf(tables, "ZZ", "mw"), "Marsh Wells");
    EXPECT_EQ(*SiteNameOf(tables, "ZZ", "9"), "Ninefold");
    EXPECT_EQ(SiteNameOf(tables, "QQ", "q"), nullptr);
    EXPECT_EQ(tables.Sites.size(), 7u);
}

TEST(ScheduleTables, CoordinatesTokens) {
    for (const char* token : {"34N32-69E20", "26S07'40\"-28E12'20\"", "1N1-1W1", "51N30-000W07", "5N-10E"}) {
        EXPECT_TRUE(IsCoordinates(token)) << token;
    }
    for (const char* token :
         {"Pol-e-Charkhi", "34N32", "N32-69E20", "34E32-69N20", "34N32-69E20x", "-", "1234N1-1E1"}) {
        EXPECT_FALSE(IsCoordinates(token)) << token;
    }
}

TEST(ScheduleTables, Utf8NamesBecomeCodePage1252) {
    ScheduleTables tables;
    ReadScheduleTables(
        "II) Country codes\nABC   \xC3\x85land \xC5\x81\xC3\xB3"
        "d\xC5\xBA\n",
        &tables);
    EXPECT_EQ(*CountryName(tables, "ABC"),
              "\xC5land L\xF3"
              "dz");
}

TEST(ScheduleTables, ReadmeBesideTheFileInAnyLetterCase) {
    TempDir dir;
    std::string path = dir.Path("sked-test.csv");
    WriteBytes(path, SkedFile({"9410;0000-2400;;ZZ;Zed Radio;E;Eu;ct;1;;"}));
    Schedule schedule;
    std::string reason;
    ASSERT_TRUE(LoadSchedule(path.c_str(), &schedule, &reason)) << reason;
    EXPECT_TRUE(schedule.Tables.Sites.empty());
    WriteBytes(dir.Path("ReadMe.Txt"), kReadme);
    ASSERT_TRUE(LoadSchedule(path.c_str(), &schedule, &reason)) << reason;
    EXPECT_EQ(*SiteNameOf(schedule.Tables, "ZZ", "ct"), "Coast Town");
    std::string found;
    ASSERT_TRUE(FindReadmeBeside(path.c_str(), &found));
    EXPECT_EQ(found, dir.Path("ReadMe.Txt"));
    EXPECT_FALSE(FindReadmeBeside(dir.Path("elsewhere/sked.csv").c_str(), &found));
}

}  // namespace
