// Letters from templates, the report window's boxes and the register's summary.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file.h"
#include "reports/letter.h"
#include "reports/register_summary.h"
#include "reports/report_form.h"
#include "tests/unit/test_files.h"

namespace {

LetterValues Values() {
    LogEntry entry = MakeEntry("R. Caf\xE9 Stereo", "07-03-2004", "21:30", " 9410", " Quito", "fair, QRM");
    return LetterValuesOf(entry, "45444", "News in Spanish\r\nSong \"Caf\xE9\"", "08-Mar-2004 letter day");
}

TEST(ReportLetter, EveryPlaceholderIsFilledAndUnknownOnesStay) {
    struct Case {
        const char* Name;
        std::string Template;
        std::string Letter;
    };
    const std::vector<Case> cases = {
        {"every placeholder, code page 1252",
         "{DATE}|{TIME}|{KHZ}|{STATION}|{LOCATION}|{REMARKS}|{SINPO}|{DETAILS}|{TODAY}",
         "07 Mar 2004|21:30|9410|R. Caf\xE9 Stereo|Quito|fair, QRM|45444|News in Spanish\r\nSong \"Caf\xE9\"|"
         "08-Mar-2004 letter day"},
        {"unknown, lower case and unclosed placeholders", "{NAME} {station} {DATE {KHZ}{",
         "{NAME} {station} {DATE 9410{"},
        {"LF and lone CR lines become CR LF", "a\nb\rc\r\nd\n", "a\r\nb\r\nc\r\nd\r\n"},
        {"UTF-8 template: values in UTF-8, the byte-order mark kept", "\xEF\xBB\xBF\xC2\xA1Hola {STATION}!",
         "\xEF\xBB\xBF\xC2\xA1Hola R. Caf\xC3\xA9 Stereo!"},
        {"UTF-8 without a mark", "Se\xC3\xB1ores de {STATION}", "Se\xC3\xB1ores de R. Caf\xC3\xA9 Stereo"},
        {"a value holding a placeholder is not filled again", "{DETAILS}", "News in Spanish\r\nSong \"Caf\xE9\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(FillTemplate(c.Template, Values()), c.Letter);
    }
    LetterValues tricky = Values();
    tricky.Remarks = "{SINPO}";
    EXPECT_EQ(FillTemplate("{REMARKS}-{SINPO}", tricky), "{SINPO}-45444");
}

TEST(ReportLetter, AMegabyteTemplateIsFilledWhole) {
    std::string line = "{STATION} on {KHZ} kHz {UNKNOWN}\n";
    std::string templ;
    while (templ.size() < (1u << 20)) templ += line;
    std::string letter = FillTemplate(templ, Values());
    std::string filled = "R. Caf\xE9 Stereo on 9410 kHz {UNKNOWN}\r\n";
    ASSERT_EQ(letter.size(), templ.size() / line.size() * filled.size());
    EXPECT_EQ(letter.substr(0, filled.size()), filled);
    EXPECT_EQ(letter.substr(letter.size() - filled.size()), filled);
}

TEST(ReportLetter, TheDefaultTemplateAsksForTheListenersOwnLines) {
    std::string templ = DefaultTemplate();
    for (const char* needed : {"{DATE}", "{TIME}", "{KHZ}", "{STATION}", "{SINPO}", "{DETAILS}", "{TODAY}", "Your name",
                               "Receiver: ", "Antenna: "}) {
        EXPECT_NE(templ.find(needed), std::string::npos) << needed;
    }
    EXPECT_EQ(FillTemplate(templ, Values()).find('{'), std::string::npos);
}

TEST(ReportLetter, TemplatesAreTheReportTextFilesDefaultFirst) {
    EXPECT_EQ(TemplateNames({"notes.txt", "REPORT-ES.TXT", "report.txt", "REPORT.TXT.BAK", "REPORTS", "Report-de.txt",
                             "MYREPORT.TXT", "REPORT.TXT"}),
              (std::vector<std::string>{"REPORT.TXT", "report.txt", "REPORT-ES.TXT", "Report-de.txt"}));
}

TEST(ReportLetter, TheProposedNameHoldsOnlyWhatAFileNameCan) {
    struct Case {
        const char* Log;
        const char* Station;
        const char* Path;
    };
    for (const Case& c : {Case{"C:\\LOGS\\MYLOG.ULM", "R. Rumbos", "C:\\LOGS\\R._Rumbos-20040307.TXT"},
                          Case{"MYLOG.ULM", "BBC/WS: \"London\"?", "BBC_WS___London__-20040307.TXT"},
                          Case{"/home/l/MYLOG.ULM", " <R*|T> ", "/home/l/_R__T_-20040307.TXT"}}) {
        EXPECT_EQ(ProposedLetterPath(c.Log, MakeEntry(c.Station, "07-03-2004")), c.Path);
    }
}

TEST(ReportLetter, TheLetterIsWrittenWholeOverAnEarlierOne) {
    TempDir dir;
    std::string path = dir.Path("R-20040307.TXT");
    WriteBytes(path, "an older letter, longer than the new one");
    ASSERT_TRUE(WriteLetterFile(path, "new\r\n"));
    EXPECT_EQ(ReadBytes(path), "new\r\n");
    EXPECT_FALSE(FileExists((path + ".TMP").c_str()));
    EXPECT_FALSE(WriteLetterFile(dir.Path("no such folder/R.TXT"), "x"));
}

TEST(ReportBoxes, EachBoxTakesOnlyWhatItCanHold) {
    struct Case {
        ReportBoxes Boxes;
        ReportBox Bad;
    };
    const ReportBoxes good{"45444", "News", "08-03-2004", "post", "29-02-2004", "card", "nice card"};
    auto with = [&](void (*change)(ReportBoxes&)) {
        ReportBoxes boxes = good;
        change(boxes);
        return boxes;
    };
    const std::vector<Case> cases = {
        {good, ReportBox::None},
        {ReportBoxes{"", "", "", "", "", "", ""}, ReportBox::None},
        {with([](ReportBoxes& b) { b.Sinpo = "354"; }), ReportBox::None},
        {with([](ReportBoxes& b) { b.Sinpo = "45464"; }), ReportBox::Sinpo},
        {with([](ReportBoxes& b) { b.Sinpo = "4544"; }), ReportBox::Sinpo},
        {with([](ReportBoxes& b) { b.Sinpo = "05444"; }), ReportBox::Sinpo},
        {with([](ReportBoxes& b) { b.Details = std::string(2001, 'x'); }), ReportBox::Details},
        {with([](ReportBoxes& b) { b.SentDate = "31-02-2004"; }), ReportBox::SentDate},
        {with([](ReportBoxes& b) { b.SentDate = "8-3-2004"; }), ReportBox::SentDate},
        {with([](ReportBoxes& b) { b.Via = "pigeon"; }), ReportBox::Via},
        {with([](ReportBoxes& b) { b.ReplyDate = "29-02-2003"; }), ReportBox::ReplyDate},
        {with([](ReportBoxes& b) { b.Reply = "parcel"; }), ReportBox::Reply},
        {with([](ReportBoxes& b) { b.ReplyNote = std::string(201, 'n'); }), ReportBox::ReplyNote},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        ReportFormResult result = ReadReportBoxes(cases[i].Boxes);
        EXPECT_EQ(result.Bad, cases[i].Bad) << i;
        EXPECT_EQ(result.Ok, cases[i].Bad == ReportBox::None) << i;
        EXPECT_EQ(result.Message.empty(), result.Ok) << i;
    }
    ReportFormResult read = ReadReportBoxes(good);
    EXPECT_EQ(read.Row.Via, SentVia::Post);
    EXPECT_EQ(read.Row.Reply, ReplyKind::Card);
    ReportBoxes back = BoxesOfRow(read.Row);
    EXPECT_EQ(back.Via, "post");
    EXPECT_EQ(back.ReplyDate, "29-02-2004");
    EXPECT_EQ(ReadReportBoxes(with([](ReportBoxes& b) { b.SentDate = "31-02-2004"; })).Message,
              "Sent: a date as DD-MM-YYYY that exists, or nothing.");
}

TEST(RegisterSummary, AwaitingOldestFirstRepliesAndTotals) {
    auto row = [](int32_t entry, const char* sent, const char* reply, ReplyKind kind) {
        RegisterRow r;
        r.Entry = entry;
        r.SentDate = sent;
        r.Via = *sent ? SentVia::Post : SentVia::None;
        r.ReplyDate = reply;
        r.Reply = kind;
        r.Sinpo = "44444";
        return r;
    };
    std::vector<RegisterRow> rows = {
        row(1, "01-03-2004", "", ReplyKind::None), row(2, "01-01-2004", "31-01-2004", ReplyKind::Card),
        row(3, "15-02-2004", "", ReplyKind::None), row(0, "01-02-2004", "11-02-2004", ReplyKind::Email),
        row(5, "", "", ReplyKind::None)};
    std::vector<LogEntry> records = {MakeEntry("Alpha"), MakeEntry("Beta"), MakeEntry("Gamma"), MakeEntry("Delta"),
                                     MakeEntry("Eps")};
    RegisterSummary s = SummarizeRegister(rows, records, "10-03-2004");
    ASSERT_EQ(s.Awaiting.size(), 2u);
    EXPECT_EQ(s.Awaiting[0].Text, "3  06-12-2026 19:30 9410 kHz  Gamma  sent 15-02-2004, waiting 24 days");
    EXPECT_EQ(s.Awaiting[1].Text, "1  06-12-2026 19:30 9410 kHz  Alpha  sent 01-03-2004, waiting 9 days");
    ASSERT_EQ(s.Replies.size(), 2u);
    EXPECT_EQ(s.Replies[0].Text, "2  06-12-2026 19:30 9410 kHz  Beta  31-01-2004 card, 30 days");
    EXPECT_EQ(s.Replies[1].Text, "-  06-12-2026 19:30 9410 kHz  Delta  11-02-2004 e-mail, 10 days");
    ASSERT_EQ(s.NotInLog.size(), 1u);
    EXPECT_EQ(s.NotInLog[0].Row, 3u);
    EXPECT_EQ(s.Totals, "Reports sent: 4   Replies: 2   Reply rate: 50%   Median days to a reply: 20");
    int64_t days = 0;
    ASSERT_TRUE(DaysBetween("28-02-2000", "01-03-2000", &days));
    EXPECT_EQ(days, 2);
    ASSERT_TRUE(DaysBetween("31-12-1999", "01-01-2001", &days));
    EXPECT_EQ(days, 367);
    EXPECT_FALSE(DaysBetween("", "01-01-2001", &days));
}

TEST(RegisterSummary, TheRepliesChoiceSortsReportsInFourWays) {
    RegisterRow sent, replied, noted;
    sent.SentDate = "01-03-2004";
    replied.SentDate = "01-03-2004";
    replied.Reply = ReplyKind::Letter;
    noted.Sinpo = "44444";
    struct Case {
        const RegisterRow* Row;
        bool All, Awaiting, Replied, NoReport;
    };
    for (const Case& c : {Case{nullptr, true, false, false, true}, Case{&sent, true, true, false, false},
                          Case{&replied, true, false, true, false}, Case{&noted, true, false, false, true}}) {
        EXPECT_EQ(RowMatchesChoice(c.Row, RepliesChoice::All), c.All);
        EXPECT_EQ(RowMatchesChoice(c.Row, RepliesChoice::Awaiting), c.Awaiting);
        EXPECT_EQ(RowMatchesChoice(c.Row, RepliesChoice::Replied), c.Replied);
        EXPECT_EQ(RowMatchesChoice(c.Row, RepliesChoice::NoReport), c.NoReport);
    }
}

}  // namespace
