// Every change the log store and the settings writer make to a file, opened again
// in every crash state a power cut can leave (crash_states.h): the log is always
// byte for byte its before or its after, and a second opening changes nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "logstore/log_change.h"
#include "settings/settings_file.h"
#include "tests/powerloss/crash_check.h"

namespace {

constexpr CrashModel kModels[] = {CrashModel::Prefix, CrashModel::Sectors, CrashModel::Torn};

void ExpectNoWrongState(const std::string& operation, const DiskFiles& start, const std::function<void()>& run,
                        const CrashOpening& open = OpenedLogBytes, int64_t samples = 4000) {
    for (CrashModel model : kModels) {
        CrashBudget budget;
        budget.Samples = samples;
        CrashCheck check = CheckCrashStates(operation, start, run, open, model, budget);
        std::printf("%s\n", CrashFigure(check, model).c_str());
        EXPECT_EQ(check.Wrong, 0) << CrashFigure(check, model);
        if (model == CrashModel::Prefix) {
            EXPECT_GT(check.Run.Visited, 1);
        }
    }
}

void WithLog(const std::function<void(LogStore&)>& change) {
    LogStore log;
    ASSERT_TRUE(OpenLog(log, "LOG.ULM"));
    change(log);
    CloseLog(log);
}

TEST(PowerLoss, LogOnAppendsOneReport) {
    ExpectNoWrongState("Log On onto 40 entries", {{"LOG.ULM", NumberedRecords(1, 40)}}, [] {
        WithLog([](LogStore& log) {
            std::string record = NumberedRecord(41);
            std::memcpy(&log.EntryBuffer, record.data(), kEntrySize);
            EXPECT_TRUE(AppendEntry(log));
        });
    });
}

TEST(PowerLoss, AnEditInPlaceAcrossASectorEdge) {
    // Record 5 lies at 460..574, across the edge at 512.
    ExpectNoWrongState("edit of entry 5 of 40", {{"LOG.ULM", NumberedRecords(1, 40)}}, [] {
        WithLog([](LogStore& log) {
            std::string record = NumberedRecord(9999);
            std::memcpy(&log.EntryBuffer, record.data(), kEntrySize);
            EXPECT_TRUE(RewriteEntry(log, 5));
        });
    });
}

struct DeletionCase {
    int64_t Records;
    int64_t Entry;
    int32_t BlockRecords;
    int64_t Samples;
};

TEST(PowerLoss, DeletionsOfTheFirstMiddleLastAndOnlyEntry) {
    const DeletionCase cases[] = {
        {1, 1, 8, 4000},       {2, 1, 8, 4000},          {2, 2, 8, 4000},
        {100, 1, 8, 4000},     {100, 50, 8, 4000},       {100, 100, 8, 4000},
        {10000, 1, 1000, 200}, {10000, 5000, 1000, 200}, {10000, 10000, 1000, 300},
    };
    for (const DeletionCase& c : cases) {
        std::string name = "deletion of entry " + std::to_string(c.Entry) + " of " + std::to_string(c.Records);
        ExpectNoWrongState(
            name, {{"LOG.ULM", NumberedRecords(1, c.Records)}},
            [&] {
                WithLog([&](LogStore& log) {
                    log.MoveBlockRecords = c.BlockRecords;
                    EXPECT_TRUE(RemoveEntry(log, static_cast<int32_t>(c.Entry)));
                });
            },
            OpenedLogBytes, c.Samples);
    }
}

TEST(PowerLoss, ImportsAddTheirReportsAsOneChange) {
    const int64_t sizes[] = {1, 2048, 5000};
    for (int64_t size : sizes) {
        std::string records = NumberedRecords(1001, 1000 + size);
        ExpectNoWrongState(
            "import of " + std::to_string(size) + " onto 3 entries", {{"LOG.ULM", NumberedRecords(1, 3)}},
            [&] {
                WithLog([&](LogStore& log) {
                    AppendRun run;
                    ASSERT_TRUE(BeginAppendRun(log, static_cast<int32_t>(size), &run));
                    for (int64_t first = 0; first < size; first += 512) {
                        int32_t n = static_cast<int32_t>(std::min<int64_t>(512, size - first));
                        const char* bytes = records.data() + first * kEntrySize;
                        ASSERT_TRUE(AppendRunRecords(log, &run, reinterpret_cast<const LogEntry*>(bytes), n));
                    }
                    EXPECT_TRUE(FinishAppendRun(log, &run));
                });
            },
            OpenedLogBytes, 600);
    }
}

std::string SettingsBytes() {
    SettingsState settings = ReadSettings("CURLOG.DTA");
    return settings.Unreadable ? std::string("(unreadable)") : FormatSettings(settings);
}

TEST(PowerLoss, CurlogIsTheOldOrTheNewSettings) {
    SettingsState next;
    next.LogPath = "C:\\LOGS\\NIGHT.LOG";
    next.BackupDrive = "A:";
    next.SchedulePath = "C:\\SKED\\B25.CSV";
    next.BackupGenerations = 7;
    ExpectNoWrongState(
        "writing CURLOG.DTA", {{"CURLOG.DTA", "MYLOG.ULM\r\nQ:\r\n\r\n10\r\n"}},
        [&] { EXPECT_TRUE(WriteSettings("CURLOG.DTA", next)); }, SettingsBytes);
}

}  // namespace

// A power cut during the recovery itself: the next opening still ends where the
// interrupted change would have, for a deletion (finished) and an import (taken back).
TEST(PowerLoss, ACrashDuringTheRecoveryStillEndsBeforeOrAfter) {
    std::string log = NumberedRecords(1, 100);
    DiskFiles deletion = FirstKilledState(
        {{"LOG.ULM", log}},
        [] {
            WithLog([](LogStore& opened) {
                opened.MoveBlockRecords = 8;
                EXPECT_TRUE(RemoveEntry(opened, 20));
            });
        },
        [&](const DiskFiles& files) { return files.count("LOG.ULM.DLJ") && files.at("LOG.ULM") != log; });
    std::string records = NumberedRecords(1001, 1300);
    DiskFiles import = FirstKilledState(
        {{"LOG.ULM", log}},
        [&] {
            WithLog([&](LogStore& opened) {
                AppendRun run;
                ASSERT_TRUE(BeginAppendRun(opened, 300, &run));
                ASSERT_TRUE(AppendRunRecords(opened, &run, reinterpret_cast<const LogEntry*>(records.data()), 300));
                EXPECT_TRUE(FinishAppendRun(opened, &run));
            });
        },
        [&](const DiskFiles& files) { return files.count("LOG.ULM.DLJ") && files.at("LOG.ULM").size() > log.size(); });
    ASSERT_FALSE(deletion.empty());
    ASSERT_FALSE(import.empty());
    ResetDisk(deletion);
    EXPECT_EQ(OpenedLogBytes(), NumberedRecords(1, 19) + NumberedRecords(21, 100));  // finished
    ResetDisk(import);
    EXPECT_EQ(OpenedLogBytes(), log);  // taken back
    ExpectNoWrongState("recovery of a deletion of entry 20 of 100", deletion, [] { OpenedLogBytes(); });
    ExpectNoWrongState("recovery of an import of 300 onto 100", import, [] { OpenedLogBytes(); });
}
