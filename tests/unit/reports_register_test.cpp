// The register's rows against every move of their reports: deletions before,
// at and after the row's entry, edits, identical records, another program's
// append and deletion, a report that is gone, and a kill between the register
// and the log.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include "browse/entry_edit.h"
#include "browse/entry_removal.h"
#include "logstore/log_change.h"
#include "records/text_trim.h"
#include "reports/register.h"
#include "reports/register_file.h"
#include "tests/unit/test_files.h"

namespace {

// A log of stations named by letters (a repeated letter is a byte-identical
// record) with a register row on some of them, the row's SINPO naming it.
struct RegisterLog {
    explicit RegisterLog(const std::string& stations) {
        std::string bytes;
        for (char station : stations) bytes += EntryBytes(Record(station));
        WriteBytes(Path(), bytes);
        Reopen();
    }
    ~RegisterLog() { CloseLog(Log); }
    static LogEntry Record(char station) { return MakeEntry(std::string(1, station), "07-03-2004", "21:30"); }
    std::string Path() const { return Dir.Path("MYLOG.ULM"); }
    void Reopen() {
        CloseLog(Log);
        ASSERT_TRUE(OpenLog(Log, Path()));
        OpenRegister(Reg, Log);
    }
    void Mark(int32_t entry, const std::string& sinpo) {
        RegisterRow row;
        row.Sinpo = sinpo;
        ASSERT_TRUE(StoreRow(Reg, Log, entry, row)) << entry;
    }
    bool Delete(int32_t entry) {
        PageState page;
        OpenPage(page, Log.EntryCount, 1.0f);
        page.CurrentEntryNumber = entry;
        return DeleteCurrentEntry(Log, page, Reg);
    }
    bool Edit(int32_t entry, char station) {
        LogEntry edited = Record(station);
        return SaveEditedEntry(Log, entry, edited, Reg);
    }
    // Another program: the log's bytes changed behind the register's back.
    void OtherProgramWrites(const std::string& bytes) {
        CloseLog(Log);
        WriteBytes(Path(), bytes);
        Reopen();
    }
    std::string LogText() {
        std::string bytes = ReadBytes(Path()), text;
        for (size_t at = 0; at + kEntrySize <= bytes.size(); at += kEntrySize) text += bytes[at + 21];
        return text;
    }
    // Each row as "SINPO@entry:station", "SINPO@not in the log" when its report is gone.
    std::string Rows() {
        std::string text;
        for (const RegisterRow& row : Reg.Rows) {
            if (!text.empty()) text += ' ';
            text += row.Sinpo + '@';
            if (row.Entry == 0) {
                text += "not in the log";
                continue;
            }
            EXPECT_TRUE(ReadEntry(Log, row.Entry));
            text += std::to_string(row.Entry) + ':' + TrimRight(FieldText(Log.EntryBuffer.Station));
        }
        return text;
    }
    TempDir Dir;
    LogStore Log;
    ReportRegister Reg;
};

RegisterRow SinpoRow(const std::string& sinpo) {
    RegisterRow row;
    row.Sinpo = sinpo;
    return row;
}

struct Move {
    const char* Name;
    const char* Stations;  // the log at first
    std::vector<std::pair<int32_t, const char*>> Marks;
    std::function<void(RegisterLog&)> Apply;
    const char* Expected;  // the rows after the move, in the session and after reopening
};

std::string Without(const std::string& stations, size_t entry) {
    std::string bytes;
    for (size_t i = 0; i < stations.size(); ++i) {
        if (i + 1 != entry) bytes += EntryBytes(RegisterLog::Record(stations[i]));
    }
    return bytes;
}

TEST(ReportRegister, RowsStayOnTheirReportsThroughEveryMove) {
    const std::vector<Move> moves = {
        {"deletion before the row's entry",
         "ABCDE",
         {{4, "11111"}},
         [](RegisterLog& r) { ASSERT_TRUE(r.Delete(2)); },
         "11111@3:D"},
        {"deletion of the row's entry",
         "ABCDE",
         {{4, "11111"}, {5, "22222"}},
         [](RegisterLog& r) { ASSERT_TRUE(r.Delete(4)); },
         "22222@4:E"},
        {"deletion after the row's entry",
         "ABCDE",
         {{2, "11111"}},
         [](RegisterLog& r) { ASSERT_TRUE(r.Delete(5)); },
         "11111@2:B"},
        {"edit of the row's entry",
         "ABCDE",
         {{3, "11111"}},
         [](RegisterLog& r) { ASSERT_TRUE(r.Edit(3, 'X')); },
         "11111@3:X"},
        {"edit of the row's entry into a copy of an earlier one",
         "ABCDE",
         {{4, "11111"}, {2, "22222"}},
         [](RegisterLog& r) { ASSERT_TRUE(r.Edit(4, 'B')); },
         "11111@4:B 22222@2:B"},
        {"edit of an earlier entry into a copy of the row's",
         "ABCDB",
         {{5, "11111"}},
         [](RegisterLog& r) { ASSERT_TRUE(r.Edit(1, 'B')); },
         "11111@5:B"},
        {"edit of an earlier copy of the row's record",
         "BABCB",
         {{5, "11111"}, {3, "22222"}},
         [](RegisterLog& r) { ASSERT_TRUE(r.Edit(1, 'Z')); },
         "11111@5:B 22222@3:B"},
        {"deletion of an identical record before the row's",
         "ABABA",
         {{5, "11111"}, {3, "22222"}},
         [](RegisterLog& r) { ASSERT_TRUE(r.Delete(1)); },
         "11111@4:A 22222@2:A"},
        {"deletion of the first of identical records with rows on both",
         "AXA",
         {{1, "11111"}, {3, "22222"}},
         [](RegisterLog& r) { ASSERT_TRUE(r.Delete(1)); },
         "22222@2:A"},
        {"append by another program",
         "ABC",
         {{2, "11111"}},
         [](RegisterLog& r) { r.OtherProgramWrites(Without("ABC", 0) + EntryBytes(RegisterLog::Record('B'))); },
         "11111@2:B"},
        {"deletion before the row's entry by another program",
         "ABCD",
         {{3, "11111"}},
         [](RegisterLog& r) { r.OtherProgramWrites(Without("ABCD", 1)); },
         "11111@2:C"},
        {"deletion of the row's entry by another program",
         "ABCD",
         {{3, "11111"}, {4, "22222"}},
         [](RegisterLog& r) { r.OtherProgramWrites(Without("ABCD", 3)); },
         "11111@not in the log 22222@3:D"},
        {"deletion of an identical earlier record by another program",
         "AXA",
         {{1, "11111"}, {3, "22222"}},
         [](RegisterLog& r) { r.OtherProgramWrites(Without("AXA", 1)); },
         "11111@2:A 22222@2:A"},
        {"a row not in the log through a later deletion",
         "ABCD",
         {{3, "11111"}},
         [](RegisterLog& r) {
             r.OtherProgramWrites(Without("ABCD", 3));
             ASSERT_TRUE(r.Delete(1));
         },
         "11111@not in the log"},
    };
    for (const Move& move : moves) {
        SCOPED_TRACE(move.Name);
        RegisterLog r(move.Stations);
        for (const auto& mark : move.Marks) r.Mark(mark.first, mark.second);
        move.Apply(r);
        EXPECT_EQ(r.Rows(), move.Expected);
        r.Reopen();
        EXPECT_EQ(r.Rows(), move.Expected) << "after reopening";
    }
}

TEST(ReportRegister, ALogWithoutRowsHasNoRegisterFile) {
    RegisterLog r("ABC");
    EXPECT_FALSE(FileExists(RegisterPath(r.Path()).c_str()));
    ASSERT_TRUE(r.Delete(1));
    ASSERT_TRUE(r.Edit(1, 'Q'));
    EXPECT_FALSE(FileExists(RegisterPath(r.Path()).c_str()));
    r.Mark(2, "33333");
    EXPECT_TRUE(FileExists((r.Path() + ".RRG").c_str()));
    ASSERT_TRUE(StoreRow(r.Reg, r.Log, 2, RegisterRow()));  // emptied: the row goes, and with it the file
    EXPECT_FALSE(FileExists(RegisterPath(r.Path()).c_str()));
}

// A kill between the register and the log: the pending key is on the disk
// before the log changes, so either state of the log resolves to the right report.
TEST(ReportRegister, AKillBetweenTheRegisterAndTheLogKeepsTheRow) {
    struct Case {
        const char* Name;
        bool LogChanged;
        const char* Expected;
    };
    for (const Case& c : {Case{"killed before the deletion", false, "11111@3:A"},
                          Case{"killed after the deletion", true, "11111@2:A"}}) {
        SCOPED_TRACE(c.Name);
        RegisterLog r("AAA");
        r.Mark(3, "11111");
        RegisterChange change;
        ASSERT_TRUE(PrepareRemoval(r.Reg, 1, RegisterLog::Record('A'), 3, &change));
        EXPECT_TRUE(change.Announced);
        if (c.LogChanged) {
            ASSERT_TRUE(RemoveEntry(r.Log, 1));
        }
        r.Reopen();  // FinishChange never ran
        EXPECT_EQ(r.Rows(), c.Expected);
    }
    for (const Case& c :
         {Case{"killed before the edit", false, "11111@2:A"}, Case{"killed after the edit", true, "11111@2:K"}}) {
        SCOPED_TRACE(c.Name);
        RegisterLog r("AAB");
        r.Mark(2, "11111");
        RegisterChange change;
        ASSERT_TRUE(PrepareEdit(r.Reg, r.Log, 2, RegisterLog::Record('A'), RegisterLog::Record('K'), &change));
        if (c.LogChanged) {
            r.Log.EntryBuffer = RegisterLog::Record('K');
            ASSERT_TRUE(RewriteEntry(r.Log, 2));
        }
        r.Reopen();
        EXPECT_EQ(r.Rows(), c.Expected);
    }
}

TEST(ReportRegister, ARegisterThatCannotBeNotedRefusesTheChange) {
    RegisterLog r("ABC");
    r.Mark(2, "11111");
    std::string before = ReadBytes(RegisterPath(r.Path()));
    // The temporary file cannot be made: a folder stands in its place.
    ASSERT_EQ(mkdir(RegisterTemporaryPath(r.Path()).c_str(), 0700), 0);
    EXPECT_FALSE(r.Edit(2, 'Z'));
    EXPECT_EQ(r.Log.LastError, LogError::RegisterFailed);
    EXPECT_EQ(r.LogText(), "ABC");
    EXPECT_EQ(ReadBytes(RegisterPath(r.Path())), before);
    EXPECT_EQ(r.Rows(), "11111@2:B");
    EXPECT_FALSE(StoreRow(r.Reg, r.Log, 3, SinpoRow("22222")));
    EXPECT_EQ(r.Rows(), "11111@2:B");
    // A deletion that moves no row needs no note and goes ahead.
    EXPECT_TRUE(r.Delete(3));
    EXPECT_EQ(r.LogText(), "AB");
}

TEST(ReportRegister, AnUnreadableRegisterIsToldOnceAndNeverWritten) {
    RegisterLog r("ABC");
    r.Mark(2, "11111");
    std::string damaged = ReadBytes(RegisterPath(r.Path()));
    damaged[20] ^= 0x40;
    WriteBytes(RegisterPath(r.Path()), damaged);
    r.Reopen();
    EXPECT_TRUE(r.Reg.Unreadable);
    std::string text;
    ASSERT_TRUE(TakeRegisterMessage(r.Reg, &text));
    EXPECT_EQ(text, "The report register " + r.Path() +
                        ".RRG cannot be read: its check value does not match.\r\n\r\nIt is kept as it is and will "
                        "not be changed. Reports sent and replies cannot be shown or recorded for this log.");
    EXPECT_FALSE(TakeRegisterMessage(r.Reg, &text));
    EXPECT_FALSE(StoreRow(r.Reg, r.Log, 1, SinpoRow("22222")));
    EXPECT_TRUE(r.Delete(2));
    EXPECT_TRUE(r.Edit(1, 'Q'));
    EXPECT_EQ(r.LogText(), "QC");
    EXPECT_EQ(ReadBytes(RegisterPath(r.Path())), damaged);
}

TEST(ReportRegister, TheFileKeepsEveryValueExactly) {
    RegisterContent content;
    content.Change = PendingChange{true, 7, 6};
    RegisterRow row;
    row.Key = RegisterKey{RegisterLog::Record('R'), 3};
    row.Pending = PendingState::Moved;
    row.PendingKey = RegisterKey{RegisterLog::Record('S'), 2};
    row.Sinpo = "354";
    row.SentDate = "08-03-2004";
    row.Via = SentVia::WebForm;
    row.ReplyDate = "29-02-2004";
    row.Reply = ReplyKind::ECard;
    row.Details = std::string("Interval signal\r\nnews in \xE9 Spanish") + std::string(1900, 'x');
    row.ReplyNote = std::string(200, 'n');
    content.Rows = {row, RegisterRow{}};
    content.Rows[1].Key.Record = RegisterLog::Record('T');
    std::string bytes = EncodeRegister(content);
    EXPECT_EQ(bytes.substr(0, 8), "ULMARRG1");
    EXPECT_EQ(bytes.substr(8, 4), std::string("\x02\0\0\0", 4));
    RegisterContent back;
    std::string why;
    ASSERT_TRUE(DecodeRegister(bytes, &back, &why)) << why;
    ASSERT_EQ(back.Rows.size(), 2u);
    EXPECT_TRUE(SameRowValues(back.Rows[0], row));
    EXPECT_TRUE(SameRowValues(back.Rows[1], content.Rows[1]));
    EXPECT_EQ(back.Change.CountBefore, 7);
    EXPECT_EQ(back.Change.CountAfter, 6);

    struct Damage {
        const char* Name;
        std::string Bytes;
        const char* Why;
    };
    std::string longer = bytes;
    longer.insert(longer.size() - 8, "x");
    for (const Damage& d : {Damage{"empty", "", "it is not a report register"},
                            Damage{"cut", bytes.substr(0, bytes.size() - 1), "its check value does not match"},
                            Damage{"one byte more", longer, "its check value does not match"},
                            Damage{"another magic", "ULMARRG2" + bytes.substr(8), "it is not a report register"}}) {
        SCOPED_TRACE(d.Name);
        EXPECT_FALSE(DecodeRegister(d.Bytes, &back, &why));
        EXPECT_EQ(why, d.Why);
    }
}

}  // namespace
