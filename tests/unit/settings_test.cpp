#include "logstore/settings.h"

#include <gtest/gtest.h>

#include "platform/file.h"
#include "tests/unit/test_files.h"

namespace {

TEST(SettingsParse, PathAndEmptyDrive) {
    SettingsState s = ParseSettings("C:\\Logs\\MYLOG.ULM\r\n\r\n");
    EXPECT_EQ(s.LogPath, "C:\\Logs\\MYLOG.ULM");
    EXPECT_EQ(s.BackupDrive, "");
}

TEST(SettingsParse, QuotedPathKeepsItsComma) {
    SettingsState s = ParseSettings("  \"D:\\a,b.ULM\"\r\nA\r\n");
    EXPECT_EQ(s.LogPath, "D:\\a,b.ULM");
    EXPECT_EQ(s.BackupDrive, "A");
}

TEST(SettingsParse, UnquotedPathStopsAtComma) {
    SettingsState s = ParseSettings("D:\\a,b.ULM\r\nA\r\n");
    EXPECT_EQ(s.LogPath, "D:\\a");
    EXPECT_EQ(s.BackupDrive, "A");  // the rest of line 1 is skipped
}

TEST(SettingsParse, LeadingBlanksSkippedTabsDropped) {
    SettingsState s = ParseSettings("   MY\tLOG.ULM  \r\n B\r\n");
    EXPECT_EQ(s.LogPath, "MYLOG.ULM  ");
    EXPECT_EQ(s.BackupDrive, "B");
}

TEST(SettingsParse, OneLineGivesEmptyDriveAndEmptyFileGivesEmptyPath) {
    EXPECT_EQ(ParseSettings("MYLOG.ULM\r\n").BackupDrive, "");
    EXPECT_EQ(ParseSettings("MYLOG.ULM\r\n").LogPath, "MYLOG.ULM");
    SettingsState empty = ParseSettings("");
    EXPECT_EQ(empty.LogPath, "");
    EXPECT_EQ(empty.BackupDrive, "");
}

TEST(SettingsParse, Junk) {
    std::string binary;
    for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
    SettingsState b = ParseSettings(binary);
    EXPECT_LE(b.LogPath.size(), kMaxPathChars);

    SettingsState unclosed = ParseSettings("\"C:\\never closed\r\nA\r\n");
    EXPECT_EQ(unclosed.LogPath, "C:\\never closed\r\nA\r\n");
    EXPECT_EQ(unclosed.BackupDrive, "");

    std::string huge(10 * 1024 * 1024, 'x');
    SettingsState big = ParseSettings(huge + "\r\nA\r\n");
    EXPECT_EQ(big.LogPath, std::string(kMaxPathChars, 'x'));
    EXPECT_EQ(big.BackupDrive, "A");

    std::string longPath = "C:\\" + std::string(300, 'p') + ".ULM";
    EXPECT_EQ(ParseSettings(longPath + "\r\n\r\n").LogPath, longPath.substr(0, 259));
}

TEST(SettingsFormat, CrLfLinesAndQuotesOnlyForCommas) {
    EXPECT_EQ(FormatSettings({"MYLOG.ULM", ""}), "MYLOG.ULM\r\n\r\n");
    EXPECT_EQ(FormatSettings({"C:\\Logs\\A.ULM", "A"}), "C:\\Logs\\A.ULM\r\nA\r\n");
    std::string quoted = FormatSettings({"D:\\a,b.ULM", "B"});
    EXPECT_EQ(quoted, "\"D:\\a,b.ULM\"\r\nB\r\n");
    EXPECT_EQ(ParseSettings(quoted).LogPath, "D:\\a,b.ULM");
}

TEST(SettingsFile, MissingFileGivesDefaultsAndWriteReadsBack) {
    TempDir dir;
    std::string name = dir.Path("CURLOG.DTA");
    SettingsState defaults = ReadSettings(name.c_str());
    EXPECT_EQ(defaults.LogPath, "MYLOG.ULM");
    EXPECT_EQ(defaults.BackupDrive, "");
    ASSERT_TRUE(WriteSettings(name.c_str(), {"C:\\Logs\\NIGHT.LOG", "Q"}));
    EXPECT_EQ(ReadBytes(name), "C:\\Logs\\NIGHT.LOG\r\nQ\r\n");
    SettingsState back = ReadSettings(name.c_str());
    EXPECT_EQ(back.LogPath, "C:\\Logs\\NIGHT.LOG");
    EXPECT_EQ(back.BackupDrive, "Q");
}

TEST(SettingsFile, ExistingEmptyFileGivesNoLog) {
    TempDir dir;
    std::string name = dir.Path("CURLOG.DTA");
    WriteBytes(name, "");
    EXPECT_EQ(ReadSettings(name.c_str()).LogPath, "");
    EXPECT_FALSE(ReadSettings(name.c_str()).Unreadable);
}

TEST(SettingsFile, AFileHeldElsewhereIsMarkedUnreadable) {
    TempDir dir;
    std::string name = dir.Path("CURLOG.DTA");
    WriteBytes(name, "C:\\Logs\\NIGHT.LOG\r\nQ\r\n");
    EXPECT_FALSE(ReadSettings(name.c_str()).Unreadable);
    PlatformFile holder;
    ASSERT_TRUE(FileOpen(name.c_str(), FileAccess::ReadWrite, &holder));
    SettingsState held = ReadSettings(name.c_str());
    FileClose(&holder);
    EXPECT_TRUE(held.Unreadable);
    EXPECT_EQ(held.LogPath, "");
    EXPECT_EQ(held.BackupDrive, "");
    EXPECT_FALSE(ReadSettings(name.c_str()).Unreadable);
    EXPECT_EQ(ReadBytes(name), "C:\\Logs\\NIGHT.LOG\r\nQ\r\n");
}

}  // namespace
