#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "exchange/csv_export.h"
#include "exchange/csv_line.h"
#include "print/start_number.h"
#include "tests/unit/stored_outputs.h"

namespace {

// The three entries whose export is stored in data/export_three.csv.
std::string ThreeEntries() {
    std::vector<LogEntry> entries = StoredEntries();
    entries.pop_back();
    return RecordsBytes(entries);
}

std::string ManyEntries(int count) {
    std::string bytes;
    for (int i = 1; i <= count; ++i) {
        bytes += EntryBytes(MakeEntry("Station " + std::to_string(i), "01-02-2003", "04:05", std::to_string(i)));
    }
    return bytes;
}

const std::string kHeaderLine = "Date,Time,Station,Location,Freq,Remarks\r\n";

}  // namespace

TEST(CsvLine, ExampleEntryEndsWithTheEmptyRemarksColumn) {
    LogEntry entry = MakeEntry("Example Radio", "07-03-2004", "21:45", "6070  ", "Sometown", "");
    EXPECT_EQ(CsvLine(entry), "07 Mar 2004,21:45,Example Radio,Sometown,6070KHz,");
}

TEST(CsvLine, FrequencyLosesItsBlanksAndKeepsKhz) {
    EXPECT_EQ(CsvLine(MakeEntry("S", "07-03-2004", "21:45", "  6070")), "07 Mar 2004,21:45,S,Somewhere,6070KHz,");
    EXPECT_EQ(CsvLine(MakeEntry("S", "07-03-2004", "21:45", "6070  ")), "07 Mar 2004,21:45,S,Somewhere,6070KHz,");
    EXPECT_EQ(CsvLine(MakeEntry("S", "07-03-2004", "21:45", "")), "07 Mar 2004,21:45,S,Somewhere,KHz,");
}

TEST(CsvLine, LeadingBlanksAreKeptTrailingOnesRemoved) {
    LogEntry entry = MakeEntry("  Lead", "07-03-2004", "21:4", "9", "  Place", "   note");
    EXPECT_EQ(CsvLine(entry), "07 Mar 2004,21:4,  Lead,  Place,9KHz,   note");
    EXPECT_EQ(CsvLine(MakeEntry("", "07-03-2004", "", "", "", "")), "07 Mar 2004,,,,KHz,");
}

TEST(CsvLine, MonthOutsideTheYearLeavesTwoBlanks) {
    EXPECT_EQ(CsvLine(MakeEntry("S", "15-13-2020", "12:00", "1")), "15  2020,12:00,S,Somewhere,1KHz,");
    // A damaged ".9" was once "Jan" here while the browse line showed no month.
    EXPECT_EQ(CsvLine(MakeEntry("S", "15-.9-2020", "12:00", "1")), "15  2020,12:00,S,Somewhere,1KHz,");
}

TEST(CsvLine, FieldsWithCommasOrQuotesAreQuoted) {
    EXPECT_EQ(CsvLine(MakeEntry("Radio, Two", "07-03-2004", "21:45", "6070", "Here", "")),
              "07 Mar 2004,21:45,\"Radio, Two\",Here,6070KHz,");
    EXPECT_EQ(CsvLine(MakeEntry("Say \"hi\"", "07-03-2004", "21:45", "6,07", "  a,b  ", "\"")),
              "07 Mar 2004,21:45,\"Say \"\"hi\"\"\",\"  a,b\",\"6,07KHz\",\"\"\"\"");
    // A line break in a damaged record would split the line; it is quoted too.
    EXPECT_EQ(CsvLine(MakeEntry("Line\r\nBreak", "07-03-2004", "21:45", "1", "P", "")),
              "07 Mar 2004,21:45,\"Line\r\nBreak\",P,1KHz,");
}

TEST(CsvLine, SpecialBytesAreFoundAtEveryPlaceOfAField) {
    for (size_t at = 0; at < 50; ++at) {
        for (char special : {',', '"', '\r', '\n'}) {
            std::string remarks(50, 'r');
            remarks[at] = special;
            std::string quoted = remarks;
            if (special == '"') quoted.insert(at, 1, '"');
            std::string line = CsvLine(MakeEntry("S", "07-03-2004", "21:45", "1", "P", remarks));
            ASSERT_EQ(line, "07 Mar 2004,21:45,S,P,1KHz,\"" + quoted + "\"") << "byte " << int(special) << " at " << at;
        }
    }
    // Bytes next to the special ones, and those with the high bit set, need no quotes.
    std::string plain = "+-!#'\t\x80\xAC\xA2\x8D\x8A\xFF";
    EXPECT_EQ(CsvLine(MakeEntry(plain, "07-03-2004", "21:45", "1", "P", "")),
              "07 Mar 2004,21:45," + plain + ",P,1KHz,");
}

TEST(CsvLine, LongestQuotedLineFits) {
    std::string quotes(50, '"');
    LogEntry entry = MakeEntry(std::string(20, '"'), "\"\"\"\"\"\"\"\"\"\"", "\"\"\"\"\"", "\"\"\"\"\"\"",
                               std::string(24, '"'), quotes);
    std::string line = CsvLine(entry);
    EXPECT_LE(line.size(), kLongestCsvLine);
    EXPECT_EQ(line.substr(line.size() - 102), "\"" + std::string(100, '"') + "\"");
}

TEST(CsvLine, FullFieldsGiveTheLongestPlainLine) {
    LogEntry entry =
        MakeEntry(std::string(20, 'S'), "07-03-2004", "21:45", "153000", std::string(24, 'L'), std::string(50, 'R'));
    std::string line = CsvLine(entry);
    EXPECT_EQ(line.size(), 124u);
    EXPECT_EQ(line, "07 Mar 2004,21:45," + std::string(20, 'S') + "," + std::string(24, 'L') + ",153000KHz," +
                        std::string(50, 'R'));
}

TEST(CsvExport, ThreeEntriesMatchTheStoredFile) {
    OpenTestLog t(ThreeEntries());
    std::string csv = t.Folder.Path("MYLOG.CSV");
    ExportResult result = ExportLog(t.Log, 1, csv);
    EXPECT_EQ(result.Status, ExportStatus::Written);
    EXPECT_EQ(result.Count, 3);
    EXPECT_EQ(ReadBytes(csv), StoredFile("export_three.csv"));
}

TEST(CsvExport, EveryRunStartsItsFileWithTheHeader) {
    OpenTestLog t(ThreeEntries());
    std::string first = t.Folder.Path("ONE.CSV");
    std::string second = t.Folder.Path("TWO.CSV");
    EXPECT_EQ(ExportLog(t.Log, 1, first).Status, ExportStatus::Written);
    EXPECT_EQ(ExportLog(t.Log, 2, second).Count, 2);
    EXPECT_EQ(ReadBytes(first), StoredFile("export_three.csv"));
    std::string stored = StoredFile("export_three.csv");
    size_t secondEntry = stored.find("15 Nov");
    EXPECT_EQ(ReadBytes(second), kHeaderLine + stored.substr(secondEntry));
    // Exporting again over the first file gives the same bytes, not two copies.
    EXPECT_EQ(ExportLog(t.Log, 1, first).Count, 3);
    EXPECT_EQ(ReadBytes(first), stored);
}

TEST(CsvExport, StartAboveTheCountEmptiesTheFile) {
    OpenTestLog t(ThreeEntries());
    std::string csv = t.Folder.Path("OLD.CSV");
    WriteBytes(csv, "old contents\r\n");
    ExportResult result = ExportLog(t.Log, 4, csv);
    EXPECT_EQ(result.Status, ExportStatus::Written);
    EXPECT_EQ(result.Count, 0);
    EXPECT_TRUE(FileExists(csv.c_str()));
    EXPECT_EQ(ReadBytes(csv), "");
    EXPECT_EQ(ExportLog(t.Log, kBeyondAnyEntry, csv).Count, 0);
}

TEST(CsvExport, EmptyLogGivesAnEmptyFile) {
    OpenTestLog t("");
    std::string csv = t.Folder.Path("EMPTY.CSV");
    ExportResult result = ExportLog(t.Log, 1, csv);
    EXPECT_EQ(result.Status, ExportStatus::Written);
    EXPECT_EQ(result.Count, 0);
    EXPECT_TRUE(FileExists(csv.c_str()));
    EXPECT_EQ(ReadBytes(csv), "");
}

TEST(CsvExport, LinesAreWrittenInOrderAcrossWriteBlocks) {
    const int count = 12000;  // more than one megabyte of lines
    OpenTestLog t(ManyEntries(count));
    std::string csv = t.Folder.Path("MANY.CSV");
    ExportResult result = ExportLog(t.Log, 1, csv);
    EXPECT_EQ(result.Status, ExportStatus::Written);
    EXPECT_EQ(result.Count, count);
    std::string expected = kHeaderLine;
    for (int i = 1; i <= count; ++i) {
        std::string n = std::to_string(i);
        expected += "01 Feb 2003,04:05,Station " + n + ",Somewhere," + n + "KHz,\r\n";
    }
    std::string written = ReadBytes(csv);
    EXPECT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected);
}

TEST(CsvExportFailure, EmptyNameWritesNothing) {
    OpenTestLog t(ThreeEntries());
    ExportResult result = ExportLog(t.Log, 1, "");
    EXPECT_EQ(result.Status, ExportStatus::NoFileName);
    EXPECT_EQ(result.Count, 0);
    EXPECT_NE(ExportFailureText(result.Status, "").find("no file was written"), std::string::npos);
}

TEST(CsvExportFailure, MissingFolderIsReported) {
    OpenTestLog t(ThreeEntries());
    std::string csv = t.Folder.Path("nofolder/LOG.CSV");
    ExportResult result = ExportLog(t.Log, 1, csv);
    EXPECT_EQ(result.Status, ExportStatus::CannotCreate);
    EXPECT_FALSE(FileExists(csv.c_str()));
    std::string text = ExportFailureText(result.Status, csv);
    EXPECT_NE(text.find(csv), std::string::npos);
    EXPECT_NE(text.find("was not written"), std::string::npos);
}

TEST(CsvExportFailure, ReadOnlyFileIsLeftAsItWas) {
    OpenTestLog t(ThreeEntries());
    std::string csv = t.Folder.Path("KEEP.CSV");
    WriteBytes(csv, "keep me");
    chmod(csv.c_str(), 0444);
    EXPECT_EQ(ExportLog(t.Log, 1, csv).Status, ExportStatus::CannotCreate);
    EXPECT_EQ(ReadBytes(csv), "keep me");
}

TEST(CsvExportFailure, FileInUseIsLeftAsItWas) {
    OpenTestLog t(ThreeEntries());
    std::string csv = t.Folder.Path("BUSY.CSV");
    WriteBytes(csv, "in use");
    PlatformFile holder;
    ASSERT_TRUE(FileOpen(csv.c_str(), FileAccess::ReadWrite, &holder));
    EXPECT_EQ(ExportLog(t.Log, 1, csv).Status, ExportStatus::CannotCreate);
    FileClose(&holder);
    EXPECT_EQ(ReadBytes(csv), "in use");
}

TEST(CsvExportFailure, TheOpenLogIsNeverTouched) {
    OpenTestLog t(ThreeEntries());
    ExportResult result = ExportLog(t.Log, 1, t.Path);
    EXPECT_EQ(result.Status, ExportStatus::NamesOpenLog);
    EXPECT_NE(ExportFailureText(result.Status, t.Path).find(t.Path + " was not written"), std::string::npos);
    // Another spelling of the same file is the same file.
    std::string other = t.Folder.Path("./MYLOG.ULM");
    EXPECT_EQ(ExportLog(t.Log, 1, other).Status, ExportStatus::NamesOpenLog);
    EXPECT_EQ(ReadBytes(t.Path), ThreeEntries());
    EXPECT_EQ(t.Log.EntryCount, 3);
    ASSERT_TRUE(ReadEntry(t.Log, 3));
    EXPECT_EQ(EntryBytes(t.Log.EntryBuffer), ThreeEntries().substr(230));
}
