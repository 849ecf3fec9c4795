// The register in ADIF both ways, and the Replies choice in every output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange/adif_export.h"
#include "exchange/adif_import.h"
#include "exchange/adif_register.h"
#include "exchange/bulletin.h"
#include "exchange/filtered_export.h"
#include "logstore/log_change.h"
#include "reports/register.h"
#include "reports/register_summary.h"
#include "tests/unit/test_files.h"

namespace {

const UtcTime kCreated = {2026, 12, 8, 6, 30, 5};

// The lines of a file ended by CR LF.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
        lines.push_back(text.substr(at, end - at));
    }
    return lines;
}

RegisterRow FullRow() {
    RegisterRow row;
    row.Sinpo = "45444";
    row.Details = "Interval signal, then news\r\nin Espa\xF1ol";
    row.SentDate = "08-03-2004";
    row.Via = SentVia::WebForm;
    row.ReplyDate = "29-04-2004";
    row.Reply = ReplyKind::ECard;
    row.ReplyNote = "QSL n\xBA 12";
    return row;
}

TEST(RegisterAdif, TheRowsFieldsStandardAndExact) {
    struct Case {
        const char* Name;
        RegisterRow Row;
        std::string Fields;
    };
    RegisterRow sentByPost;
    sentByPost.SentDate = "01-02-2004";
    sentByPost.Via = SentVia::Post;
    RegisterRow cardNoDate;
    cardNoDate.Reply = ReplyKind::Card;
    cardNoDate.ReplyNote = "plain";
    RegisterRow other;
    other.Reply = ReplyKind::Other;
    other.Sinpo = "354";
    const std::vector<Case> cases = {
        {"every value", FullRow(),
         "<RST_SENT:5>45444 <QSL_SENT:1>Y <QSLSDATE:8>20040308 <QSL_SENT_VIA:1>E <QSL_RCVD:1>Y <QSLRDATE:8>20040429 "
         "<QSL_RCVD_VIA:1>E <QSLMSG_RCVD:9>QSL n? 12 <APP_ULMAR_SINPO:5>45444 "
         "<APP_ULMAR_DETAILS:39>Interval signal, then news\r\nin Espa\xC3\xB1ol <APP_ULMAR_SENT_VIA:8>web form "
         "<APP_ULMAR_REPLY_KIND:6>e-card <APP_ULMAR_REPLY_NOTE:10>QSL n\xC2\xBA 12 "},
        {"sent by post", sentByPost,
         "<QSL_SENT:1>Y <QSLSDATE:8>20040201 <QSL_SENT_VIA:1>D <APP_ULMAR_SENT_VIA:4>post "},
        {"a card without a date, a plain note", cardNoDate,
         "<QSL_RCVD:1>Y <QSL_RCVD_VIA:1>D <QSLMSG_RCVD:5>plain <APP_ULMAR_REPLY_KIND:4>card "},
        {"another reply, SIO", other,
         "<RST_SENT:3>354 <QSL_RCVD:1>Y <APP_ULMAR_SINPO:3>354 <APP_ULMAR_REPLY_KIND:5>other "},
        {"an empty row", RegisterRow(), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(AdifRegisterFields(c.Row), c.Fields);
    }
}

TEST(RegisterAdif, AnotherProgramsQslFieldsFillARow) {
    AdifRegisterValues values;
    values.RstSent = "59";  // an RST, not a SINPO
    values.QslSent = "Y";
    values.QslSentDate = "20040230";  // no such day
    values.QslSentVia = "E";
    values.QslReceived = "Y";
    values.QslReceivedDate = "20040501";
    values.QslReceivedVia = "D";
    values.QslMessage = "TNX";
    RegisterRow row = RegisterRowOfAdif(values);
    EXPECT_EQ(row.Sinpo, "");
    EXPECT_EQ(row.SentDate, "");
    EXPECT_EQ(row.Via, SentVia::Email);
    EXPECT_EQ(row.ReplyDate, "01-05-2004");
    EXPECT_EQ(row.Reply, ReplyKind::Card);
    EXPECT_EQ(row.ReplyNote, "TNX");
    AdifRegisterValues answered;
    answered.QslReceived = "Y";
    EXPECT_EQ(RegisterRowOfAdif(answered).Reply, ReplyKind::Other);
}

struct RegisterLog {
    RegisterLog() {
        std::string bytes;
        for (const char* station : {"Alpha", "Beta", "Beta", "Gamma"}) bytes += EntryBytes(MakeEntry(station));
        WriteBytes(Path(), bytes);
        OpenLog(Log, Path());
        OpenRegister(Reg, Log);
    }
    ~RegisterLog() { CloseLog(Log); }
    std::string Path() const { return Dir.Path("MYLOG.ULM"); }
    TempDir Dir;
    LogStore Log;
    ReportRegister Reg;
};

// The source's reports and register rows as an ADIF file.
std::string ExportedAdif(RegisterLog& source) {
    std::string adif = source.Dir.Path("OUT.ADI");
    EXPECT_EQ(ExportAdif(source.Log, 1, adif, ReportFilter(), kCreated, "MYLOG.ULM", &source.Reg.Rows).Written.Status,
              ExportStatus::Written);
    return adif;
}

// Another log (empty, or of `bytes`) with its register, to import into.
struct ImportTarget {
    explicit ImportTarget(const std::string& bytes = std::string()) {
        if (!bytes.empty()) WriteBytes(Path(), bytes);
        OpenLog(Log, Path());
        OpenRegister(Reg, Log);
    }
    ~ImportTarget() { CloseLog(Log); }
    std::string Path() const { return Dir.Path("NEW.ULM"); }
    ImportWriting Import(const std::string& adif, bool* stored) {
        return AddImportedAdifReports(Log, Reg, adif, AdifImportPlanForFile(adif), stored);
    }
    TempDir Dir;
    LogStore Log;
    ReportRegister Reg;
};

TEST(RegisterAdif, ARoundTripKeepsTheRowsExactly) {
    RegisterLog source;
    RegisterRow awaiting;
    awaiting.SentDate = "02-03-2004";
    awaiting.Via = SentVia::App;
    awaiting.Details = "{DETAILS} as typed, \"quoted\" <EOR> too";
    ASSERT_TRUE(StoreRow(source.Reg, source.Log, 3, FullRow()));
    ASSERT_TRUE(StoreRow(source.Reg, source.Log, 4, awaiting));
    std::string adif = ExportedAdif(source);
    ASSERT_EQ(AdifImportPlanForFile(adif).Reports, 4);

    ImportTarget target;
    std::string path = target.Path();
    bool stored = false;
    ASSERT_EQ(target.Import(adif, &stored), ImportWriting::Added);
    EXPECT_TRUE(stored);
    EXPECT_EQ(ReadBytes(path), ReadBytes(source.Path()));
    LogStore& log = target.Log;
    ReportRegister& reg = target.Reg;
    CloseLog(log);
    ASSERT_TRUE(OpenLog(log, path));
    OpenRegister(reg, log);
    ASSERT_EQ(reg.Rows.size(), 2u);
    EXPECT_TRUE(SameRowValues(reg.Rows[0], source.Reg.Rows[0]));
    EXPECT_TRUE(SameRowValues(reg.Rows[1], source.Reg.Rows[1]));
    EXPECT_EQ(reg.Rows[0].Entry, 3);  // the second "Beta": occurrence 2 came along
    EXPECT_EQ(reg.Rows[0].Key.Occurrence, 2u);
    EXPECT_EQ(reg.Rows[1].Entry, 4);
    EXPECT_EQ(ReadBytes(RegisterPath(path)), ReadBytes(RegisterPath(source.Path())));
}

// An ADIF file of the four reports, the second and the fourth with register values.
std::string AdifWithTwoRows(RegisterLog& source) {
    RegisterRow awaiting;
    awaiting.SentDate = "02-03-2004";
    EXPECT_TRUE(StoreRow(source.Reg, source.Log, 2, FullRow()));
    EXPECT_TRUE(StoreRow(source.Reg, source.Log, 4, awaiting));
    return ExportedAdif(source);
}

TEST(RegisterAdif, ImportedRowsLandOnTheEntriesTheirReportsBecome) {
    RegisterLog source;
    std::string adif = AdifWithTwoRows(source);
    ImportTarget target(EntryBytes(MakeEntry("Earlier")) + EntryBytes(MakeEntry("Later")));
    bool stored = false;
    ASSERT_EQ(target.Import(adif, &stored), ImportWriting::Added);
    EXPECT_TRUE(stored);
    ASSERT_EQ(target.Log.EntryCount, 6);
    ASSERT_EQ(target.Reg.Rows.size(), 2u);
    EXPECT_EQ(target.Reg.Rows[0].Entry, 4);  // the file's second report, after the log's two
    EXPECT_TRUE(SameRowValues(target.Reg.Rows[0], source.Reg.Rows[0]));
    EXPECT_EQ(target.Reg.Rows[1].Entry, 6);
    EXPECT_EQ(target.Reg.Rows[1].SentDate, "02-03-2004");
}

TEST(RegisterAdif, AnImportWhoseRowsCannotBeWrittenKeepsItsReportsAndSaysSo) {
    RegisterLog source;
    std::string adif = AdifWithTwoRows(source);
    ImportTarget target;
    // A folder where the register's temporary file would go: it cannot be made.
    ASSERT_TRUE(FolderCreate(RegisterTemporaryPath(target.Path()).c_str()));
    bool stored = true;
    ASSERT_EQ(target.Import(adif, &stored), ImportWriting::Added);
    EXPECT_FALSE(stored);
    EXPECT_EQ(ReadBytes(target.Path()), ReadBytes(source.Path()));
    EXPECT_TRUE(target.Reg.Rows.empty());
    EXPECT_FALSE(FileExists(RegisterPath(target.Path()).c_str()));
}

TEST(RegisterFilter, EveryOutputTakesTheChosenReplies) {
    RegisterLog t;
    RegisterRow sent, replied, noted;
    sent.SentDate = "01-03-2004";
    replied.SentDate = "01-03-2004";
    replied.ReplyDate = "11-03-2004";
    replied.Reply = ReplyKind::Letter;
    noted.Sinpo = "33333";
    ASSERT_TRUE(StoreRow(t.Reg, t.Log, 1, sent));
    ASSERT_TRUE(StoreRow(t.Reg, t.Log, 2, replied));
    ASSERT_TRUE(StoreRow(t.Reg, t.Log, 3, noted));
    std::vector<ReplyState> states = ReplyStatesOf(t.Reg.Rows, t.Log.EntryCount);
    struct Case {
        RepliesChoice Choice;
        const char* Stations;  // first letters of the reports output, in log order
    };
    for (const Case& c : {Case{RepliesChoice::All, "ABBG"}, Case{RepliesChoice::Awaiting, "A"},
                          Case{RepliesChoice::Replied, "B"}, Case{RepliesChoice::NoReport, "BG"}}) {
        SCOPED_TRACE(static_cast<int>(c.Choice));
        ReportFilter filter;
        filter.Replies = c.Choice;
        filter.ReplyStates = &states;
        std::string csv = t.Dir.Path("OUT.CSV"), adi = t.Dir.Path("OUT.ADI"), txt = t.Dir.Path("OUT.TXT");
        ASSERT_EQ(ExportReports(t.Log, 1, csv, filter).Status, ExportStatus::Written);
        ASSERT_EQ(ExportAdif(t.Log, 1, adi, filter, kCreated, "MYLOG.ULM").Written.Status, ExportStatus::Written);
        ASSERT_EQ(WriteBulletin(t.Log, 1, txt, filter).Status, ExportStatus::Written);
        std::string fromCsv, fromAdif, fromBulletin;
        for (const std::string& line : Lines(ReadBytes(csv))) {
            if (line.rfind("Date,", 0) != 0) fromCsv += line[line.find(',', line.find(',') + 1) + 1];
        }
        std::string adifText = ReadBytes(adi);
        for (size_t at = adifText.find("<CALL:"); at != std::string::npos; at = adifText.find("<CALL:", at + 1)) {
            fromAdif += adifText[adifText.find('>', at) + 1];
        }
        for (const std::string& line : Lines(ReadBytes(txt))) fromBulletin += line[line.find(' ', 5) + 1];
        EXPECT_EQ(fromCsv, c.Stations);
        EXPECT_EQ(fromAdif, c.Stations);
        EXPECT_EQ(fromBulletin, c.Stations);
    }
}

}  // namespace
