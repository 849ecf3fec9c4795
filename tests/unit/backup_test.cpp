#include "app/backup_copy.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/unit/test_files.h"

namespace {

TEST(BackupTarget, FileNameAfterLastBackslash) {
    EXPECT_EQ(BackupTarget("A", "C:\\Logs\\MYLOG.ULM"), "A:MYLOG.ULM");
    EXPECT_EQ(BackupTarget("Q", "Z:\\a\\b\\c\\NIGHT.LOG"), "Q:NIGHT.LOG");
    EXPECT_EQ(BackupTarget("E", "\\\\server\\share\\DX.ULM"), "E:DX.ULM");
}

TEST(BackupTarget, PathWithoutSeparatorIsUsedWhole) {
    EXPECT_EQ(BackupTarget("A", "MYLOG.ULM"), "A:MYLOG.ULM");
    EXPECT_EQ(BackupTarget("A", ""), "A:");
}

// The path is split as the Open dialog's names are: at '\', '/' and ':'.
TEST(BackupTarget, DriveColonAndSlashEndTheFolderToo) {
    EXPECT_EQ(BackupTarget("B", "C:OLD.ULM"), "B:OLD.ULM");
    EXPECT_EQ(BackupTarget("B", "logs/NIGHT.LOG"), "B:NIGHT.LOG");
    EXPECT_EQ(BackupTarget("B", "Z:\\dx/old\\DX.ULM"), "B:DX.ULM");
    EXPECT_EQ(BackupTarget("B", "Z:\\dx\\old/DX.ULM"), "B:DX.ULM");
}

TEST(BackupTarget, DriveTextIsTakenAsItIs) {
    EXPECT_EQ(BackupTarget("", "C:\\Logs\\MYLOG.ULM"), ":MYLOG.ULM");
    EXPECT_EQ(BackupTarget("AB", "C:\\Logs\\MYLOG.ULM"), "AB:MYLOG.ULM");
}

TEST(BackupTarget, TrailingBackslashGivesAnEmptyName) {
    EXPECT_EQ(BackupTarget("A", "C:\\Logs\\"), "A:");
}

// Runs the copy with the working folder in a fresh temporary folder, where
// "A:MYLOG.ULM" is an ordinary file name on this system.
class BackupCopy : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(getcwd(saved_, sizeof saved_), nullptr);
        ASSERT_EQ(chdir(dir_.root.c_str()), 0);
    }
    void TearDown() override {
        CloseLog(log_);
        ASSERT_EQ(chdir(saved_), 0);
    }
    TempDir dir_;
    LogStore log_;
    char saved_[4096] = {};
};

TEST_F(BackupCopy, ClosesTheOpenLogAndCopiesItsExactBytes) {
    std::string bytes = EntryBytes(MakeEntry("Radio Alpha")) + EntryBytes(MakeEntry("Radio Beta"));
    bytes += "\x00\xff\r\n"  // a partial record is copied too
             "x";
    WriteBytes(dir_.Path("MYLOG.ULM"), bytes);
    ASSERT_TRUE(OpenLog(log_, "MYLOG.ULM"));

    EXPECT_TRUE(CopyLogToBackup(log_, "MYLOG.ULM", "A"));
    EXPECT_FALSE(IsLogOpen(log_));
    EXPECT_EQ(ReadBytes(dir_.Path("A:MYLOG.ULM")), bytes);
    EXPECT_EQ(ReadBytes(dir_.Path("MYLOG.ULM")), bytes);
}

TEST_F(BackupCopy, ReplacesAnOlderLongerCopy) {
    std::string bytes = EntryBytes(MakeEntry("Radio Gamma"));
    WriteBytes(dir_.Path("MYLOG.ULM"), bytes);
    WriteBytes(dir_.Path("B:MYLOG.ULM"), std::string(1000, 'z'));
    ASSERT_TRUE(OpenLog(log_, "MYLOG.ULM"));

    EXPECT_TRUE(CopyLogToBackup(log_, "MYLOG.ULM", "B"));
    EXPECT_EQ(ReadBytes(dir_.Path("B:MYLOG.ULM")), bytes);
}

TEST_F(BackupCopy, EmptyLogGivesEmptyCopy) {
    ASSERT_TRUE(OpenLog(log_, "EMPTY.ULM"));
    EXPECT_TRUE(CopyLogToBackup(log_, "EMPTY.ULM", "C"));
    EXPECT_TRUE(FileExists(dir_.Path("C:EMPTY.ULM").c_str()));
    EXPECT_EQ(ReadBytes(dir_.Path("C:EMPTY.ULM")), "");
}

TEST_F(BackupCopy, MissingSourceFailsAndLeavesTheOldCopy) {
    WriteBytes(dir_.Path("A:GONE.ULM"), "old copy");
    EXPECT_FALSE(CopyLogToBackup(log_, "GONE.ULM", "A"));
    EXPECT_EQ(ReadBytes(dir_.Path("A:GONE.ULM")), "old copy");
    EXPECT_FALSE(FileExists(dir_.Path("GONE.ULM").c_str()));
}

TEST_F(BackupCopy, UnwritableTargetFails) {
    WriteBytes(dir_.Path("MYLOG.ULM"), EntryBytes(MakeEntry("Radio Delta")));
    ASSERT_EQ(mkdir(dir_.Path("D:MYLOG.ULM").c_str(), 0755), 0);  // a folder stands where the copy should go
    EXPECT_FALSE(CopyLogToBackup(log_, "MYLOG.ULM", "D"));
}

}  // namespace
