// The backup at exit in every crash state a power cut can leave: D:NAME is
// always the earlier backup or the new one, whole; every dated copy on the
// drive is whole (one of the earlier copies, or the log); the earlier copies
// are removed only as the new ones stand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "backup/backup.h"
#include "tests/powerloss/crash_check.h"

namespace {

constexpr CrashModel kModels[] = {CrashModel::Prefix, CrashModel::Sectors, CrashModel::Torn};
const char* const kOlder[] = {"Q:ULMAR-BACKUP/LOG-000001-20261201-120000Z.ULM",
                              "Q:ULMAR-BACKUP/LOG-000002-20261202-120000Z.ULM",
                              "Q:ULMAR-BACKUP/LOG-000003-20261203-120000Z.ULM"};
const char* const kNewGeneration = "Q:ULMAR-BACKUP/LOG-000004-20261208-193000Z.ULM";

const std::string& Log() {
    static const std::string log = NumberedRecords(1, 40);
    return log;
}
const std::string& EarlierBackup() {
    static const std::string backup = NumberedRecords(1, 30);
    return backup;
}

const DiskFiles& DriveBefore() {
    static DiskFiles files;
    if (!files.empty()) return files;
    files = {{"LOG.ULM", Log()}, {"Q:LOG.ULM", EarlierBackup()}};
    for (int n = 0; n < 3; ++n) files[kOlder[n]] = NumberedRecords(1, 10 * (n + 1));
    return files;
}

// "good" when the drive holds a whole last backup and nothing but whole dated
// copies; otherwise what is wrong.
std::string JudgeDrive() {
    const DiskFiles& before = DriveBefore();
    DiskFiles now = CurrentFiles();
    auto held = now.find("Q:LOG.ULM");
    if (held == now.end()) return "D:NAME is missing";
    if (held->second != Log() && held->second != EarlierBackup()) return "D:NAME is damaged";
    for (const auto& file : now) {
        if (FolderOfName(file.first) != "Q:ULMAR-BACKUP" || file.first.find("~ULMAR") != std::string::npos) continue;
        bool whole = file.first == kNewGeneration ? file.second == Log()
                                                  : before.count(file.first) && before.at(file.first) == file.second;
        if (!whole) return file.first + " is not a whole copy";
    }
    if (!now.count(kOlder[2]) && !now.count(kNewGeneration)) return "the newest dated copy is gone";
    return "good";
}

void ExpectEveryStateGood(const std::string& operation, bool refuseLinks, int generations) {
    for (CrashModel model : kModels) {
        CrashBudget budget;
        budget.Samples = 3000;
        CrashCheck check = CheckCrashStates(
            operation, DriveBefore(),
            [&] {
                Disk.RefuseLinks = refuseLinks;
                BackupRequest request;
                request.LogPath = "LOG.ULM";
                request.Drive = "Q";
                request.Generations = generations;
                request.Now = UtcTime{2026, 12, 8, 19, 30, 0};
                BackupResult result = BackUpLogSafely(request);
                EXPECT_TRUE(result.Ok) << result.Reason;
            },
            JudgeDrive, model, budget);
        std::printf("%s\n", CrashFigure(check, model).c_str());
        EXPECT_EQ(check.Wrong, 0) << CrashFigure(check, model);
        EXPECT_GT(check.Run.Visited, 3);
    }
}

TEST(PowerLoss, TheBackupAtExitKeepsTheLastGoodBackup) {
    ExpectEveryStateGood("backup at exit, dated copy linked, 3 kept", false, 3);
    ExpectEveryStateGood("backup at exit, dated copy copied (no hard links), 3 kept", true, 3);
    ExpectEveryStateGood("backup at exit, D:NAME only", false, 0);
}

// Once the backup has said it succeeded, a power cut keeps the new copies and
// the removal of the oldest: every folder it changed was flushed.
TEST(PowerLoss, AFinishedBackupIsOnTheDisk) {
    for (bool refuseLinks : {false, true}) {
        ResetDisk(DriveBefore());
        StartRecording();
        Disk.RefuseLinks = refuseLinks;
        BackupRequest request;
        request.LogPath = "LOG.ULM";
        request.Drive = "Q";
        request.Generations = 3;
        request.Now = UtcTime{2026, 12, 8, 19, 30, 0};
        ASSERT_TRUE(BackUpLogSafely(request).Ok);
        StopRecording();
        // Folder operations after the last flush of their folder are what a power cut may undo.
        std::vector<std::string> open;
        std::vector<std::string> flushedSince;
        for (auto op = Disk.Ops.rbegin(); op != Disk.Ops.rend(); ++op) {
            if (op->Kind == DiskOpKind::FolderFlush) flushedSince.push_back(op->Name);
            bool folderOp = op->Kind == DiskOpKind::Create || op->Kind == DiskOpKind::Link ||
                            op->Kind == DiskOpKind::Rename || op->Kind == DiskOpKind::Delete;
            std::string folder = FolderOfName(op->Kind == DiskOpKind::Rename ? op->To : op->Name);
            bool flushed = std::find(flushedSince.begin(), flushedSince.end(), folder) != flushedSince.end();
            if (folderOp && !flushed && op->Name.find("~ULMAR") == std::string::npos) open.push_back(op->Name);
        }
        EXPECT_TRUE(open.empty()) << (refuseLinks ? "copied: " : "linked: ") << open.size()
                                  << " folder operations not flushed, the first " << (open.empty() ? "" : open[0]);
    }
}

}  // namespace
