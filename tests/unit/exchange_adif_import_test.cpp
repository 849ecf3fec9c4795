// The ADIF import: the tolerant reading of other programs' files, the bad
// inputs each refused or skipped with its reason, the window-at-a-time reading
// of a file, the journaled adding, and the round trip of ULMAR's own export.
#include <gtest/gtest.h>

#include <unistd.h>
#include <random>
#include <string>
#include <vector>

#include "exchange/adif_export.h"
#include "exchange/adif_import.h"
#include "tests/unit/import_cases.h"
#include "tests/unit/stored_outputs.h"

namespace {

std::vector<std::string> Imported(const std::string& file) { return PlannedBytes(PlanAdifImport(file)); }

// A field with its length in bytes.
std::string Field(const std::string& name, const std::string& data) {
    return "<" + name + ":" + std::to_string(data.size()) + ">" + data;
}

const std::string kPlainRecord = "<QSO_DATE:8>20260115<TIME_ON:4>1930<CALL:4>Test<EOR>\r\n";

TEST(AdifImport, TheMappingOfTheFields) {
    std::string file = Field("QSO_DATE", "20260115") + Field("TIME_ON", "193059") + Field("FREQ", "9.610") +
                       Field("CALL", "Radio Exterior de Espana") + Field("QTH", "Noblejas") +
                       Field("COMMENT", "nice audio") + "<EOR>";
    EXPECT_EQ(Imported(file), (std::vector<std::string>{Record("R. Exterior de Espan", "15-01-2026", "19:30", "9610",
                                                               "Noblejas", "nice audio")}));
}

// The first of the fields the record has decides each value.
TEST(AdifImport, ExactFieldsComeFirstThenTheStandardOnes) {
    std::string exact = Field("QSO_DATE", "20260115") + Field("TIME_ON", "1930") + Field("FREQ", "9.41") +
                        Field("APP_ULMAR_FREQ", " 9410") + Field("CALL", "Radio") + Field("APP_ULMAR_STATION", "  R") +
                        Field("QTH", "Q") + Field("APP_ULMAR_LOCATION", "  L") + Field("COMMENT", "C") +
                        Field("APP_ULMAR_REMARKS", "  R") + "<EOR>";
    EXPECT_EQ(Imported(exact), (std::vector<std::string>{Record("  R", "15-01-2026", "19:30", " 9410", "  L", "  R")}));
    std::string others = Field("QSO_DATE", "20260115") + Field("TIME_ON", "1930") + Field("COUNTRY", "Spain") +
                         Field("NOTES", "first line\r\nsecond line") + "<EOR>" + Field("QSO_DATE", "20260115") +
                         Field("TIME_ON", "1930") + Field("QTH", "Madrid") + Field("COUNTRY", "Spain") +
                         Field("NOTES", "notes") + Field("COMMENT", "comment") + "<EOR>";
    EXPECT_EQ(Imported(others), (std::vector<std::string>{Record("", "15-01-2026", "19:30", "", "Spain", "first line"),
                                                          Record("", "15-01-2026", "19:30", "", "Madrid", "comment")}));
}

TEST(AdifImport, FrequenciesInMegahertzBecomeKilohertzAtTheirShortest) {
    struct Case {
        const char* Megahertz;
        const char* Khz;
    };
    const Case cases[] = {
        {"9.610", "9610"},    {"1.5125", "1512.5"},   {"15.345", "15345"},    {"0.198", "198"},
        {"0.0005", "0.5"},    {"14.074123", "14074"}, {"10.140250", "10140"}, {"7.0745", "7074.5"},
        {"9.99999", "10000"}, {"9.99994", "9999.9"},  {"9.9999996", "10000"}, {"153", "153000"},
        {" 6.07 ", "6070"},   {"6,07", "6070"},       {"00009.41", "9410"},
    };
    for (const Case& c : cases) {
        std::string file =
            Field("QSO_DATE", "20260115") + Field("TIME_ON", "1930") + Field("FREQ", c.Megahertz) + "<EOR>";
        EXPECT_EQ(Imported(file), (std::vector<std::string>{Record("", "15-01-2026", "19:30", c.Khz, "", "")}))
            << c.Megahertz;
    }
}

// A field is one of the import's only by its whole name, in any letter case,
// however its letters fall across the words the names are compared in; a
// name one letter short or long, or differing in its last letter, is another
// program's field and passed over.
TEST(AdifImport, FieldsAreKnownByTheirWholeNameInAnyCase) {
    struct Case {
        std::string Fields;
        const char* Station;
        const char* Remarks;
    };
    const Case cases[] = {
        {Field("app_ulmar_station", "Exact") + Field("CALL", "Call"), "Exact", ""},
        {Field("App_Ulmar_StatioN", "Exact") + Field("CALL", "Call"), "Exact", ""},
        {Field("APP_ULMAR_STATIO", "Exact") + Field("CALL", "Call"), "Call", ""},
        {Field("APP_ULMAR_STATIONS", "Exact") + Field("CALL", "Call"), "Call", ""},
        {Field("APP_ULMAR_STATIOM", "Exact") + Field("CALL", "Call"), "Call", ""},
        {Field("APP_ULMAR_REMARKS", "Exact") + Field("COMMENT", "Comment"), "", "Exact"},
        {Field("APP_ULMAR_DETAILS", "Details") + Field("COMMENT", "Comment"), "", "Comment"},
        {Field("APP_ULMAR_REMARKZ", "Exact") + Field("COMMENT", "Comment"), "", "Comment"},
        {Field("CALLS", "Calls") + Field("CAL", "Cal") + Field("CALL", "Call"), "Call", ""},
        {Field("COMMENTS", "Comments") + Field("COMMENt", "Comment"), "", "Comment"},
        {Field("C;ALL", "Other") + Field("CA=LL", "Other") + Field("CALL", "Call"), "Call", ""},
    };
    const std::string date = Field("QSO_DATE", "20260115") + Field("TIME_ON", "1930");
    for (const Case& c : cases) {
        EXPECT_EQ(Imported(date + c.Fields + "<EOR>"),
                  (std::vector<std::string>{Record(c.Station, "15-01-2026", "19:30", "", "", c.Remarks)}))
            << c.Fields;
        // The same with the record's last tag at the very end of the file, read byte by byte.
        EXPECT_EQ(Imported(c.Fields + date + "<EOR>"),
                  (std::vector<std::string>{Record(c.Station, "15-01-2026", "19:30", "", "", c.Remarks)}))
            << c.Fields;
    }
}

// Dates, times and frequencies are mostly bare digits; blanks around them are
// read as the trimmed value, and anything else is still refused.
TEST(AdifImport, ValuesWithBlanksAroundThem) {
    struct Case {
        const char* Date;
        const char* Time;
        const char* Freq;
        const char* Khz;  // nullptr: the record is skipped
    };
    const Case cases[] = {
        {"20260115", "1930", "9.41", "9410"},      {" 20260115", "1930", "9.41", "9410"},
        {"20260115 ", " 1930", " 9.41", "9410"},   {"20260115", "  1930", "9.41 ", "9410"},
        {"20260115", "193000  ", "9.410", "9410"}, {"2026011 5", "1930", "9.41", nullptr},
        {"2026O115", "1930", "9.41", nullptr},     {"20260115", "19 30", "9.41", nullptr},
        {"20260115", "1930", "9. 41", nullptr},    {"20260115", "1930", "9.41.", nullptr},
    };
    for (const Case& c : cases) {
        std::string file = Field("QSO_DATE", c.Date) + Field("TIME_ON", c.Time) + Field("FREQ", c.Freq) + "<EOR>";
        std::vector<std::string> expected;
        if (c.Khz) expected.push_back(Record("", "15-01-2026", "19:30", c.Khz, "", ""));
        EXPECT_EQ(Imported(file), expected) << file;
    }
}

// What a record needs and the reasons, in the CSV import's words, it is skipped.
TEST(AdifImport, RecordsSkippedWithTheirReasons) {
    struct Case {
        std::string Record;
        const char* Reason;
    };
    const Case cases[] = {
        {Field("TIME_ON", "1930") + "<EOR>", "it has no QSO_DATE"},
        {Field("QSO_DATE", "20260230") + Field("TIME_ON", "1930") + "<EOR>", "QSO_DATE 20260230 is not a valid date"},
        {Field("QSO_DATE", "15-01-2026") + Field("TIME_ON", "1930") + "<EOR>",
         "QSO_DATE 15-01-2026 is not a valid date"},
        {Field("QSO_DATE", "20260115") + "<EOR>", "it has no TIME_ON"},
        {Field("QSO_DATE", "20260115") + Field("TIME_ON", "2460") + "<EOR>", "TIME_ON 2460 is not a valid time"},
        {Field("QSO_DATE", "20260115") + Field("TIME_ON", "19:30") + "<EOR>", "TIME_ON 19:30 is not a valid time"},
        {Field("QSO_DATE", "20260115") + Field("TIME_ON", "193") + "<EOR>", "TIME_ON 193 is not a valid time"},
        {Field("QSO_DATE", "20260115") + Field("TIME_ON", "1930") + Field("FREQ", "abc") + "<EOR>",
         "FREQ abc is not a frequency in MHz that fits"},
        {Field("QSO_DATE", "20260115") + Field("TIME_ON", "1930") + Field("FREQ", "1234.5") + "<EOR>",
         "FREQ 1234.5 is not a frequency in MHz that fits"},
        {Field("QSO_DATE", "20260115") + Field("TIME_ON", "1930") + Field("APP_ULMAR_FREQ", "1234567") + "<EOR>",
         "APP_ULMAR_FREQ longer than 6"},
    };
    for (const Case& c : cases) {
        ImportPlan plan = PlanAdifImport(kPlainRecord + c.Record + kPlainRecord);
        EXPECT_FALSE(plan.Refused) << plan.Refusal;
        EXPECT_EQ(plan.Reports, 2) << c.Record;
        EXPECT_EQ(plan.Skipped, 1) << c.Record;
        EXPECT_EQ(plan.FirstSkippedLine, 2) << c.Record;
        EXPECT_EQ(plan.FirstSkipReason, c.Reason) << c.Record;
    }
}

// The bad inputs: each a clear refusal or a counted skip, never a crash.
TEST(AdifImport, BadInputIsRefusedOrSkippedWithItsReason) {
    struct Case {
        std::string File;
        int64_t Reports;
        int64_t Skipped;
        const char* ReasonOrRefusal;
    };
    const std::string date = Field("QSO_DATE", "20260115") + Field("TIME_ON", "1930");
    const Case cases[] = {
        {kPlainRecord + date + "<CALL:40>short<EOR>\r\n", 1, 1, "the field CALL runs past the end of the file"},
        {kPlainRecord + date + "<CALL:4 Test<EOR>\r\n" + kPlainRecord, 2, 1, "a tag has no '>'"},
        {kPlainRecord + date + "<CALL:4 Test", 1, 1, "a tag has no '>'"},
        {kPlainRecord + date + "<CALL:x>Test<EOR>\r\n" + kPlainRecord, 2, 1, "the length of CALL is not a number"},
        {kPlainRecord + date + "<CALL:>Test<EOR>\r\n" + kPlainRecord, 2, 1, "the length of CALL is not a number"},
        {kPlainRecord + date + "<CALL:-4>Test<EOR>\r\n" + kPlainRecord, 2, 1, "the length of CALL is negative"},
        {kPlainRecord + date + "<CALL:99999999999999999999999>Test<EOR>\r\n" + kPlainRecord, 2, 1,
         "the length of CALL is absurdly large"},
        {kPlainRecord + date + "<CALL:999999999999>Test<EOR>\r\n" + kPlainRecord, 1, 1,
         "the field CALL runs past the end of the file"},
        {kPlainRecord + date + "<CALL>Test<EOR>\r\n" + kPlainRecord, 2, 1, "the tag <CALL> has no length"},
        {kPlainRecord + date + Field("CALL", "Test"), 1, 1, "the file ends before its <EOR>"},
    };
    for (const Case& c : cases) {
        ImportPlan plan = PlanAdifImport(c.File);
        EXPECT_FALSE(plan.Refused) << c.File;
        EXPECT_EQ(plan.Reports, c.Reports) << c.File;
        EXPECT_EQ(plan.Skipped, c.Skipped) << c.File;
        EXPECT_EQ(plan.FirstSkippedLine, 2) << c.File;
        EXPECT_EQ(plan.FirstSkipReason, c.ReasonOrRefusal) << c.File;
    }
    const Case refusals[] = {
        {"", 0, 0, "the file is empty"},
        {"Date,Time,Station\r\n01-01-2026,00:00,Test\r\n", 0, 0,
         "it holds no <EOR> or <EOH>, so it is not an ADIF file"},
        {std::string("\x89PNG\r\n\x1A\n\0\0<IHDR:\x01>", 18), 0, 0,
         "it holds no <EOR> or <EOH>, so it is not an ADIF file"},
        {date + Field("CALL", "no end"), 0, 0, "it holds no <EOR> or <EOH>, so it is not an ADIF file"},
    };
    for (const Case& c : refusals) {
        ImportPlan plan = PlanAdifImport(c.File);
        EXPECT_TRUE(plan.Refused) << c.File;
        EXPECT_EQ(plan.Refusal, c.ReasonOrRefusal) << c.File;
        EXPECT_TRUE(plan.Records.empty());
    }
}

// Data is counted, not scanned: a '<' or a tag inside it is data.
TEST(AdifImport, AngleBracketsInsideDataAreData) {
    std::string file = Field("QSO_DATE", "20260115") + Field("TIME_ON", "1930") + Field("CALL", "<EOR>") +
                       Field("COMMENT", "a <b> <EOH> c") + "<EOR>";
    EXPECT_EQ(Imported(file),
              (std::vector<std::string>{Record("<EOR>", "15-01-2026", "19:30", "", "", "a <b> <EOH> c")}));
}

// Tags in any letter case, type indicators, text between fields, a header or
// none, LF or CR LF, zero lengths as missing fields, unknown fields ignored.
TEST(AdifImport, TolerantReading) {
    std::vector<std::string> one = {Record("Test", "15-01-2026", "19:30", "9410", "Here", "")};
    const std::string files[] = {
        "<qso_date:8>20260115<time_on:4>1930<freq:4>9.41<call:4>Test<qth:4>Here<eor>",
        "<Qso_Date:8:D>20260115 <TIME_ON:4:T>1930 <FREQ:4:N>9.41 <CALL:4:S>Test <QTH:4>Here <eOr>",
        "header text\n<ADIF_VER:5>3.1.7\n<CALL:5>Other<EOH>\n<QSO_DATE:8>20260115\n<TIME_ON:4>1930\n"
        "<FREQ:4>9.41\n<CALL:4>Test\n<QTH:4>Here\n<EOR>\n",
        "junk text <QSO_DATE:8>20260115 more junk <TIME_ON:4>1930\r\n\r\n<FREQ:4>9.41 <CALL:4>Test <QTH:4>Here "
        "<COMMENT:0><NOTES:0> <APP_OTHER_X:3>abc <USERDEF1:2>xy <EOR>\r\n",
        "\xEF\xBB\xBF<QSO_DATE:8>20260115<TIME_ON:6>193000<FREQ:4>9.41<CALL:4>Test<QTH:4>Here<EOR>",
        "<QSO_DATE:8>20260115<TIME_ON:4>1930<FREQ:4>9.41<CALL:4>Test<CALL:5>Other<QTH:4>Here<EOR><EOR>",
    };
    for (const std::string& file : files) {
        EXPECT_EQ(Imported(file), one) << file;
        EXPECT_EQ(PlanAdifImport(file).Skipped, 0) << file;
    }
}

// Lengths counted in bytes or, in a UTF-8 file, in characters; code page
// 1252 files keep their bytes.
TEST(AdifImport, LengthsInBytesOrCharactersAndTheTwoCodePages) {
    const std::string date = Field("QSO_DATE", "20260115") + Field("TIME_ON", "1930");
    std::vector<std::string> lodz = {
        Record("L\xF3"
               "dz",
               "15-01-2026", "19:30")};
    EXPECT_EQ(Imported(date + "<CALL:7>\xC5\x81\xC3\xB3"
                              "d\xC5\xBA<EOR>"),
              lodz);  // bytes
    EXPECT_EQ(Imported(date + "<CALL:4>\xC5\x81\xC3\xB3"
                              "d\xC5\xBA<EOR>"),
              lodz);  // characters
    EXPECT_EQ(Imported(date + "<CALL:4>\xC5\x81\xC3\xB3"
                              "d\xC5\xBA <EOR>"),
              lodz);
    // Four bytes cut "Lo" whole, and are followed by '<': bytes they are.
    EXPECT_EQ(Imported(date + "<CALL:4>\xC5\x81\xC3\xB3<X:1>z<EOR>"),
              (std::vector<std::string>{Record("L\xF3", "15-01-2026", "19:30")}));
    EXPECT_EQ(Imported(date + "<CALL:7>\x8A"
                              "koda \x80<EOR>"),
              (std::vector<std::string>{Record("\x8A"
                                               "koda \x80",
                                               "15-01-2026", "19:30")}));
    // One byte that is not UTF-8 makes the whole file code page 1252.
    EXPECT_EQ(
        Imported(date + "<CALL:2>\xC3\xA9<EOR>" + date + "<CALL:1>\xE9<EOR>"),
        (std::vector<std::string>{Record("\xC3\xA9", "15-01-2026", "19:30"), Record("\xE9", "15-01-2026", "19:30")}));
}

TEST(AdifImport, LongTextsAreShortenedAndCut) {
    std::string file = Field("QSO_DATE", "20260115") + Field("TIME_ON", "1930") +
                       Field("CALL", "Radio Nacional de Exemplo International") +
                       Field("QTH", "A Transmitter Site With A Very Long Name") +
                       Field("COMMENT", std::string(80, 'c')) + Field("NOTES", std::string(9000, 'n')) + "<EOR>";
    EXPECT_EQ(Imported(file), (std::vector<std::string>{Record("R. Nac. de Exemplo I", "15-01-2026", "19:30", "",
                                                               "A Transmitter Site With ", std::string(50, 'c'))}));
}

TEST(AdifImport, QuestionAndRefusalTexts) {
    ImportPlan plan = PlanAdifImport(kPlainRecord + Field("QSO_DATE", "20260115") + "<EOR>" + kPlainRecord);
    EXPECT_EQ(
        AdifImportQuestionText(plan, "C:\\MYLOG.ULM"),
        "Add 2 reports to C:\\MYLOG.ULM?\r\n\r\n1 records will be skipped; the first, record 2: it has no TIME_ON.");
    ImportPlan none = PlanAdifImport(Field("QSO_DATE", "20260115") + "<EOR>");
    EXPECT_EQ(AdifNothingToImportText(none),
              "Nothing to import\r\n\r\n1 records will be skipped; the first, record 1: it has no TIME_ON.");
    ImportPlan refused = PlanAdifImport("plain text");
    EXPECT_EQ(AdifImportRefusalText(refused, "C:\\A.ADI"),
              "C:\\A.ADI cannot be imported: it holds no <EOR> or <EOH>, so it is not an ADIF file.");
}

// Files written here from the documented forms of three kinds of program.
TEST(AdifImport, OtherProgramsFiles) {
    std::string dir = std::string(ULMAR_SOURCE_DIR) + "/tests/unit/data/adif/";
    ImportPlan digital = AdifImportPlanForFile(dir + "digital_mode_log.adi");
    EXPECT_EQ(AsBytes(PlanAdifImport(ReadBytes(dir + "digital_mode_log.adi")).Records),
              (std::vector<std::string>{Record("DL1ABC", "14-03-2026", "10:15", "14074", "", ""),
                                        Record("EA8AA", "14-03-2026", "23:59", "7074", "", ""),
                                        Record("K1AB", "15-03-2026", "00:03", "10140", "", "tnx QSO 73")}));
    EXPECT_EQ(digital.Reports, 3);
    EXPECT_EQ(AsBytes(PlanAdifImport(ReadBytes(dir + "sdr_listener_export.adi")).Records),
              (std::vector<std::string>{
                  Record("R. Romania Int.", "20-01-2026", "21:00", "5980", "Tiganesti", "SINPO 45444, English"),
                  Record("BBC Radio 4", "20-01-2026", "21:30", "198", "England", ""),
                  Record("WRMI", "21-01-2026", "00:05", "15770", "Okeechobee, Florida, Uni", "")}));
    ImportPlan amateur = PlanAdifImport(ReadBytes(dir + "amateur_logger_export.adi"));
    EXPECT_EQ(AsBytes(amateur.Records),
              (std::vector<std::string>{Record("SP5XYZ", "01-02-2026", "08:15", "7155",
                                               "L\xF3"
                                               "dz",
                                               "Nice chat about antennas."),
                                        Record("OH2BBB", "02-02-2026", "19:02", "3650.5", "J\xE4rvenp\xE4\xE4",
                                               "\xC4\xE4ni hyv\xE4 <599>")}));
    EXPECT_EQ(amateur.Skipped, 1);
    EXPECT_EQ(amateur.FirstSkippedLine, 3);
    EXPECT_EQ(amateur.FirstSkipReason, "QSO_DATE 20260230 is not a valid date");
    EXPECT_EQ(amateur.Text, ImportText::Utf8);
}

// A file of the import, planned from disk as the program plans it.
struct AdifFileImport {
    TempDir Dir;
    std::string Path;
    ImportPlan Plan;
    explicit AdifFileImport(const std::string& bytes, size_t window = kCsvWindowBytes) : Path(Dir.Path("IN.ADI")) {
        WriteBytes(Path, bytes);
        Plan = ReadAdifImportFile(Path, nullptr, ImportText::Unknown, window);
    }
};

// Whatever falls on a window's edge reads as it does from memory.
TEST(AdifImportWindows, AFileReadsAsItsBytesDoInAnyWindow) {
    std::string file = "header\r\n<EOH>\r\n";
    for (int n = 0; n < 300; ++n) {
        file += Field("QSO_DATE", "20260115") + Field("TIME_ON", "1930") + "<CALL:5>Caf\xC3\xA9 " +
                Field("COMMENT", std::string(static_cast<size_t>(n % 60), 'r')) + (n % 50 == 7 ? "<BAD" : "") +
                "<EOR>" + (n % 3 ? "\r\n" : "\n");
    }
    file +=
        Field("QSO_DATE", "20260115") + Field("TIME_ON", "1930") + Field("NOTES", std::string(10000, 'n')) + "<EOR>";
    ImportPlan memory = PlanAdifImport(file);
    EXPECT_EQ(memory.Reports, 295);
    EXPECT_EQ(memory.Skipped, 6);
    EXPECT_EQ(EntryBytes(memory.Records.front()).substr(21, 5), "Caf\xE9 ");
    for (size_t window : {size_t{4}, size_t{7}, size_t{64}, size_t{1000}, kCsvWindowBytes}) {
        AdifFileImport in(file, window);
        EXPECT_EQ(in.Plan.Reports, memory.Reports) << window;
        EXPECT_EQ(in.Plan.Skipped, memory.Skipped) << window;
        EXPECT_EQ(in.Plan.FirstSkippedLine, memory.FirstSkippedLine) << window;
        EXPECT_EQ(in.Plan.FirstSkipReason, memory.FirstSkipReason) << window;
        EXPECT_EQ(in.Plan.Text, ImportText::Utf8) << window;
    }
}

// A plan reads a file once, as UTF-8, tallying its bytes as they pass; a file
// that turns out otherwise is read again. Either way the plan is the one made
// by finding the text first, in every window.
TEST(AdifImportWindows, APlanFindsTheTextAsItReads) {
    const std::string date = Field("QSO_DATE", "20260115") + Field("TIME_ON", "1930");
    // A header is passed over unread, a window at a time: windows end inside its characters.
    std::string utf8, ascii;
    for (int n = 0; n < 100; ++n) utf8 += "\xC3\xA9\xE2\x82\xAC ";
    utf8 += "\r\n<EOH>\r\n";
    for (int n = 0; n < 40; ++n) {
        utf8 +=
            date + "<CALL:4>\xC5\x81\xC3\xB3" + "d\xC5\xBA" + std::string(static_cast<size_t>(n % 5), ' ') + "<EOR>";
        ascii += date + Field("CALL", "Lodz " + std::to_string(n)) + "<EOR>";
    }
    struct Case {
        const char* Name;
        std::string File;
        ImportText Text;
    };
    const Case cases[] = {
        {"UTF-8, lengths in characters", utf8, ImportText::Utf8},
        {"plain ASCII", ascii, ImportText::CodePage1252},
        // The field ends after the first byte of "\xC3\xA9", whatever the window holds.
        {"a length in bytes cutting a character", ascii + date + "<CALL:1>\xC3\xA9x<EOR>" + ascii, ImportText::Utf8},
        {"UTF-8 but for its last byte", utf8 + date + "<CALL:1>\xE9<EOR>", ImportText::CodePage1252},
        {"ending inside a character", utf8 + "\xC5", ImportText::CodePage1252},
        {"UTF-8 after a byte-order mark", "\xEF\xBB\xBF" + utf8, ImportText::Utf8},
        {"a field longer than any window", utf8 + date + Field("NOTES", std::string(9000, '\xE9')) + "<EOR>",
         ImportText::CodePage1252},
    };
    for (const Case& c : cases) {
        ImportPlan memory = PlanAdifImport(c.File);
        EXPECT_EQ(memory.Text, c.Text) << c.Name;
        for (size_t window : {size_t{4}, size_t{5}, size_t{7}, size_t{64}, size_t{1000}, kCsvWindowBytes}) {
            AdifFileImport in(c.File, window);
            EXPECT_EQ(in.Plan.Text, c.Text) << c.Name << ", window " << window;
            EXPECT_EQ(in.Plan.Reports, memory.Reports) << c.Name << ", window " << window;
            EXPECT_EQ(in.Plan.Skipped, memory.Skipped) << c.Name << ", window " << window;
            EXPECT_EQ(in.Plan.FirstSkipReason, memory.FirstSkipReason) << c.Name << ", window " << window;
        }
    }
}

// A refused file has no text, however its plan read it.
TEST(AdifImportWindows, ARefusedPlanFromAFileIsTheOneFromMemory) {
    for (const std::string file : {"\n", "plain text", "caf\xC3\xA9"}) {
        AdifFileImport in(file);
        ImportPlan memory = PlanAdifImport(file);
        EXPECT_TRUE(in.Plan.Refused) << file;
        EXPECT_EQ(in.Plan.Refusal, memory.Refusal) << file;
        EXPECT_EQ(in.Plan.Text, memory.Text) << file;
    }
}

TEST(AdifImportWindows, FilesLargerThanAnyLogAreRefused) {
    TempDir dir;
    std::string path = dir.Path("HUGE.ADI");
    WriteBytes(path, kPlainRecord);
    ASSERT_EQ(truncate(path.c_str(), int64_t{2} << 30), 0);  // 2 GB, sparse
    ImportPlan plan = AdifImportPlanForFile(path);
    EXPECT_TRUE(plan.Refused);
    EXPECT_EQ(plan.Refusal, "it is larger than 256 MB");
    EXPECT_EQ(AdifImportPlanForFile(dir.Path("MISSING.ADI")).Refusal, "it could not be read");
}

TEST(AdifImportAppend, AddsTheRecordsAsOneChangeAfterTheLastEntry) {
    AdifFileImport in(kPlainRecord + kPlainRecord);
    OpenTestLog t(std::vector<LogEntry>{MakeEntry("Old")});
    ASSERT_EQ(AddImportedAdifFile(t.Log, in.Path, in.Plan), ImportWriting::Added);
    EXPECT_EQ(ReadBytes(t.Path), EntryBytes(MakeEntry("Old")) + Record("Test", "15-01-2026", "19:30") +
                                     Record("Test", "15-01-2026", "19:30"));
    EXPECT_EQ(t.Log.EntryCount, 3);
    EXPECT_FALSE(FileExists((t.Path.substr(0, t.Path.size() - 3) + "DLJ").c_str()));
}

TEST(AdifImportAppend, AFileChangedAfterItsPlanAddsNothing) {
    for (const std::string& edited :
         {kPlainRecord, kPlainRecord + kPlainRecord + kPlainRecord, kPlainRecord + "<QSO_DATE:8>20260115<EOR>"}) {
        AdifFileImport in(kPlainRecord + kPlainRecord);
        OpenTestLog t(std::vector<LogEntry>{MakeEntry("Old")});
        WriteBytes(in.Path, edited);
        EXPECT_EQ(AddImportedAdifFile(t.Log, in.Path, in.Plan), ImportWriting::FileChanged) << edited;
        EXPECT_EQ(ReadBytes(t.Path), EntryBytes(MakeEntry("Old"))) << edited;
        EXPECT_EQ(t.Log.EntryCount, 1);
    }
}

// Random texts of every byte but blanks at the end, numbers and non-numbers
// in Freq, blank and partly filled fields.
std::string RandomField(std::mt19937& random, size_t width) {
    std::string text;
    size_t length = random() % (width + 1);
    for (size_t i = 0; i < length; ++i) {
        uint32_t kind = random() % 8;
        if (kind < 5)
            text += static_cast<char>('a' + random() % 26);
        else if (kind == 5)
            text += ' ';
        else
            text += static_cast<char>(random() % 256);
    }
    return text;
}

LogEntry RandomEntry(std::mt19937& random, int n) {
    static const char* const kFreqs[] = {"9410", "1512.5", "0960",  " 9410",  "7205", "abc", "",   "153000",
                                         "0.5",  "9410.0", "14074", "  531 ", ".5",   "5.",  "1e3"};
    char date[11], time[6];
    std::snprintf(date, sizeof date, "%02d-%02d-%04d", 1 + static_cast<int>(random() % 28),
                  1 + static_cast<int>(random() % 12), 1980 + static_cast<int>(random() % 60));
    std::snprintf(time, sizeof time, "%02d:%02d", static_cast<int>(random() % 24), static_cast<int>(random() % 60));
    std::string freq = n % 3 == 0 ? std::to_string(random() % 30000) : kFreqs[random() % 15];
    return MakeEntry(RandomField(random, 20), date, time, freq, RandomField(random, 24), RandomField(random, 50));
}

TEST(AdifRoundTrip, TenThousandVariedRecordsComeBackByteForByte) {
    std::mt19937 random(20);
    std::vector<LogEntry> entries;
    for (int n = 0; n < 10000; ++n) entries.push_back(RandomEntry(random, n));
    entries.push_back(
        MakeEntry("L\xF3"
                  "dz \x8A"
                  "koda \x80",
                  "29-02-2024", "00:00", "", "", "\x01\x7F\x81\x9D\xFF"));
    entries.push_back(MakeEntry("", "31-12-2099", "23:59", "", "", ""));
    std::string logBytes = RecordsBytes(entries);
    OpenTestLog from(entries);
    std::string adif = from.Folder.Path("ROUND.ADI");
    AdifExportResult exported = ExportAdif(from.Log, 1, adif, ReportFilter(), UtcTime(), from.Path);
    ASSERT_EQ(exported.Written.Status, ExportStatus::Written);
    ASSERT_EQ(exported.Skipped, 0);
    ImportPlan plan = AdifImportPlanForFile(adif);
    ASSERT_FALSE(plan.Refused) << plan.Refusal;
    EXPECT_EQ(plan.Skipped, 0) << plan.FirstSkippedLine << ": " << plan.FirstSkipReason;
    OpenTestLog to{std::string()};
    ASSERT_EQ(AddImportedAdifFile(to.Log, adif, plan), ImportWriting::Added);
    std::string back = ReadBytes(to.Path);
    ASSERT_EQ(back.size(), logBytes.size());
    for (size_t n = 0; n < entries.size(); ++n) {
        ASSERT_EQ(back.substr(n * 115, 115), logBytes.substr(n * 115, 115)) << "record " << n + 1;
    }
}

// The stored entries (the last has a date that is not real) come back but for it.
TEST(AdifRoundTrip, HandMadeEdgeCases) {
    std::vector<LogEntry> entries = StoredEntries();
    entries.push_back(MakeEntry("Twenty Character Stn", "01-01-2000", "00:00", "999999", std::string(24, 'L'),
                                std::string(49, 'R') + "\xE9"));
    entries.push_back(MakeEntry(" ", "01-01-2000", "00:00", "  ", "\xA0", "<EOR>"));
    OpenTestLog from(entries);
    std::string adif = from.Folder.Path("EDGE.ADI");
    ASSERT_EQ(ExportAdif(from.Log, 1, adif, ReportFilter(), UtcTime(), from.Path).Written.Status,
              ExportStatus::Written);
    ImportPlan plan = PlanAdifImport(ReadBytes(adif));
    entries.erase(entries.begin() + 3);
    EXPECT_EQ(AsBytes(plan.Records), AsBytes(entries));
}

}  // namespace
