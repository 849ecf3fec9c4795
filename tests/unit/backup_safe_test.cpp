// The backup at exit on real files: verified copies, dated generations, and
// every failure leaving the earlier copies exactly as they were. The working
// folder is a fresh temporary folder, where "E:MYLOG.ULM" is an ordinary name.
#include "backup/backup.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

#include <algorithm>
#include <cstdio>

#include "backup/backup_test_hook.h"
#include "platform/file.h"
#include "tests/unit/test_files.h"
#include "ui/message_captions.h"

namespace {

const UtcTime kNow{2026, 12, 7, 19, 45, 12};

class SafeBackup : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(getcwd(Saved, sizeof Saved), nullptr);
        ASSERT_EQ(chdir(Dir.Root.c_str()), 0);
        Log = EntryBytes(MakeEntry("Radio Alpha")) + EntryBytes(MakeEntry("Radio Beta")) + "\x00\xff partial";
        WriteBytes("MYLOG.ULM", Log);
    }
    void TearDown() override {
        BackupHookForTest = BackupTestHook{};
        ASSERT_EQ(chdir(Saved), 0);
    }
    BackupResult Run(int generations, UtcTime now = kNow) {
        BackupRequest request;
        request.LogPath = "MYLOG.ULM";
        request.Drive = "E";
        request.Generations = generations;
        request.Now = now;
        return BackUpLogSafely(request);
    }
    std::vector<std::string> Folder(const std::string& path) {
        std::vector<std::string> names;
        FolderList(path.c_str(), &names);
        std::sort(names.begin(), names.end());
        return names;
    }
    // Generations 1..n of an older log content, each with its own bytes.
    void OldGenerations(int n) {
        ASSERT_TRUE(FolderCreate("E:ULMAR-BACKUP"));
        for (int i = 1; i <= n; ++i) {
            WriteBytes("E:ULMAR-BACKUP/" + GenerationFileName("MYLOG.ULM", i, UtcTime{2026, 1, i, 0, 0, 0}),
                       "old " + std::to_string(i));
        }
    }
    TempDir Dir;
    std::string Log;
    char Saved[4096] = {};
};

TEST_F(SafeBackup, FirstBackupWritesTheTargetAndGenerationOneBothEqualToTheLog) {
    BackupResult result = Run(10);
    ASSERT_TRUE(result.Ok) << result.Reason;
    EXPECT_EQ(result.Target, "E:MYLOG.ULM");
    EXPECT_EQ(result.Generation, "E:ULMAR-BACKUP/MYLOG-000001-20261207-194512Z.ULM");
    EXPECT_EQ(ReadBytes("E:MYLOG.ULM"), Log);
    EXPECT_EQ(ReadBytes(result.Generation), Log);
    EXPECT_EQ(Folder("E:ULMAR-BACKUP"), std::vector<std::string>{"MYLOG-000001-20261207-194512Z.ULM"});
    EXPECT_FALSE(FileExists("E:~ULMAR.TMP"));
    EXPECT_EQ(ReadBytes("MYLOG.ULM"), Log);
}

TEST_F(SafeBackup, SequenceIsOneHigherThanTheHighestOfThisLog) {
    ASSERT_TRUE(FolderCreate("E:ULMAR-BACKUP"));
    WriteBytes("E:ULMAR-BACKUP/MYLOG-000007-20261201-000000Z.ULM", "7");
    WriteBytes("E:ULMAR-BACKUP/MYLOG-000003-20261130-000000Z.ULM", "3");
    WriteBytes("E:ULMAR-BACKUP/NIGHT-000050-20261201-000000Z.LOG", "another log");
    BackupResult result = Run(10);
    ASSERT_TRUE(result.Ok) << result.Reason;
    EXPECT_EQ(result.Generation, "E:ULMAR-BACKUP/MYLOG-000008-20261207-194512Z.ULM");
    EXPECT_EQ(ReadBytes("E:ULMAR-BACKUP/MYLOG-000007-20261201-000000Z.ULM"), "7");
    EXPECT_EQ(ReadBytes("E:ULMAR-BACKUP/NIGHT-000050-20261201-000000Z.LOG"), "another log");
}

TEST_F(SafeBackup, OnlyTheNewestNRemainAndOtherFilesAreNotTouched) {
    OldGenerations(12);
    WriteBytes("E:ULMAR-BACKUP/NOTES.TXT", "mine");
    BackupResult result = Run(10);
    ASSERT_TRUE(result.Ok) << result.Reason;
    EXPECT_EQ(result.Removed, 3);
    std::vector<Generation> left = GenerationsOf(Folder("E:ULMAR-BACKUP"), "MYLOG.ULM");
    ASSERT_EQ(left.size(), 10u);
    EXPECT_EQ(left.front().Sequence, 13);
    EXPECT_EQ(left.back().Sequence, 4);
    EXPECT_EQ(ReadBytes("E:ULMAR-BACKUP/" + left[1].FileName), "old 12");
    EXPECT_EQ(ReadBytes("E:ULMAR-BACKUP/NOTES.TXT"), "mine");
}

TEST_F(SafeBackup, ClockSetBackStillKeepsTheNewestBySequence) {
    ASSERT_TRUE(FolderCreate("E:ULMAR-BACKUP"));
    WriteBytes("E:ULMAR-BACKUP/MYLOG-000005-20301231-235959Z.ULM", "from the future");
    BackupResult result = Run(1, UtcTime{2020, 1, 1, 0, 0, 0});
    ASSERT_TRUE(result.Ok) << result.Reason;
    EXPECT_EQ(Folder("E:ULMAR-BACKUP"), std::vector<std::string>{"MYLOG-000006-20200101-000000Z.ULM"});
    EXPECT_EQ(ReadBytes(result.Generation), Log);
    NewestGeneration newest = FindNewestGeneration("E", "C:\\Logs\\MYLOG.ULM");
    ASSERT_TRUE(newest.Found);
    EXPECT_EQ(newest.Newest.Sequence, 6);
    EXPECT_EQ(NewestGenerationLine(newest),
              "01-01-2020 00:00:00 UTC  E:ULMAR-BACKUP/MYLOG-000006-20200101-000000Z.ULM");
}

TEST_F(SafeBackup, NoneFoundWithoutAFolderOrGenerations) {
    EXPECT_EQ(NewestGenerationLine(FindNewestGeneration("E", "MYLOG.ULM")), "(none found)");
    ASSERT_TRUE(FolderCreate("E:ULMAR-BACKUP"));
    WriteBytes("E:ULMAR-BACKUP/~ULMAR.TMP", "stale");
    EXPECT_EQ(NewestGenerationLine(FindNewestGeneration("E", "MYLOG.ULM")), "(none found)");
    EXPECT_EQ(NewestGenerationLine(FindNewestGeneration("", "MYLOG.ULM")), "(none found)");
}

TEST_F(SafeBackup, NoneKeptWritesOnlyTheTargetStillVerifiedAndLeavesTheFolder) {
    OldGenerations(2);
    WriteBytes("E:MYLOG.ULM", "previous");
    BackupResult result = Run(0);
    ASSERT_TRUE(result.Ok) << result.Reason;
    EXPECT_EQ(result.Generation, "");
    EXPECT_EQ(ReadBytes("E:MYLOG.ULM"), Log);
    EXPECT_EQ(Folder("E:ULMAR-BACKUP").size(), 2u);
    BackupHookForTest.SpoilCopy = true;  // verified all the same
    WriteBytes("E:MYLOG.ULM", "previous");
    EXPECT_FALSE(Run(0).Ok);
    EXPECT_EQ(ReadBytes("E:MYLOG.ULM"), "previous");
}

TEST_F(SafeBackup, StaleTemporaryCopiesAreDeletedAndNeverAGeneration) {
    ASSERT_TRUE(FolderCreate("E:ULMAR-BACKUP"));
    WriteBytes("E:~ULMAR.TMP", std::string(5000, 's'));
    WriteBytes("E:ULMAR-BACKUP/~ULMAR.TMP", std::string(5000, 's'));
    BackupResult result = Run(10);
    ASSERT_TRUE(result.Ok) << result.Reason;
    EXPECT_FALSE(FileExists("E:~ULMAR.TMP"));
    EXPECT_EQ(Folder("E:ULMAR-BACKUP"), std::vector<std::string>{"MYLOG-000001-20261207-194512Z.ULM"});
}

ino_t FileNumber(const std::string& path) {
    struct stat info = {};
    return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// The new generation is a second name of the checked copy that became D:NAME;
// the next backup replaces D:NAME by a rename, so that generation keeps its bytes.
TEST_F(SafeBackup, GenerationSharesTheCheckedCopyAndKeepsItsBytesAfterTheNextBackup) {
    BackupResult first = Run(10);
    ASSERT_TRUE(first.Ok) << first.Reason;
    EXPECT_EQ(FileNumber(first.Generation), FileNumber("E:MYLOG.ULM"));
    std::string older = Log;
    Log += EntryBytes(MakeEntry("Radio Gamma"));
    WriteBytes("MYLOG.ULM", Log);
    BackupResult second = Run(10, UtcTime{2026, 12, 8, 0, 0, 0});
    ASSERT_TRUE(second.Ok) << second.Reason;
    EXPECT_EQ(ReadBytes(first.Generation), older);
    EXPECT_EQ(ReadBytes(second.Generation), Log);
    EXPECT_EQ(ReadBytes("E:MYLOG.ULM"), Log);
}

// FAT keeps no hard links: the generation is then a second copy, verified the same way.
TEST_F(SafeBackup, VolumeWithoutHardLinksGetsASecondVerifiedCopy) {
    BackupHookForTest.RefuseHardLink = true;
    BackupResult result = Run(10);
    ASSERT_TRUE(result.Ok) << result.Reason;
    EXPECT_EQ(ReadBytes(result.Generation), Log);
    EXPECT_EQ(ReadBytes("E:MYLOG.ULM"), Log);
    EXPECT_NE(FileNumber(result.Generation), FileNumber("E:MYLOG.ULM"));
    EXPECT_EQ(Folder("E:ULMAR-BACKUP"), std::vector<std::string>{"MYLOG-000001-20261207-194512Z.ULM"});
    EXPECT_FALSE(FileExists("E:~ULMAR.TMP"));
}

// The earlier D:NAME and generations, byte for byte, after a failed backup.
class FailedBackup : public SafeBackup {
  protected:
    void SetUp() override {
        SafeBackup::SetUp();
        OldGenerations(3);
        WriteBytes("E:MYLOG.ULM", "previous good copy");
    }
    void ExpectEarlierCopiesUnchanged() {
        EXPECT_EQ(ReadBytes("E:MYLOG.ULM"), "previous good copy");
        std::vector<std::string> names = Folder("E:ULMAR-BACKUP");
        ASSERT_EQ(names.size(), 3u);
        for (int i = 1; i <= 3; ++i) EXPECT_EQ(ReadBytes("E:ULMAR-BACKUP/" + names[i - 1]), "old " + std::to_string(i));
        EXPECT_FALSE(FileExists("E:~ULMAR.TMP"));
        EXPECT_FALSE(FileExists("E:ULMAR-BACKUP/~ULMAR.TMP"));
    }
};

TEST_F(FailedBackup, ChangedByteInTheCopyIsCaughtByTheComparison) {
    for (int64_t offset :
         {int64_t{0}, int64_t{114}, static_cast<int64_t>(Log.size()) - 1, static_cast<int64_t>(Log.size())}) {
        BackupHookForTest.SpoilCopy = true;
        BackupHookForTest.Offset = offset;
        BackupResult result = Run(10);
        EXPECT_FALSE(result.Ok) << offset;
        EXPECT_EQ(BackupFailureMessage(result),
                  "Log not backed up\r\n\r\n"
                  "The copy read back from the drive is not the same as the log. The drive may be failing.")
            << offset;
        ExpectEarlierCopiesUnchanged();
    }
    EXPECT_STREQ(kCaptionBackupFailed, "Corvane");
}

TEST_F(FailedBackup, MissingLogSaysSo) {
    ASSERT_EQ(std::remove("MYLOG.ULM"), 0);
    BackupResult result = Run(10);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Reason, "The log file MYLOG.ULM could not be read.");
    ExpectEarlierCopiesUnchanged();
}

TEST_F(FailedBackup, TargetHeldKeepsTheNewGenerationAndRemovesNothing) {
    OldGenerations(10);  // one more backup would remove one
    ASSERT_EQ(std::remove("E:MYLOG.ULM"), 0);
    ASSERT_EQ(mkdir("E:MYLOG.ULM", 0755), 0);  // cannot be replaced by a file
    WriteBytes("E:MYLOG.ULM/inside", "held");
    BackupResult result = Run(10);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Reason,
              "The checked copy could not take the place of E:MYLOG.ULM. The file may be in use by another "
              "program.\r\nThe dated copy E:ULMAR-BACKUP/MYLOG-000011-20261207-194512Z.ULM was made and kept; "
              "E:MYLOG.ULM still holds the earlier copy, and no older copy was removed.");
    EXPECT_EQ(ReadBytes("E:ULMAR-BACKUP/MYLOG-000011-20261207-194512Z.ULM"), Log);
    EXPECT_EQ(Folder("E:ULMAR-BACKUP").size(), 11u);
    EXPECT_EQ(ReadBytes("E:MYLOG.ULM/inside"), "held");
    EXPECT_FALSE(FileExists("E:~ULMAR.TMP"));
}

TEST_F(FailedBackup, GenerationFolderThatCannotBeMadeStopsBeforeTheTarget) {
    ASSERT_EQ(system("rm -rf E:ULMAR-BACKUP"), 0);
    WriteBytes("E:ULMAR-BACKUP", "a file where the folder should be");
    BackupResult result = Run(10);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Reason, "The folder E:ULMAR-BACKUP could not be made or read on the backup drive.");
    EXPECT_EQ(ReadBytes("E:MYLOG.ULM"), "previous good copy");
}

// A drive that fills part way: a file size limit in a child process.
TEST_F(FailedBackup, DriveFullPartWayLeavesEverythingAsItWas) {
    Log = std::string(300000, 'L');
    WriteBytes("MYLOG.ULM", Log);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {100000, 100000};
        setrlimit(RLIMIT_FSIZE, &limit);
        BackupResult result = Run(10);
        bool said = result.Reason == "The copy E:~ULMAR.TMP could not be written. The drive may be full.";
        _exit(!result.Ok && said ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ExpectEarlierCopiesUnchanged();
}

TEST_F(FailedBackup, NoDriveOrNoLogIsRefused) {
    BackupRequest request;
    request.LogPath = "MYLOG.ULM";
    EXPECT_EQ(BackUpLogSafely(request).Reason, "No backup drive or no log is set.");
    request.Drive = "E";
    request.LogPath = "";
    EXPECT_FALSE(BackUpLogSafely(request).Ok);
    ExpectEarlierCopiesUnchanged();
}

}  // namespace

namespace {

TEST_F(SafeBackup, TheRegisterGoesIntoTheSameGenerationAndBesideTheTarget) {
    WriteBytes("MYLOG.ULM.RRG", "register bytes");
    OldGenerations(3);
    WriteBytes("E:ULMAR-BACKUP/" + GenerationFileName("MYLOG.ULM", 1, UtcTime{2026, 1, 1, 0, 0, 0}) + ".RRG", "old");
    BackupResult result = Run(3);
    ASSERT_TRUE(result.Ok) << result.Reason;
    std::string generation = GenerationFileName("MYLOG.ULM", 4, kNow);
    EXPECT_EQ(ReadBytes("E:ULMAR-BACKUP/" + generation + ".RRG"), "register bytes");
    EXPECT_EQ(ReadBytes("E:MYLOG.ULM.RRG"), "register bytes");
    // Generation 1 went, and its register with it; the register copy is never taken for a generation.
    EXPECT_EQ(Folder("E:ULMAR-BACKUP"),
              (std::vector<std::string>{GenerationFileName("MYLOG.ULM", 2, UtcTime{2026, 1, 2, 0, 0, 0}),
                                        GenerationFileName("MYLOG.ULM", 3, UtcTime{2026, 1, 3, 0, 0, 0}), generation,
                                        generation + ".RRG"}));
    // A log whose register is gone leaves no stale copy beside the target.
    FileDelete("MYLOG.ULM.RRG");
    ASSERT_TRUE(Run(3).Ok);
    EXPECT_FALSE(FileExists("E:MYLOG.ULM.RRG"));
}

TEST_F(SafeBackup, ARegisterThatCannotBeCopiedFailsTheBackupAndKeepsTheEarlierCopy) {
    ASSERT_EQ(mkdir("MYLOG.ULM.RRG", 0700), 0);  // cannot be read as a file
    WriteBytes("E:MYLOG.ULM.RRG", "earlier register");
    BackupResult result = Run(0);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Reason,
              "The report register was not backed up. The log file MYLOG.ULM.RRG could not be read.\r\n"
              "The log itself was backed up.");
    EXPECT_EQ(ReadBytes("E:MYLOG.ULM.RRG"), "earlier register");
    EXPECT_EQ(ReadBytes("E:MYLOG.ULM"), Log);
}

}  // namespace
