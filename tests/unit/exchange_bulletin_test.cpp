#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange/bulletin.h"
#include "exchange/output_name.h"
#include "print/print_text.h"
#include "tests/unit/stored_outputs.h"

namespace {

// Freq, Station, Location and Remarks filled or blank as the four bits of
// `mask` say (8, 4, 2, 1), with the given Date and Time.
LogEntry Combination(int mask, const std::string& date, const std::string& time) {
    return MakeEntry(mask & 4 ? "R. Rumbos" : "", date, time, mask & 8 ? "9660" : "", mask & 2 ? "Venezuela" : "",
                     mask & 1 ? "nice signal" : "");
}

// Lines by mask, with a valid Date 14-08-2026 and Time 08:59.
const char* const kDatedLines[16] = {
    "0859 14/8",
    "0859 nice signal 14/8",
    "0859 Venezuela. 14/8",
    "0859 Venezuela. nice signal 14/8",
    "0859 R. Rumbos, 14/8",
    "0859 R. Rumbos, nice signal 14/8",
    "0859 R. Rumbos, Venezuela. 14/8",
    "0859 R. Rumbos, Venezuela. nice signal 14/8",
    "9660 0859 14/8",
    "9660 0859 nice signal 14/8",
    "9660 0859 Venezuela. 14/8",
    "9660 0859 Venezuela. nice signal 14/8",
    "9660 0859 R. Rumbos, 14/8",
    "9660 0859 R. Rumbos, nice signal 14/8",
    "9660 0859 R. Rumbos, Venezuela. 14/8",
    "9660 0859 R. Rumbos, Venezuela. nice signal 14/8",
};

// Lines by mask with a blank Time: no time piece and no date piece.
const char* const kUntimedLines[16] = {
    "",
    "nice signal",
    "Venezuela.",
    "Venezuela. nice signal",
    "R. Rumbos,",
    "R. Rumbos, nice signal",
    "R. Rumbos, Venezuela.",
    "R. Rumbos, Venezuela. nice signal",
    "9660",
    "9660 nice signal",
    "9660 Venezuela.",
    "9660 Venezuela. nice signal",
    "9660 R. Rumbos,",
    "9660 R. Rumbos, nice signal",
    "9660 R. Rumbos, Venezuela.",
    "9660 R. Rumbos, Venezuela. nice signal",
};

std::string WithoutDatePiece(const std::string& line) {
    return line.substr(0, line.size() - std::string(" 14/8").size());
}

BulletinItem Item(int32_t number, const std::string& freq, const std::string& date, const std::string& time) {
    return {MakeEntry("S" + std::to_string(number), date, time, freq), number};
}

std::vector<int32_t> Numbers(const std::vector<BulletinItem>& items) {
    std::vector<int32_t> numbers;
    for (const BulletinItem& item : items) numbers.push_back(item.Number);
    return numbers;
}

// The log whose bulletin is stored in data/bulletin_sample.txt.
std::vector<LogEntry> SampleLog() {
    return {
        MakeEntry("R. Rumbos", "14-08-2026", "08:59", "9660", "Venezuela", "nice signal"),
        MakeEntry("Radio Nacional", "02-08-2026", "23:10", " 6185", "  Mexico", "  QRM from 6180"),
        MakeEntry("BBC WS", "14-08-2026", "06:00", "15400", "Ascension", ""),
        MakeEntry("Unknown", "", "", "3310", "", "mostly noise"),
        MakeEntry("Radio Rebelde", "01-09-2026", "04:30", "5025", "Cuba", "fair"),
        MakeEntry("R. Rumbos", "05-08-2026", "09:15", "9660", "Venezuela", "weaker, fading"),
        MakeEntry("Pirate", "15-08-2026", "21:00", "6940?", "", "music"),
    };
}

ReportFilter NoFilter() { return ReadReportFilter(FilterTexts{}, UpperCaseWestern).Filter; }

}  // namespace

TEST(BulletinLine, TheClubExample) {
    EXPECT_EQ(BulletinLine(MakeEntry("R. Rumbos", "14-08-2026", "08:59", "9660", "Venezuela", "nice signal")),
              "9660 0859 R. Rumbos, Venezuela. nice signal 14/8");
}

TEST(BulletinLine, EveryCombinationOfEmptyFields) {
    for (int mask = 0; mask < 16; ++mask) {
        EXPECT_EQ(BulletinLine(Combination(mask, "14-08-2026", "08:59")), kDatedLines[mask]) << mask;
        EXPECT_EQ(BulletinLine(Combination(mask, "14-08-2026", "")), kUntimedLines[mask]) << mask;
        EXPECT_EQ(BulletinLine(Combination(mask, "", "")), kUntimedLines[mask]) << mask;
        EXPECT_EQ(BulletinLine(Combination(mask, "", "08:59")), WithoutDatePiece(kDatedLines[mask])) << mask;
    }
}

TEST(BulletinLine, PiecesAreTrimmedAndTheDateHasNoLeadingZeros) {
    EXPECT_EQ(BulletinLine(MakeEntry("  R. Rumbos", "01-01-2026", "00:00", "  9660", "  Venezuela", "  nice  ")),
              "9660 0000 R. Rumbos, Venezuela. nice 1/1");
    EXPECT_EQ(BulletinLine(MakeEntry("S", "31-12-2025", "23:59", "1", "", "")), "1 2359 S, 31/12");
    EXPECT_EQ(BulletinLine(MakeEntry("S", "05-10-2025", "12:07", "1", "", "")), "1 1207 S, 5/10");
    // Inner blanks stay.
    EXPECT_EQ(BulletinLine(MakeEntry("A  B", "05-10-2025", "12:07", "9 6", "C  D", "E  F")),
              "9 6 1207 A  B, C  D. E  F 5/10");
}

TEST(BulletinLine, InvalidDateOrTimeDropsTheDatePiece) {
    EXPECT_EQ(BulletinLine(MakeEntry("S", "31-02-2026", "08:59", "9660", "L", "r")), "9660 0859 S, L. r");
    EXPECT_EQ(BulletinLine(MakeEntry("S", "15-13-2020", "08:59", "9660", "L", "r")), "9660 0859 S, L. r");
    // A damaged time is shown as it stands.
    EXPECT_EQ(BulletinLine(MakeEntry("S", "14-08-2026", "25:99", "9660", "L", "r")), "9660 25:99 S, L. r");
    EXPECT_EQ(BulletinLine(MakeEntry("S", "14-08-2026", "8:59", "9660", "L", "r")), "9660 8:59 S, L. r");
}

TEST(BulletinLine, LineBreaksInADamagedRecordBecomeBlanks) {
    EXPECT_EQ(BulletinLine(MakeEntry("S\r\nT", "14-08-2026", "08:59", "1", "L", "a\nb\r")), "1 0859 S  T, L. a b 14/8");
}

TEST(BulletinOrder, FrequencyDateTimeNumberAndTheUndatedLast) {
    std::vector<BulletinItem> items = {
        Item(1, "9660", "14-08-2026", "08:59"),
        Item(2, "  600", "14-08-2026", "08:59"),
        Item(3, "15100", "01-01-2026", "00:00"),
        Item(4, "9660", "13-08-2026", "23:00"),
        Item(5, "9660", "14-08-2026", "08:58"),
        Item(6, "9660", "14-08-2026", "08:59"),
        Item(7, "9660.0", "31-12-2025", "12:00"),
        Item(8, "abc", "01-01-2020", "00:00"),
        Item(9, "", "01-01-2030", "00:00"),
        Item(10, "9660", "31-02-2026", "08:59"),
        Item(11, "600", "14-08-2026", ""),
        Item(12, "ABC", "01-01-2030", "00:00"),
        Item(13, "9660", "01-02-2026", "00:00"),
        Item(14, "9660", "31-01-2026", "00:00"),
        Item(15, "\xE9t\xE9", "01-01-2020", "00:00"),
        Item(16, "abc", "01-01-2019", "00:00"),
    };
    SortBulletin(&items);
    // 600 < 9660 < 15100 by value (not by bytes); 9660.0 equals 9660; then
    // "" < "ABC" < "abc" < "été" by unsigned bytes; invalid dates or times last.
    EXPECT_EQ(Numbers(items), (std::vector<int32_t>{2, 7, 14, 13, 4, 5, 1, 6, 3, 9, 12, 16, 8, 15, 11, 10}));
}

TEST(BulletinOrder, UndatedOnesAmongThemselvesByFrequencyThenNumber) {
    std::vector<BulletinItem> items = {
        Item(1, "9660", "", "08:59"),     Item(2, "x", "14-08-2026", "24:00"),
        Item(3, "600", "31-02-2026", ""), Item(4, "9660", "14-08-2026", ""),
        Item(5, "600", "", ""),
    };
    SortBulletin(&items);
    EXPECT_EQ(Numbers(items), (std::vector<int32_t>{3, 5, 1, 4, 2}));
}

TEST(BulletinFile, SampleLogMatchesTheStoredFile) {
    OpenTestLog t(SampleLog());
    std::string name = t.Folder.Path("MYLOG.TXT");
    ExportResult result = WriteBulletin(t.Log, 1, name, NoFilter());
    EXPECT_EQ(result.Status, ExportStatus::Written);
    EXPECT_EQ(result.Count, 7);
    EXPECT_EQ(ReadBytes(name), StoredFile("bulletin_sample.txt"));
}

TEST(BulletinFile, FilterAndStartNumberChooseTheLines) {
    OpenTestLog t(SampleLog());
    std::string name = t.Folder.Path("MYLOG.TXT");
    FilterTexts texts;
    texts.Station = "r";
    ReportFilter radios = ReadReportFilter(texts, UpperCaseWestern).Filter;
    // Entry 1, R. Rumbos on 14-08, is before the start number.
    ExportResult result = WriteBulletin(t.Log, 2, name, radios);
    EXPECT_EQ(result.Count, 3);
    EXPECT_EQ(ReadBytes(name),
              "5025 0430 Radio Rebelde, Cuba. fair 1/9\r\n"
              "6185 2310 Radio Nacional, Mexico. QRM from 6180 2/8\r\n"
              "9660 0915 R. Rumbos, Venezuela. weaker, fading 5/8\r\n");
}

TEST(BulletinFile, NothingToWriteLeavesTheFileEmpty) {
    OpenTestLog t(SampleLog());
    std::string name = t.Folder.Path("MYLOG.TXT");
    WriteBytes(name, "old");
    ExportResult result = WriteBulletin(t.Log, 8, name, NoFilter());
    EXPECT_EQ(result.Status, ExportStatus::Written);
    EXPECT_EQ(result.Count, 0);
    EXPECT_EQ(ReadBytes(name), "");
}

TEST(BulletinFile, RefusedNamesWriteNothing) {
    OpenTestLog t(SampleLog());
    std::string logBytes = ReadBytes(t.Folder.Path("MYLOG.ULM"));
    EXPECT_EQ(WriteBulletin(t.Log, 1, "", NoFilter()).Status, ExportStatus::NoFileName);
    EXPECT_EQ(WriteBulletin(t.Log, 1, t.Folder.Path("MYLOG.ULM"), NoFilter()).Status, ExportStatus::NamesOpenLog);
    EXPECT_EQ(WriteBulletin(t.Log, 1, t.Folder.Path("./MYLOG.ULM"), NoFilter()).Status, ExportStatus::NamesOpenLog);
    EXPECT_EQ(ReadBytes(t.Folder.Path("MYLOG.ULM")), logBytes);
    EXPECT_EQ(WriteBulletin(t.Log, 1, t.Folder.Path("no/such/folder/B.TXT"), NoFilter()).Status,
              ExportStatus::CannotCreate);
}

TEST(BulletinName, EveryUlmBecomesTxt) {
    EXPECT_EQ(BulletinNameFromUpperPath("C:\\LOGS\\MYLOG.ULM"), "C:\\LOGS\\MYLOG.TXT");
    EXPECT_EQ(BulletinNameFromUpperPath("C:\\A.ULM\\B.ULM"), "C:\\A.TXT\\B.TXT");
    EXPECT_EQ(BulletinNameFromUpperPath("C:\\LOGS\\MYLOG.LOG"), "C:\\LOGS\\MYLOG.LOG");
    EXPECT_EQ(ExportNameFromUpperPath("C:\\A.ULM\\B.ULM"), "C:\\A.CSV\\B.CSV");
}
