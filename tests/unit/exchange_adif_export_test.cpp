// The ADIF export: each report's record byte for byte, the header, the
// damaged entries skipped and named, and the file put in place in one step.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cstddef>
#include <cstdlib>

#include "exchange/adif_export.h"
#include "exchange/adif_fields.h"
#include "tests/unit/stored_outputs.h"

namespace {

std::string RecordOf(const LogEntry& entry) {
    char out[kAdifRecordRoom];
    return std::string(out, static_cast<size_t>(PutAdifRecord(entry, out) - out));
}

const UtcTime kCreated = {2026, 12, 8, 6, 30, 5};

std::string HeaderFor(const std::string& logPath) {
    return "ULMAR v1.01 ADIF export of the log " + logPath +
           "\r\n<ADIF_VER:5>3.1.7\r\n<PROGRAMID:5>ULMAR\r\n<PROGRAMVERSION:4>1.01\r\n"
           "<CREATED_TIMESTAMP:15>20261208 063005\r\n<EOH>\r\n";
}

TEST(AdifRecord, EveryFieldOfAPlainReport) {
    EXPECT_EQ(RecordOf(MakeEntry("Radio Exterior", "15-01-2026", "19:30", "9410", "Madrid", "nice audio")),
              "<QSO_DATE:8>20260115 <TIME_ON:4>1930 <FREQ:4>9.41 <MODE:2>AM <CALL:14>Radio Exterior <SWL:1>Y "
              "<QTH:6>Madrid <COMMENT:10>nice audio <EOR>\r\n");
}

TEST(AdifRecord, EmptyValuesGetNoField) {
    EXPECT_EQ(RecordOf(MakeEntry("", "01-02-2003", "00:00", "", "", "")),
              "<QSO_DATE:8>20030201 <TIME_ON:4>0000 <MODE:2>AM <SWL:1>Y <EOR>\r\n");
}

// FREQ in MHz, shortest; BAND only inside an ADIF band; the exact Freq text
// when it is not the plain form of its number.
TEST(AdifRecord, FrequencyBandAndExactFreq) {
    struct Case {
        const char* Freq;
        const char* Fields;
    };
    const Case cases[] = {
        {"9410", "<FREQ:4>9.41 "},
        {"1512.5", "<FREQ:6>1.5125 "},
        {"15345", "<FREQ:6>15.345 "},
        {"531", "<FREQ:5>0.531 "},
        {"153000", "<FREQ:3>153 "},
        {"7205", "<FREQ:5>7.205 <BAND:3>40m "},
        {"7300", "<FREQ:3>7.3 <BAND:3>40m "},
        {"7305", "<FREQ:5>7.305 "},
        {"14074", "<FREQ:6>14.074 <BAND:3>20m "},
        {"3500", "<FREQ:3>3.5 <BAND:3>80m "},
        {"136", "<FREQ:5>0.136 <BAND:5>2190m "},
        {"1999.9", "<FREQ:6>1.9999 <BAND:4>160m "},
        {"435000", "<FREQ:3>435 <BAND:4>70cm "},
        {"0.5", "<FREQ:6>0.0005 "},
    };
    for (const Case& c : cases) {
        std::string record = RecordOf(MakeEntry("X", "01-01-2026", "12:00", c.Freq, "", ""));
        std::string expected = "<TIME_ON:4>1200 " + std::string(c.Fields) + "<MODE:2>AM";
        EXPECT_NE(record.find(expected), std::string::npos) << c.Freq << ": " << record;
    }
    // Texts that are not the plain form of a number keep their exact text.
    struct Exact {
        const char* Freq;
        const char* Fields;
    };
    const Exact exact[] = {
        {"0960", "<FREQ:4>0.96 "}, {" 9410", "<FREQ:4>9.41 "}, {"9410.0", "<FREQ:4>9.41 "}, {"abc", ""}, {".5", ""},
    };
    for (const Exact& c : exact) {
        std::string record = RecordOf(MakeEntry("X", "01-01-2026", "12:00", c.Freq, "", ""));
        EXPECT_NE(record.find("<TIME_ON:4>1200 " + std::string(c.Fields) + "<MODE:2>AM"), std::string::npos)
            << c.Freq << ": " << record;
        std::string trimmed = std::string(c.Freq);
        EXPECT_NE(record.find("<APP_ULMAR_FREQ:" + std::to_string(trimmed.size()) + ">" + trimmed + " <EOR>"),
                  std::string::npos)
            << record;
    }
    EXPECT_EQ(RecordOf(MakeEntry("X", "01-01-2026", "12:00", "9410", "", "")).find("APP_ULMAR_FREQ"),
              std::string::npos);
}

// The standard fields in ASCII by the code page's rule; the exact text in
// UTF-8 whenever the two differ.
TEST(AdifRecord, TextsOutsideAsciiKeepTheirExactForm) {
    EXPECT_EQ(RecordOf(MakeEntry("L\xF3"
                                 "dz Stra\xDF"
                                 "e",
                                 "01-01-2026", "12:00", "", "  M\xFCnchen",
                                 "\x93"
                                 "ok\x94 \x80")),
              "<QSO_DATE:8>20260101 <TIME_ON:4>1200 <MODE:2>AM <CALL:12>Lodz Strasse <SWL:1>Y <QTH:7>Munchen "
              "<COMMENT:6>\"ok\" ? "
              "<APP_ULMAR_STATION:13>L\xC3\xB3"
              "dz Stra\xC3\x9F"
              "e "
              "<APP_ULMAR_LOCATION:10>  M\xC3\xBC"
              "nchen "
              "<APP_ULMAR_REMARKS:12>\xE2\x80\x9C"
              "ok\xE2\x80\x9D \xE2\x82\xAC <EOR>\r\n");
    // A line break in a damaged remark: ASCII marks outside, the bytes kept exactly.
    EXPECT_NE(RecordOf(MakeEntry("A", "01-01-2026", "12:00", "", "", "one\r\ntwo"))
                  .find("<COMMENT:8>one??two <APP_ULMAR_REMARKS:8>one\r\ntwo <EOR>"),
              std::string::npos);
}

// Whatever its place in the field, one byte outside 32-126 brings the exact
// text along, and one inside does not.
TEST(AdifRecord, EveryByteOfEveryTextFieldIsLookedAt) {
    struct Text {
        const char* Name;
        size_t Width;
        size_t Offset;
    };
    const Text texts[] = {{"STATION", sizeof(LogEntry::Station), offsetof(LogEntry, Station)},
                          {"LOCATION", sizeof(LogEntry::Location), offsetof(LogEntry, Location)},
                          {"REMARKS", sizeof(LogEntry::Remarks), offsetof(LogEntry, Remarks)}};
    const struct {
        char Byte;
        bool Exact;
    } bytes[] = {{'\x1F', true}, {'\x7F', true}, {'\x80', true}, {'\xFF', true}, {'~', false}, {'!', false}};
    for (const Text& text : texts) {
        for (size_t at = 1; at < text.Width; ++at) {
            for (const auto& b : bytes) {
                LogEntry entry = MakeEntry("", "01-01-2026", "12:00", "", "", "");
                char* field = reinterpret_cast<char*>(&entry) + text.Offset;
                field[0] = 'A';
                field[at] = b.Byte;
                std::string name = std::string("<APP_ULMAR_") + text.Name + ":";
                EXPECT_EQ(RecordOf(entry).find(name) != std::string::npos, b.Exact)
                    << text.Name << " byte " << static_cast<int>(static_cast<unsigned char>(b.Byte)) << " at " << at;
            }
        }
    }
}

TEST(AdifRecord, DamagedDatesAndTimes) {
    struct Case {
        const char* Date;
        const char* Time;
        AdifDamage Damage;
    };
    const Case cases[] = {
        {"01-01-2026", "12:00", AdifDamage::None}, {"29-02-2024", "23:59", AdifDamage::None},
        {"29-02-2026", "12:00", AdifDamage::Date}, {"15-13-2020", "12:00", AdifDamage::Date},
        {"1-1-2026  ", "12:00", AdifDamage::Date}, {"          ", "12:00", AdifDamage::Date},
        {"01-01-2026", "24:00", AdifDamage::Time}, {"01-01-2026", "12:60", AdifDamage::Time},
        {"01-01-2026", "     ", AdifDamage::Time},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AdifDamageOf(MakeEntry("A", c.Date, c.Time)), c.Damage) << c.Date << " " << c.Time;
    }
}

TEST(AdifExport, HeaderRecordsAndTheDamagedEntryNamed) {
    OpenTestLog t(StoredEntries());
    std::string adif = t.Folder.Path("MYLOG.ADI");
    AdifExportResult result = ExportAdif(t.Log, 1, adif, ReportFilter(), kCreated, "C:\\LOGS\\MYLOG.ULM");
    EXPECT_EQ(result.Written.Status, ExportStatus::Written);
    EXPECT_EQ(result.Written.Count, 3);
    EXPECT_EQ(result.Skipped, 1);
    EXPECT_EQ(AdifSkipText(result), ". 1 report not written: entry 4, its date is not a real date.");
    EXPECT_EQ(ReadBytes(adif),
              HeaderFor("C:\\LOGS\\MYLOG.ULM") +
                  "<QSO_DATE:8>20040307 <TIME_ON:4>2145 <FREQ:4>6.07 <MODE:2>AM <CALL:13>Example Radio <SWL:1>Y "
                  "<QTH:8>Sometown <EOR>\r\n"
                  "<QSO_DATE:8>20191115 <TIME_ON:4>0305 <FREQ:4>9.41 <MODE:2>AM <CALL:13>Radio Leading <SWL:1>Y "
                  "<QTH:8>Far Away <COMMENT:11>fair signal <APP_ULMAR_FREQ:6>  9410 "
                  "<APP_ULMAR_STATION:15>  Radio Leading <APP_ULMAR_LOCATION:10>  Far Away "
                  "<APP_ULMAR_REMARKS:13>  fair signal <EOR>\r\n"
                  "<QSO_DATE:8>20261201 <TIME_ON:4>2359 <MODE:2>AM <CALL:12>Radio \"Eins\" <SWL:1>Y "
                  "<QTH:10>Berlin, DE <COMMENT:14>weak, \"fading\" <EOR>\r\n");
    EXPECT_FALSE(FileExists((adif + "~").c_str()));
}

TEST(AdifExport, SkipsAreCountedAndTheFirstNamedFromTheStartEntry) {
    OpenTestLog t(std::vector<LogEntry>{MakeEntry("A"), MakeEntry("B", "01-01-2026", "25:00"), MakeEntry("C"),
                                        MakeEntry("D", "31-04-2026"), MakeEntry("E")});
    std::string adif = t.Folder.Path("OUT.ADI");
    AdifExportResult result = ExportAdif(t.Log, 2, adif, ReportFilter(), kCreated, "MYLOG.ULM");
    EXPECT_EQ(result.Written.Count, 2);
    EXPECT_EQ(result.Skipped, 2);
    EXPECT_EQ(AdifSkipText(result), ". 2 reports not written: the first, entry 2, its time is not a real time.");
    // With a filter only the entries it keeps are written or skipped.
    FilterTexts texts;
    texts.Station = "D";
    FilterReading onlyD = ReadReportFilter(texts, [](char*, size_t) {});
    ASSERT_TRUE(onlyD.Ok);
    result = ExportAdif(t.Log, 1, adif, onlyD.Filter, kCreated, "MYLOG.ULM");
    EXPECT_EQ(result.Written.Count, 0);
    EXPECT_EQ(AdifSkipText(result), ". 1 report not written: entry 4, its date is not a real date.");
    EXPECT_EQ(ReadBytes(adif), HeaderFor("MYLOG.ULM"));
}

TEST(AdifExport, RecordsInOrderAcrossWriteBlocks) {
    std::vector<LogEntry> entries;
    for (int i = 0; i < 12000; ++i) entries.push_back(MakeEntry("Station " + std::to_string(i), "01-02-2003", "04:05"));
    OpenTestLog t(entries);
    std::string adif = t.Folder.Path("MANY.ADI");
    AdifExportResult result = ExportAdif(t.Log, 1, adif, ReportFilter(), kCreated, "MYLOG.ULM");
    EXPECT_EQ(result.Written.Count, 12000);
    std::string bytes = ReadBytes(adif);
    std::string expected = HeaderFor("MYLOG.ULM");
    for (const LogEntry& entry : entries) expected += RecordOf(entry);
    EXPECT_EQ(bytes.size(), expected.size());
    EXPECT_TRUE(bytes == expected);
}

TEST(AdifExportFailure, RefusalsLeaveEveryFileAsItWas) {
    OpenTestLog t(StoredEntries());
    EXPECT_EQ(ExportAdif(t.Log, 1, "", ReportFilter(), kCreated, "L").Written.Status, ExportStatus::NoFileName);
    EXPECT_EQ(ExportAdif(t.Log, 1, t.Folder.Path("./MYLOG.ULM"), ReportFilter(), kCreated, "L").Written.Status,
              ExportStatus::NamesOpenLog);
    EXPECT_EQ(ReadBytes(t.Path), RecordsBytes(StoredEntries()));
    std::string missing = t.Folder.Path("nofolder/LOG.ADI");
    EXPECT_EQ(ExportAdif(t.Log, 1, missing, ReportFilter(), kCreated, "L").Written.Status, ExportStatus::CannotCreate);
    std::string readOnly = t.Folder.Path("KEEP.ADI");
    WriteBytes(readOnly, "keep me");
    chmod(readOnly.c_str(), 0444);
    EXPECT_EQ(ExportAdif(t.Log, 1, readOnly, ReportFilter(), kCreated, "L").Written.Status, ExportStatus::CannotCreate);
    EXPECT_EQ(ReadBytes(readOnly), "keep me");
    std::string busy = t.Folder.Path("BUSY.ADI");
    WriteBytes(busy, "in use");
    PlatformFile holder;
    ASSERT_TRUE(FileOpen(busy.c_str(), FileAccess::ReadWrite, &holder));
    EXPECT_EQ(ExportAdif(t.Log, 1, busy, ReportFilter(), kCreated, "L").Written.Status, ExportStatus::CannotCreate);
    FileClose(&holder);
    EXPECT_EQ(ReadBytes(busy), "in use");
}

TEST(AdifExport, ProposedNameBesideTheLog) {
    EXPECT_EQ(AdifNameFromUpperPath("C:\\LOGS\\MYLOG.ULM"), "C:\\LOGS\\MYLOG.ADI");
    EXPECT_EQ(AdifNameFromUpperPath("C:\\LOGS\\NIGHT.LOG"), "C:\\LOGS\\NIGHT.LOG");
}

}  // namespace

// docs/sample-export.adi is what the program writes for these reports
// (ULMAR_WRITE_SAMPLE=1 writes it again).
TEST(AdifExport, TheSampleInTheDocsIsWhatTheProgramWrites) {
    OpenTestLog t(std::vector<LogEntry>{
        MakeEntry("R. Rumbos", "14-08-2026", "08:59", "9660", "Venezuela", "nice signal"),
        MakeEntry("Radio Nacional", "02-08-2026", "23:10", " 6185", "  Mexico", "QRM from 6180"),
        MakeEntry("R. Exterior Espa\xF1"
                  "a",
                  "15-01-2026", "19:30", "7205", "Noblejas", "SINPO 45444"),
        MakeEntry("BBC WS", "14-08-2026", "06:00", "15400", "Ascension", ""),
        MakeEntry("R. Rebelde", "01-09-2026", "04:30", "5025", "Cuba", "fair, \"tropical\" fading"),
        MakeEntry("Pirate", "15-08-2026", "21:00", "6940?", "", "music"),
    });
    std::string adif = t.Folder.Path("MYLOG.ADI");
    AdifExportResult result = ExportAdif(t.Log, 1, adif, ReportFilter(), {2026, 12, 8, 7, 30, 0},
                                         "C:\\Users\\Listener\\Documents\\ULMAR\\MYLOG.ULM");
    ASSERT_EQ(result.Written.Count, 6);
    std::string sample = std::string(ULMAR_SOURCE_DIR) + "/docs/sample-export.adi";
    if (std::getenv("ULMAR_WRITE_SAMPLE")) WriteBytes(sample, ReadBytes(adif));
    EXPECT_EQ(ReadBytes(adif), ReadBytes(sample));
}
