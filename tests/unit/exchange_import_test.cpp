#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <random>
#include <string>
#include <vector>

#include "exchange/csv_export.h"
#include "exchange/csv_import.h"
#include "exchange/import_append.h"
#include "logstore/log_change.h"
#include "logstore/log_journal.h"
#include "records/code_page_1252.h"
#include "tests/unit/import_cases.h"
#include "tests/unit/stored_outputs.h"

namespace {

// The records a plan would add, as raw bytes, when it is not refused.
std::vector<std::string> Imported(const std::string& file) { return PlannedBytes(PlanImport(file)); }

// A plan of a file with a header and one data line; the reason it skips it.
std::string SkipReason(const std::string& header, const std::string& line) {
    ImportPlan plan = PlanImport(header + "\r\n" + line + "\r\n");
    EXPECT_FALSE(plan.Refused) << plan.Refusal;
    EXPECT_TRUE(plan.Records.empty());
    EXPECT_EQ(plan.Skipped, 1);
    EXPECT_EQ(plan.FirstSkippedLine, 2);
    return plan.FirstSkipReason;
}

std::string RefusalOf(const std::string& file) {
    ImportPlan plan = PlanImport(file);
    EXPECT_TRUE(plan.Refused);
    EXPECT_TRUE(plan.Records.empty());
    return plan.Refusal;
}

const std::string kHeader = "Date,Time,Station,Location,Freq,Remarks";

}  // namespace

TEST(CsvImport, ReadsUlmarsOwnExport) {
    std::vector<std::string> records = Imported(StoredFile("export_three.csv"));
    EXPECT_EQ(records, (std::vector<std::string>{
                           Record("Example Radio", "07-03-2004", "21:45", "6070", "Sometown", ""),
                           // The frequency's leading blanks were not exported.
                           Record("  Radio Leading", "15-11-2019", "03:05", "9410", "  Far Away", "  fair signal"),
                           Record("Radio \"Eins\"", "01-12-2026", "23:59", "", "Berlin, DE", "weak, \"fading\""),
                       }));
}

TEST(CsvImport, ColumnsInAnyOrderFoundByNameWithoutRegardToCase) {
    std::string file =
        "STATION;utc;Khz;dAtE;Remarks\r\n"
        "R. Rumbos;0859;9660;14-08-2026;nice signal\r\n";
    EXPECT_EQ(Imported(file),
              (std::vector<std::string>{Record("R. Rumbos", "14-08-2026", "08:59", "9660", "", "nice signal")}));
    std::string other =
        "Notes,Frequency,Location,Time,Date,Station,Extra\n"
        "x,6070,Sometown,21:45,07 Mar 2004,Example Radio,y\n";
    EXPECT_EQ(Imported(other),
              (std::vector<std::string>{Record("Example Radio", "07-03-2004", "21:45", "6070", "Sometown")}));
    // Names may have blanks around them and stand in quotes.
    EXPECT_EQ(Imported("\" Date \", Time ,\"Station\"\n01-01-2026,00:00,S\n"),
              (std::vector<std::string>{Record("S", "01-01-2026", "00:00")}));
}

TEST(CsvImport, EveryDateAndTimeForm) {
    std::string file =
        "Date,Time,Station\r\n"
        "14 Aug 2026,08:59,A\r\n"
        "14 aug 2026,0859,B\r\n"
        "14-08-2026,08:59,C\r\n"
        "2026-08-14,0859,D\r\n"
        "14/08/2026,08:59,E\r\n"
        " 29-02-2024 , 2359 ,F\r\n";
    EXPECT_EQ(Imported(file),
              (std::vector<std::string>{Record("A", "14-08-2026", "08:59"), Record("B", "14-08-2026", "08:59"),
                                        Record("C", "14-08-2026", "08:59"), Record("D", "14-08-2026", "08:59"),
                                        Record("E", "14-08-2026", "08:59"), Record("F", "29-02-2024", "23:59")}));
}

TEST(CsvImport, ValuesKeepLeadingBlanksAndLoseTrailingOnes) {
    EXPECT_EQ(Imported(kHeader + "\n01-01-2026,00:00,  Radio  ,  Town  ,  9660  ,  note  \n"),
              (std::vector<std::string>{Record("  Radio", "01-01-2026", "00:00", "  9660", "  Town", "  note")}));
}

TEST(CsvImport, OneTrailingKhzLeavesTheFrequency) {
    std::string file =
        "Date,Time,Station,kHz\n"
        "01-01-2026,00:00,A,9660 kHz\n"
        "01-01-2026,00:00,B,9660KHZ\n"
        "01-01-2026,00:00,C,9660khz  \n"
        "01-01-2026,00:00,D,1kHzkHz\n"
        "01-01-2026,00:00,E,kHz\n"
        "01-01-2026,00:00,F,kHz 9\n";
    EXPECT_EQ(Imported(file),
              (std::vector<std::string>{
                  Record("A", "01-01-2026", "00:00", "9660"), Record("B", "01-01-2026", "00:00", "9660"),
                  Record("C", "01-01-2026", "00:00", "9660"), Record("D", "01-01-2026", "00:00", "1kHz"),
                  Record("E", "01-01-2026", "00:00", ""), Record("F", "01-01-2026", "00:00", "kHz 9")}));
}

TEST(CsvImport, SeparatorIsTheFirstCommaOrSemicolonOutsideQuotes) {
    EXPECT_EQ(Imported("\"a;b\",Date,Time,Station\nx;y,01-01-2026,00:00,S;T\n"),
              (std::vector<std::string>{Record("S;T", "01-01-2026", "00:00")}));
    EXPECT_EQ(Imported("\"a,b\";Date;Time;Station\nx,y;01-01-2026;00:00;S,T\n"),
              (std::vector<std::string>{Record("S,T", "01-01-2026", "00:00")}));
}

TEST(CsvImport, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks) {
    std::string file =
        kHeader + "\r\n01-01-2026,00:00,\"A,\"\"B\"\"\",\"Line\r\nTwo\",,\"\"\r\n01-01-2026,00:01,C,,,\r\n";
    EXPECT_EQ(Imported(file), (std::vector<std::string>{Record("A,\"B\"", "01-01-2026", "00:00", "", "Line\r\nTwo"),
                                                        Record("C", "01-01-2026", "00:01")}));
}

TEST(CsvImport, LineEndsOfEveryKindAndBlankRows) {
    std::string rows = "01-01-2026,00:00,A\r\n\r\n,,\n01-01-2026,00:01,B\r01-01-2026,00:02,C";
    EXPECT_EQ(Imported("Date,Time,Station\n" + rows),
              (std::vector<std::string>{Record("A", "01-01-2026", "00:00"), Record("B", "01-01-2026", "00:01"),
                                        Record("C", "01-01-2026", "00:02")}));
    ImportPlan plan = PlanImport("Date,Time,Station\n" + rows);
    EXPECT_EQ(plan.Skipped, 0);
}

TEST(CsvImport, Utf8IsConvertedToTheWesternCodePage) {
    // é, €, a Chinese character and an emoji, with and without a byte-order mark.
    std::string utf8 = "Date,Time,Station\n01-01-2026,00:00,\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD\xF0\x9F\x93\xBB!\n";
    std::vector<std::string> expected = {
        Record("\xE9\x80?"
               "?!",
               "01-01-2026", "00:00")};
    EXPECT_EQ(Imported(utf8), expected);
    EXPECT_EQ(Imported("\xEF\xBB\xBF" + utf8), expected);
    // Not valid UTF-8: the bytes are taken as they are.
    EXPECT_EQ(Imported("Date,Time,Station\n01-01-2026,00:00,Caf\xE9 \x80\n"),
              (std::vector<std::string>{Record("Caf\xE9 \x80", "01-01-2026", "00:00")}));
}

// The same rule as the schedule's (schedule_text_test): the code page's own
// characters kept as their bytes, any other its closest letter, else "?".
TEST(CsvImport, Utf8NamesKeepTheCodePageLettersAndGetTheClosestOfTheOthers) {
    std::string file =
        "Date,Time,Station,Location,Freq,Remarks\n"
        "01-01-2026,00:00,\xC5\xA0koda \xE2\x82\xAC,\xC5\x81\xC3\xB3"
        "d\xC5\xBA,9410,"
        "\xC5\x92uvre \xE2\x80\xA6 \xE2\x84\xA2 \xE2\x80\x90 \xD0\x96\n";
    EXPECT_EQ(Imported(file), (std::vector<std::string>{Record("\x8Akoda \x80", "01-01-2026", "00:00", "9410",
                                                               "L\xF3"
                                                               "dz",
                                                               "\x8Cuvre \x85 \x99 - ?")}));
    // The same name in a code page 1252 file: its bytes as they are.
    EXPECT_EQ(Imported("Date,Time,Station\n01-01-2026,00:00,\x8Akoda \x80\n"),
              (std::vector<std::string>{Record("\x8Akoda \x80", "01-01-2026", "00:00")}));
}

TEST(CodePage1252Import, OnlyValidUtf8IsConverted) {
    std::string out;
    EXPECT_TRUE(Utf8ToCodePage1252("x\xC5\xA0\xC2\xA0\xC3\xBF\xC2\x81\xE2\x84\xA2", &out));
    EXPECT_EQ(out, "x\x8A\xA0\xFF\x81\x99");
    // Plain ASCII is the same in both: nothing to convert.
    EXPECT_FALSE(Utf8ToCodePage1252("plain, text\r\n", &out));
    // Overlong forms, surrogates, stray continuations, cut sequences.
    for (const std::string& bad : {std::string("\xC0\xAF"), std::string("\xE0\x80\xAF"), std::string("\xED\xA0\x80"),
                                   std::string("\x80"), std::string("\xC3"), std::string("\xF4\x90\x80\x80")}) {
        EXPECT_FALSE(Utf8ToCodePage1252("\xC3\xA9" + bad, &out)) << bad;
        // A file holding it is not UTF-8: its bytes are kept as they are.
        EXPECT_EQ(Imported("Date,Time,Station\n01-01-2026,00:00,a" + bad + "\n"),
                  (std::vector<std::string>{Record("a" + bad, "01-01-2026", "00:00")}))
            << bad;
    }
    // The byte-order mark is no part of the first column's name.
    EXPECT_EQ(Imported("\xEF\xBB\xBF"
                       "Date,Time,Station\n01-01-2026,00:00,abc\n"),
              (std::vector<std::string>{Record("abc", "01-01-2026", "00:00")}));
}

TEST(CsvImport, LinesThatCannotBeReportsAreSkippedWithAReason) {
    const std::string h = kHeader;
    EXPECT_EQ(SkipReason(h, "01-01-2026,00:00," + std::string(21, 'S') + ",,,"), "Station longer than 20");
    EXPECT_EQ(SkipReason(h, "01-01-2026,00:00,S," + std::string(25, 'L') + ",,"), "Location longer than 24");
    EXPECT_EQ(SkipReason(h, "01-01-2026,00:00,S,,1234567,"), "Freq longer than 6");
    EXPECT_EQ(SkipReason(h, "01-01-2026,00:00,S,,,\"" + std::string(51, 'R') + "\""), "Remarks longer than 50");
    EXPECT_EQ(SkipReason(h, "31-02-2026,00:00,S,,,"), "Date 31-02-2026 is not a valid date");
    EXPECT_EQ(SkipReason(h, "14 Foo 2026,00:00,S,,,"), "Date 14 Foo 2026 is not a valid date");
    EXPECT_EQ(SkipReason(h, "14.08.2026,00:00,S,,,"), "Date 14.08.2026 is not a valid date");
    EXPECT_EQ(SkipReason(h, "15  2020,00:00,S,,,"), "Date 15  2020 is not a valid date");
    EXPECT_EQ(SkipReason(h, "01-01-2026,25:00,S,,,"), "Time 25:00 is not a valid time");
    EXPECT_EQ(SkipReason(h, "01-01-2026,08:59:00,S,,,"), "Time 08:59:00 is not a valid time");
    EXPECT_EQ(SkipReason(h, "01-01-2026,859,S,,,"), "Time 859 is not a valid time");
    EXPECT_EQ(SkipReason(h, ",00:00,S,,,"), "Date is empty");
    EXPECT_EQ(SkipReason(h, "01-01-2026,  ,S,,,"), "Time is empty");
    EXPECT_EQ(SkipReason(h, "01-01-2026,00:00,   ,,,x"), "Station is empty");
    EXPECT_EQ(SkipReason(h, "01-01-2026,00:00,S,,"), "5 fields where the header has 6");
    EXPECT_EQ(SkipReason(h, "01-01-2026,00:00,S,a,b,c,d"), "7 fields where the header has 6");
    EXPECT_EQ(SkipReason(h, "01-01-2026,00:00,\"S\"x,,,"), "text follows a closing quote");
    EXPECT_EQ(SkipReason(h, "01-01-2026,00:00,\"S,,,"), "a quoted field is not closed");
    // A long value is shown cut, on one line.
    EXPECT_EQ(SkipReason(h, "\"2026\r\n-01-01-2026-01-01-2026\",00:00,S,,,"),
              "Date 2026  -01-01-2026-01... is not a valid date");
}

TEST(CsvImport, SkipsAreCountedWithTheFirstLineAndItsReason) {
    std::string file = kHeader + "\r\n" +
                       "01-01-2026,00:00,\"Two\r\nlines\",,,\r\n"  // lines 2-3
                       "01-01-2026,00:00,S,,,\r\n"                 // line 4
                       "01-01-2026,00:00," +
                       std::string(21, 'S') +
                       ",,,\r\n"                     // line 5: skipped
                       "\r\n"                        // line 6: blank
                       "01-01-2026,99:99,S,,,\r\n";  // line 7: skipped
    ImportPlan plan = PlanImport(file);
    EXPECT_EQ(plan.Records.size(), 2u);
    EXPECT_EQ(plan.Skipped, 2);
    EXPECT_EQ(plan.FirstSkippedLine, 5);
    EXPECT_EQ(plan.FirstSkipReason, "Station longer than 20");
    EXPECT_EQ(ImportQuestionText(plan, "C:\\LOGS\\MYLOG.ULM"),
              "Add 2 reports to C:\\LOGS\\MYLOG.ULM?\r\n\r\n2 lines will be skipped; the first, line 5: Station longer "
              "than 20.");
}

TEST(CsvImport, QuestionAndNothingToImportTexts) {
    ImportPlan plan = PlanImport(StoredFile("export_three.csv"));
    EXPECT_EQ(ImportQuestionText(plan, "C:\\LOGS\\MYLOG.ULM"), "Add 3 reports to C:\\LOGS\\MYLOG.ULM?");
    ImportPlan none = PlanImport(kHeader + "\r\n");
    EXPECT_FALSE(none.Refused);
    EXPECT_EQ(NothingToImportText(none), "Nothing to import");
    ImportPlan allSkipped = PlanImport(kHeader + "\r\n,00:00,S,,,\r\n31-12-2026,00:00,,,,\r\n");
    EXPECT_TRUE(allSkipped.Records.empty());
    EXPECT_EQ(NothingToImportText(allSkipped),
              "Nothing to import\r\n\r\n2 lines will be skipped; the first, line 2: Date is empty.");
}

TEST(CsvImport, FilesThatAreNotCsvOrLackAColumnAreRefused) {
    EXPECT_EQ(RefusalOf(""), "the file is empty");
    EXPECT_EQ(RefusalOf("Date\tTime\tStation\n01-01-2026\t00:00\tS\n"),
              "its first line has no comma or semicolon, so it is not a CSV file");
    EXPECT_EQ(RefusalOf("\"Date,Time\"\n"), "its first line has no comma or semicolon, so it is not a CSV file");
    EXPECT_EQ(RefusalOf(std::string("Date,Time,Sta\0ion\n", 19)), "it is not a text file");
    EXPECT_EQ(RefusalOf("Date,Time,Location\n01-01-2026,00:00,S\n"), "it has no Station column");
    EXPECT_EQ(RefusalOf("Freq;Station\n"), "it has no Date or Time columns");
    EXPECT_EQ(RefusalOf("a,b\n"), "it has no Date, Time or Station columns");
    // A log file chosen by mistake: records, no lines.
    EXPECT_EQ(RefusalOf(Record("Radio, Two", "01-01-2026", "00:00") + Record("S", "01-01-2026", "00:00")),
              "it has no Date, Time or Station columns");
    ImportPlan plan = PlanImport("a,b\n");
    EXPECT_EQ(ImportRefusalText(plan, "C:\\DATA\\LIST.CSV"),
              "C:\\DATA\\LIST.CSV cannot be imported: it has no Date, Time or Station columns.");
}

TEST(CsvImport, FilesAreReadFromDisc) {
    TempDir dir;
    WriteBytes(dir.Path("IN.CSV"), StoredFile("export_three.csv"));
    EXPECT_EQ(ImportPlanForFile(dir.Path("IN.CSV")).Reports, 3);
    ImportPlan missing = ImportPlanForFile(dir.Path("NONE.CSV"));
    EXPECT_TRUE(missing.Refused);
    EXPECT_EQ(missing.Refusal, "it could not be read");
}

TEST(CsvImportRoundTrip, ExportThenImportGivesTheSameRecords) {
    std::vector<LogEntry> kept = {
        MakeEntry("Example Radio", "07-03-2004", "21:45", "6070", "Sometown", ""),
        MakeEntry("  Lead, \"quoted\"", "29-02-2024", "00:00", "1kHz", "  Far,Away", "  a\r\nb \"c\" \r"),
        MakeEntry("Caf\xE9 \x80\x81\xFF", "31-12-9999", "23:59", "KHz", "", std::string(50, 'R')),
        MakeEntry(std::string(20, '"'), "01-01-0001", "12:00", "9 6 0", std::string(24, ','), std::string(50, '\n')),
        MakeEntry(";x;", "15-06-2026", "08:00", "60;70", "tab\there", "ends in blank "),
    };
    std::vector<LogEntry> dropped = {
        MakeEntry("Bad Date", "31-02-2026", "21:45"),
        MakeEntry("Bad Month", "15-13-2020", "21:45"),
        MakeEntry("Bad Time", "07-03-2004", "24:00"),
        MakeEntry("Short Time", "07-03-2004", "21:4"),
        MakeEntry("", "07-03-2004", "21:45", "1", "Blank station"),
    };
    std::string logBytes;
    for (size_t i = 0; i < kept.size(); ++i) logBytes += EntryBytes(kept[i]) + EntryBytes(dropped[i]);
    // Random records over the bytes that matter most to the file's form.
    std::mt19937 random(14);
    const std::string alphabet = "aZ09 ,;\"\r\n-:\xE9\xC3\xA9\x80";
    auto randomText = [&](size_t width) {
        std::string text;
        size_t length = random() % (width + 1);
        for (size_t i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
        return text;
    };
    for (int i = 0; i < 2000; ++i) {
        std::string freq = randomText(6);
        if (!freq.empty() && freq[0] == ' ') freq[0] = 'f';
        std::string station = "s" + randomText(19);
        LogEntry entry = MakeEntry(station, "14-08-2026", "08:59", freq, randomText(24), randomText(50));
        kept.push_back(entry);
        logBytes += EntryBytes(entry);
    }
    OpenTestLog t(logBytes);
    std::string csv = t.Folder.Path("MYLOG.CSV");
    ASSERT_EQ(ExportLog(t.Log, 1, csv).Count, static_cast<int32_t>(kept.size() + dropped.size()));
    ImportPlan plan = PlanImport(ReadBytes(csv));
    ASSERT_FALSE(plan.Refused) << plan.Refusal;
    EXPECT_EQ(plan.Skipped, static_cast<int64_t>(dropped.size()));
    EXPECT_EQ(AsBytes(plan.Records), AsBytes(kept));
}

namespace {

// A CSV file of `rows` lines "DD-MM-YYYY,HH:MM,Station n" under a header.
std::string CsvOfRows(int rows) {
    std::string csv = "Date,Time,Station\r\n";
    for (int n = 1; n <= rows; ++n) csv += "02-01-2026,01:00,Station " + std::to_string(n) + "\r\n";
    return csv;
}

// The import as the program makes it: the file planned, then added.
struct FileImport {
    TempDir CsvDir;
    std::string CsvPath = CsvDir.Path("IN.CSV");
    ImportPlan Plan;
    explicit FileImport(const std::string& csv) {
        WriteBytes(CsvPath, csv);
        Plan = ImportPlanForFile(CsvPath);
    }
};

}  // namespace

TEST(ImportAppend, AddsAllRecordsAfterTheLastEntry) {
    std::string old = Record("Old", "01-01-2026", "00:00");
    OpenTestLog t(old);
    FileImport in("Date,Time,Station\r\n02-01-2026,01:00,A\r\n03-01-2026,02:00,B\r\n");
    ASSERT_EQ(in.Plan.Reports, 2);
    EXPECT_TRUE(in.Plan.Records.empty());  // a file's plan holds counts, not reports
    ASSERT_EQ(AddImportedFile(t.Log, in.CsvPath, in.Plan), ImportWriting::Added);
    EXPECT_EQ(t.Log.EntryCount, 3);
    std::string b = Record("B", "03-01-2026", "02:00");
    EXPECT_EQ(ReadBytes(t.Path), old + Record("A", "02-01-2026", "01:00") + b);
    EXPECT_EQ(EntryBytes(t.Log.EntryBuffer), b);
    EXPECT_EQ(ImportDoneText(2, "C:\\LOGS\\MYLOG.ULM"), "Added 2 reports to C:\\LOGS\\MYLOG.ULM.");
}

TEST(ImportAppend, ManyBlocksAreAddedAsOneChange) {
    OpenTestLog t{std::string()};
    FileImport in(CsvOfRows(10000));
    ASSERT_EQ(AddImportedFile(t.Log, in.CsvPath, in.Plan), ImportWriting::Added);
    EXPECT_EQ(t.Log.EntryCount, 10000);
    EXPECT_EQ(ReadBytes(t.Path), RecordsBytes(PlanImport(CsvOfRows(10000)).Records));
    EXPECT_FALSE(FileExists(JournalPath(t.Path).c_str()));
}

TEST(ImportAppend, ATrailingPartRecordIsOverwrittenAsByAnAppend) {
    std::string old = Record("Old", "01-01-2026", "00:00");
    OpenTestLog t(old + "partial");
    ASSERT_EQ(t.Log.EntryCount, 1);
    FileImport in("Date,Time,Station\n02-01-2026,01:00,A\n");
    ASSERT_EQ(AddImportedFile(t.Log, in.CsvPath, in.Plan), ImportWriting::Added);
    EXPECT_EQ(ReadBytes(t.Path), old + Record("A", "02-01-2026", "01:00"));
}

// Between the question and the answer the file may be edited or replaced:
// what is added must be what the question counted.
TEST(ImportAppend, AFileChangedAfterItsPlanAddsNothing) {
    std::string old = Record("Old", "01-01-2026", "00:00") + "partial";
    const std::string edits[] = {
        CsvOfRows(3) + "04-01-2026,01:00,One more\r\n",            // a report more
        CsvOfRows(2),                                              // a report less
        CsvOfRows(2) + "31-02-2026,01:00,Skipped now\r\n",         // one of them skipped now
        "Date,Time,Station\r\n02-01-2026,01:00,Station 1, x\r\n",  // no longer the same lines
    };
    for (const std::string& edited : edits) {
        OpenTestLog t(old);
        FileImport in(CsvOfRows(3));
        ASSERT_EQ(in.Plan.Reports, 3);
        WriteBytes(in.CsvPath, edited);
        EXPECT_EQ(AddImportedFile(t.Log, in.CsvPath, in.Plan), ImportWriting::FileChanged) << edited;
        EXPECT_EQ(t.Log.EntryCount, 1);
        EXPECT_EQ(ReadBytes(t.Path), old);
        EXPECT_FALSE(FileExists(JournalPath(t.Path).c_str()));
    }
    EXPECT_EQ(ImportFileChangedText("C:\\IN.CSV", "C:\\LOGS\\MYLOG.ULM"),
              "Nothing was added to C:\\LOGS\\MYLOG.ULM. C:\\IN.CSV changed after it was read; import it again "
              "to see what it holds now.");
}

TEST(ImportAppend, AFailedWriteLeavesTheLogAsItWas) {
    std::string old = Record("Old", "01-01-2026", "00:00");
    OpenTestLog t(old);
    FileImport in(CsvOfRows(300));
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 16384;  // room for the journal and 142 of the 301 records: a full disk part way
    setrlimit(RLIMIT_FSIZE, &small);
    ImportWriting added = AddImportedFile(t.Log, in.CsvPath, in.Plan);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(added, ImportWriting::LogFailed);
    EXPECT_EQ(t.Log.LastError, LogError::WriteFailed);
    EXPECT_EQ(t.Log.EntryCount, 1);
    EXPECT_EQ(ReadBytes(t.Path), old);
    EXPECT_FALSE(FileExists(JournalPath(t.Path).c_str()));
    EXPECT_EQ(ImportFailedText(t.Log, "C:\\LOGS\\MYLOG.ULM"),
              "Nothing was added to C:\\LOGS\\MYLOG.ULM. The log file could not be written. The disk may be full.");
}

// A run killed part way: the child's file size limit kills it (SIGXFSZ) in the
// middle of the import's write. The next opening finds the journal and puts the
// log back to its exact old bytes.
TEST(ImportAppend, AnImportKilledPartWayIsTakenBackAtTheNextOpening) {
    std::string old = Record("Old", "01-01-2026", "00:00") + "partial";
    OpenTestLog t(old);
    CloseLog(t.Log);
    FileImport in(CsvOfRows(300));
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_DFL);
        struct rlimit limit = {16384, 16384};  // room for the journal, not for every record
        setrlimit(RLIMIT_FSIZE, &limit);
        LogStore inChild;
        if (!OpenLog(inChild, t.Path)) _exit(2);
        AddImportedFile(inChild, in.CsvPath, in.Plan);
        _exit(3);  // not reached: the write past the limit kills the run
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself with " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(ReadBytes(t.Path).size(), 16384u);  // the kill came part way through
    EXPECT_TRUE(FileExists(JournalPath(t.Path).c_str()));
    LogStore reopened;
    ASSERT_TRUE(OpenLog(reopened, t.Path));
    EXPECT_EQ(reopened.Recovery, LogRecovery::AppendUndone);
    EXPECT_EQ(reopened.EntryCount, 1);
    CloseLog(reopened);
    EXPECT_EQ(ReadBytes(t.Path), old);
    EXPECT_FALSE(FileExists(JournalPath(t.Path).c_str()));
}

TEST(ImportAppend, NoLogOrAReadOnlyLogTakesNothing) {
    FileImport in(CsvOfRows(1));
    LogStore none;
    EXPECT_EQ(AddImportedFile(none, in.CsvPath, in.Plan), ImportWriting::LogFailed);
    EXPECT_EQ(none.LastError, LogError::NotOpen);
    TempDir dir;
    std::string path = dir.Path("RO.ULM");
    std::string old = Record("Old", "01-01-2026", "00:00");
    WriteBytes(path, old);
    chmod(path.c_str(), 0444);
    LogStore readOnly;
    OpenLog(readOnly, path);
    if (readOnly.Writable) GTEST_SKIP() << "running as a user who can write read-only files";
    EXPECT_EQ(AddImportedFile(readOnly, in.CsvPath, in.Plan), ImportWriting::LogFailed);
    EXPECT_EQ(readOnly.LastError, LogError::ReadOnly);
    EXPECT_EQ(readOnly.EntryCount, 1);
    CloseLog(readOnly);
    EXPECT_EQ(ReadBytes(path), old);
}

// A file is read a window of a quarter megabyte at a time: whatever falls on a
// window's edge (a row, a CR LF, a line break inside quotes, a UTF-8
// character, a row longer than the window) reads as it does from memory.
TEST(ImportWindows, AFileReadsAsItsBytesDoWhateverFallsOnAWindowEdge) {
    const size_t kWindow = size_t{1} << 18;
    std::string header = "Date;UTC;Station;Remarks\r\n";
    std::string rows;
    std::mt19937 random(7);
    for (int n = 0; rows.size() < 3 * kWindow; ++n) {
        std::string remarks(random() % 50, 'r');
        if (n % 7 == 0) remarks = "\"two\r\nlines; \"\"quoted\"\"\"";
        std::string lineEnd = n % 5 == 0 ? "\n" : "\r\n";
        rows += "14-08-2026;0859;Caf\xC3\xA9 " + std::to_string(n) + ";" + remarks + lineEnd;
    }
    // The blanks of the line before the rows move them so that byte k of
    // `what` is the last byte of the first window.
    std::string base = header + "\r\n" + rows;
    auto shiftPutting = [&](const std::string& what, size_t k) {
        return kWindow - 1 - (base.rfind(what, kWindow - 1 - k) + k);
    };
    const size_t shifts[] = {0,
                             shiftPutting("\xC3\xA9", 0),
                             shiftPutting("\r\n", 0),
                             shiftPutting("\r\n", 1),
                             shiftPutting("two\r\n", 3),
                             shiftPutting(";", 0)};
    for (size_t shift : shifts) {
        std::string csv = header + std::string(shift, ' ') + "\r\n" + rows;
        csv += "14-08-2026;0900;Long;\"" + std::string(kWindow + 10, 'x') + "\"\r\n";
        csv += "14-08-2026;0901;After the long row;\r\n";
        FileImport in(csv);
        ImportPlan memory = PlanImport(csv);
        ASSERT_FALSE(in.Plan.Refused) << in.Plan.Refusal;
        EXPECT_GT(memory.Reports, 3000);
        EXPECT_EQ(in.Plan.Reports, memory.Reports);
        EXPECT_EQ(in.Plan.Skipped, 1);  // the long row; a line of blanks is passed over
        EXPECT_EQ(in.Plan.Skipped, memory.Skipped);
        EXPECT_EQ(in.Plan.FirstSkippedLine, memory.FirstSkippedLine);
        EXPECT_EQ(in.Plan.FirstSkipReason, memory.FirstSkipReason);
        EXPECT_EQ(EntryBytes(memory.Records.front()).substr(21, 6), "Caf\xE9 0");  // converted from UTF-8
        EXPECT_EQ(in.Plan.Text, ImportText::Utf8);
        OpenTestLog t{std::string()};
        ASSERT_EQ(AddImportedFile(t.Log, in.CsvPath, in.Plan), ImportWriting::Added);
        ASSERT_EQ(ReadBytes(t.Path), RecordsBytes(memory.Records)) << "shift " << shift;
        EXPECT_EQ(EntryBytes(t.Log.EntryBuffer), EntryBytes(memory.Records.back()));
    }
}

// One byte that is not UTF-8 anywhere in the file, even in the last window,
// leaves every value as code page 1252 bytes.
TEST(ImportWindows, OneByteThatIsNotUtf8LateInTheFileKeepsTheBytesAsTheyAre) {
    std::string csv = "Date,Time,Station\r\n";
    while (csv.size() < (size_t{1} << 19)) csv += "14-08-2026,08:59,Caf\xC3\xA9\r\n";
    csv += "14-08-2026,08:59,Caf\xE9\r\n";
    FileImport in(csv);
    EXPECT_EQ(in.Plan.Text, ImportText::CodePage1252);
    OpenTestLog t{std::string()};
    ASSERT_EQ(AddImportedFile(t.Log, in.CsvPath, in.Plan), ImportWriting::Added);
    std::string log = ReadBytes(t.Path);
    EXPECT_EQ(log.substr(21, 5), "Caf\xC3\xA9");
    EXPECT_EQ(log.substr(log.size() - 115 + 21, 5), "Caf\xE9 ");
}

// Plain ASCII needs no conversion, with or without a byte-order mark; the
// decision made while planning is the one the adding reads by.
TEST(ImportWindows, PlainAsciiIsReadAsItIsAndTheAddingKeepsThePlansReading) {
    FileImport plain("\xEF\xBB\xBF" + CsvOfRows(3));
    EXPECT_EQ(plain.Plan.Text, ImportText::CodePage1252);
    EXPECT_EQ(plain.Plan.Reports, 3);
    FileImport utf8("Date,Time,Station\r\n14-08-2026,08:59,Caf\xC3\xA9\r\n");
    EXPECT_EQ(utf8.Plan.Text, ImportText::Utf8);
    OpenTestLog t{std::string()};
    ASSERT_EQ(AddImportedFile(t.Log, utf8.CsvPath, utf8.Plan), ImportWriting::Added);
    EXPECT_EQ(ReadBytes(t.Path).substr(21, 5), "Caf\xE9 ");
}
