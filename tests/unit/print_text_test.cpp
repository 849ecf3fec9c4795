#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "exchange/output_name.h"
#include "print/print_text.h"
#include "records/record_texts.h"
#include "tests/unit/stored_outputs.h"
#include "ui/message_captions.h"

namespace {

// The stored lines without their end marker "|".
std::vector<std::string> StoredLines(const std::string& name) {
    std::ifstream in(std::string(ULMAR_SOURCE_DIR) + "/tests/unit/data/" + name, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '|') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

TEST(ReportDate, DayMonthNameAndYear) {
    EXPECT_EQ(ReportDate(MakeEntry("A", "07-03-2004")), "07 Mar 2004");
    EXPECT_EQ(ReportDate(MakeEntry("A", "31-12-1999")), "31 Dec 1999");
    EXPECT_EQ(ReportDate(MakeEntry("A", "01-01-2030")), "01 Jan 2030");
    EXPECT_EQ(ReportDate(MakeEntry("A", "09-09-2010")), "09 Sep 2010");
}

TEST(ReportDate, MonthOutsideTheYearGivesAnEmptyName) {
    EXPECT_EQ(ReportDate(MakeEntry("A", "15-13-2020")), "15  2020");
    EXPECT_EQ(ReportDate(MakeEntry("A", "15-00-2020")), "15  2020");
    EXPECT_EQ(ReportDate(MakeEntry("A", "15-ab-2020")), "15  2020");
    EXPECT_EQ(ReportDate(MakeEntry("A", "")), std::string(8, ' '));
}

TEST(ReportDate, DamagedMonthIsReadAsTheBrowseLineReadsIt) {
    // A fraction is no month: digits stop at the point, as in the browse line.
    EXPECT_EQ(ReportDate(MakeEntry("A", "15-.9-2020")), "15  2020");
    EXPECT_EQ(ReportDate(MakeEntry("A", "15-.5-2020")), "15  2020");
    EXPECT_EQ(ReportDate(MakeEntry("A", "15- 3-2020")), "15 Mar 2020");
    EXPECT_EQ(ReportDate(MakeEntry("A", "15-3x-2020")), "15 Mar 2020");
    EXPECT_EQ(ReportDate(MakeEntry("A", "15-+9-2020")), "15 Sep 2020");
    EXPECT_EQ(ReportDate(MakeEntry("A", "15--4-2020")), "15  2020");
}

TEST(PrintedRow, MatchesTheStoredRows) {
    std::vector<std::string> stored = StoredLines("printed_rows.txt");
    std::vector<LogEntry> entries = StoredEntries();
    ASSERT_EQ(stored.size(), entries.size() + 1);
    EXPECT_EQ(HeadingText(), stored[0]);
    for (size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(PrintedRow(entries[i]), stored[i + 1]) << "row " << i;
}

TEST(PrintedRow, FieldsStandInTheirColumns) {
    std::string row = PrintedRow(MakeEntry("Example Radio", "07-03-2004", "21:45", "6070", "Sometown", "ok"));
    ASSERT_EQ(row.size(), kPrintedRowLength);
    EXPECT_EQ(row.substr(0, 11), "07 Mar 2004");
    EXPECT_EQ(row.substr(13, 5), "21:45");
    EXPECT_EQ(row.substr(20, 20), "Example Radio       ");
    EXPECT_EQ(row.substr(42, 24), "Sometown                ");
    EXPECT_EQ(row.substr(68, 9), "  6070KHz");
    EXPECT_EQ(row.substr(79), "ok" + std::string(48, ' '));
    for (size_t at : {11u, 18u, 40u, 66u, 77u}) EXPECT_EQ(row.substr(at, 2), "  ") << at;
}

TEST(PrintedRow, FrequencyIsRightAlignedWithoutItsBlanks) {
    auto freqColumns = [](const std::string& freq) {
        return PrintedRow(MakeEntry("S", "07-03-2004", "21:45", freq)).substr(68, 9);
    };
    EXPECT_EQ(freqColumns("6070  "), "  6070KHz");
    EXPECT_EQ(freqColumns("  6070"), "  6070KHz");
    EXPECT_EQ(freqColumns(" 60 7 "), "  60 7KHz");
    EXPECT_EQ(freqColumns(""), "      KHz");
    EXPECT_EQ(freqColumns("153000"), "153000KHz");
}

TEST(PrintedHeading, TitlesStandOverTheirColumns) {
    std::string heading = HeadingText();
    ASSERT_EQ(heading.size(), kHeadingLength);
    EXPECT_EQ(heading.find("Date"), 1u);
    EXPECT_EQ(heading.find("Time"), 13u);
    EXPECT_EQ(heading.find("Station"), 22u);
    EXPECT_EQ(heading.find("Location"), 44u);
    EXPECT_EQ(heading.find("Freq"), 68u);
    EXPECT_EQ(heading.find("Remarks"), 79u);
}

TEST(RunTexts, PageNumberAndCompletion) {
    EXPECT_EQ(PageNumberText(1), "Page 1");
    EXPECT_EQ(PageNumberText(12), "Page 12");
    EXPECT_EQ(CompletionText(12), "Print of 12 reports complete");
    EXPECT_EQ(CompletionText(0), "Print of 0 reports complete");
    EXPECT_STREQ(kCaptionLogPrint, "Log Print");
    EXPECT_EQ(ReadFailureText(7),
              "The log could not be read to its end: the run stopped after 7 reports, so the output is not complete.");
}

TEST(ExportName, EveryUlmBecomesCsv) {
    EXPECT_EQ(ExportNameFromUpperPath("C:\\LOGS\\MYLOG.ULM"), "C:\\LOGS\\MYLOG.CSV");
    EXPECT_EQ(ExportNameFromUpperPath("C:\\A.ULM\\B.ULM"), "C:\\A.CSV\\B.CSV");
    EXPECT_EQ(ExportNameFromUpperPath("MYLOG.ULM"), "MYLOG.CSV");
    EXPECT_EQ(ExportNameFromUpperPath("C:\\LOGS\\MYLOG.LOG"), "C:\\LOGS\\MYLOG.LOG");
    EXPECT_EQ(ExportNameFromUpperPath("X.ULMULM.ULM"), "X.CSVULM.CSV");
    EXPECT_EQ(ExportNameFromUpperPath(".ULM.ULM"), ".CSV.CSV");
    EXPECT_EQ(ExportNameFromUpperPath(""), "");
}
