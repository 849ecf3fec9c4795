// The report register beside the log under power cuts: a row's change and a
// deletion that moves a row's key. Each crash state opens as the program does
// (the log, then its register) and must show the before or the after: the log's
// bytes and every row on its report.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "logstore/log_change.h"
#include "reports/register.h"
#include "tests/powerloss/crash_check.h"

namespace {

constexpr CrashModel kModels[] = {CrashModel::Prefix, CrashModel::Sectors, CrashModel::Torn};

LogEntry RecordOf(const std::string& bytes) {
    LogEntry entry;
    std::memcpy(&entry, bytes.data(), sizeof entry);
    return entry;
}

// Records 1, 2, 1, 3 (the third a copy of the first) and a row on entry 3.
DiskFiles Start() {
    RegisterContent content;
    RegisterRow row;
    row.Key = RegisterKey{RecordOf(NumberedRecord(1)), 2};
    row.Sinpo = "45444";
    row.SentDate = "08-03-2004";
    content.Rows.push_back(row);
    return {{"LOG.ULM", NumberedRecord(1) + NumberedRecord(2) + NumberedRecord(1) + NumberedRecord(3)},
            {"LOG.ULM.RRG", EncodeRegister(content)}};
}

// The log's bytes, then each row as "SINPO sent-date @entry".
std::string OpenedLogAndRegister() {
    LogStore log;
    OpenLog(log, "LOG.ULM");
    ReportRegister reg;
    OpenRegister(reg, log);
    CloseLog(log);
    std::string text = FileBytes("LOG.ULM") + "|";
    if (reg.Unreadable) return text + "(unreadable)";
    for (const RegisterRow& row : reg.Rows)
        text += row.Sinpo + " " + row.SentDate + " @" + std::to_string(row.Entry) + ";";
    return text;
}

void ExpectNoWrongState(const std::string& operation, const std::function<void()>& run) {
    for (CrashModel model : kModels) {
        CrashBudget budget;
        budget.Samples = 3000;
        CrashCheck check = CheckCrashStates(operation, Start(), run, OpenedLogAndRegister, model, budget);
        std::printf("%s\n", CrashFigure(check, model).c_str());
        EXPECT_EQ(check.Wrong, 0) << CrashFigure(check, model);
    }
}

void WithLogAndRegister(const std::function<void(LogStore&, ReportRegister&)>& change) {
    LogStore log;
    ASSERT_TRUE(OpenLog(log, "LOG.ULM"));
    ReportRegister reg;
    OpenRegister(reg, log);
    ASSERT_EQ(reg.Rows.size(), 1u);
    change(log, reg);
    CloseLog(log);
}

TEST(PowerLoss, ARegisterRowChangesWhole) {
    ExpectNoWrongState("a register row's change", [] {
        WithLogAndRegister([](LogStore& log, ReportRegister& reg) {
            RegisterRow row = reg.Rows[0];
            row.ReplyDate = "20-04-2004";
            row.Reply = ReplyKind::Card;
            row.SentDate = "09-03-2004";
            EXPECT_TRUE(StoreRow(reg, log, 3, row));
        });
    });
}

TEST(PowerLoss, ADeletionBeforeARowKeepsItOnItsReport) {
    ExpectNoWrongState("deleting an identical record before a register row", [] {
        WithLogAndRegister([](LogStore& log, ReportRegister& reg) {
            RegisterChange change;
            ASSERT_TRUE(PrepareRemoval(reg, 1, RecordOf(NumberedRecord(1)), log.EntryCount, &change));
            ASSERT_TRUE(change.Announced);
            bool removed = RemoveEntry(log, 1);
            EXPECT_TRUE(removed);
            FinishChange(reg, log, change, removed);
        });
    });
}

}  // namespace
