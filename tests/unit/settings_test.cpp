#include "settings/settings_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

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
    EXPECT_EQ(FormatSettings({"MYLOG.ULM", "", "", 10}), "MYLOG.ULM\r\n\r\n\r\n10\r\n\r\n");
    EXPECT_EQ(FormatSettings({"C:\\Logs\\A.ULM", "A", "C:\\S.TXT", 0}),
              "C:\\Logs\\A.ULM\r\nA\r\nC:\\S.TXT\r\n0\r\n\r\n");
    std::string quoted = FormatSettings({"D:\\a,b.ULM", "B", "D:\\s,t.TXT", 99});
    EXPECT_EQ(quoted, "\"D:\\a,b.ULM\"\r\nB\r\n\"D:\\s,t.TXT\"\r\n99\r\n\r\n");
    SettingsState back = ParseSettings(quoted);
    EXPECT_EQ(back.LogPath, "D:\\a,b.ULM");
    EXPECT_EQ(back.SchedulePath, "D:\\s,t.TXT");
    EXPECT_EQ(back.BackupGenerations, 99);
}

TEST(SettingsFormat, ImpossibleCountIsWrittenAsTheDefault) {
    EXPECT_EQ(FormatSettings({"L.ULM", "A", "", 100}), "L.ULM\r\nA\r\n\r\n10\r\n\r\n");
    EXPECT_EQ(FormatSettings({"L.ULM", "A", "", -1}), "L.ULM\r\nA\r\n\r\n10\r\n\r\n");
}

TEST(SettingsLines, TwoLineFileReadsAsBeforeWithNoScheduleAndTenBackups) {
    SettingsState s = ParseSettings("C:\\Logs\\MYLOG.ULM\r\nE\r\n");
    EXPECT_EQ(s.LogPath, "C:\\Logs\\MYLOG.ULM");
    EXPECT_EQ(s.BackupDrive, "E");
    EXPECT_EQ(s.SchedulePath, "");
    EXPECT_EQ(s.BackupGenerations, 10);
}

TEST(SettingsLines, ThirdLineIsTheScheduleAndFourthTheCount) {
    SettingsState s = ParseSettings("L.ULM\r\nE\r\nC:\\Sched\\A.TXT\r\n3\r\n");
    EXPECT_EQ(s.LogPath, "L.ULM");
    EXPECT_EQ(s.BackupDrive, "E");
    EXPECT_EQ(s.SchedulePath, "C:\\Sched\\A.TXT");
    EXPECT_EQ(s.BackupGenerations, 3);
    SettingsState noSchedule = ParseSettings("L.ULM\r\nE\r\n\r\n0\r\n");
    EXPECT_EQ(noSchedule.SchedulePath, "");
    EXPECT_EQ(noSchedule.BackupGenerations, 0);
    EXPECT_EQ(ParseSettings("L.ULM\r\nE\r\nS.TXT\r\n").BackupGenerations, 10);  // three lines
}

TEST(SettingsLines, InvalidCountMeansTen) {
    for (const char* fourth : {"", "100", "-1", "+5", "1 2", "x", "7a", "\"\"", "999999999999"}) {
        std::string bytes = std::string("L.ULM\r\nE\r\n\r\n") + fourth + "\r\n";
        EXPECT_EQ(ParseSettings(bytes).BackupGenerations, 10) << fourth;
    }
    EXPECT_EQ(ParseSettings("L.ULM\r\nE\r\n\r\n  42  \r\n").BackupGenerations, 10);  // trailing blanks are not digits
    EXPECT_EQ(ParseSettings("L.ULM\r\nE\r\n\r\n  42\r\n").BackupGenerations, 42);    // leading blanks are skipped
    EXPECT_EQ(ParseSettings("L.ULM\r\nE\r\n\r\n05\r\n").BackupGenerations, 5);
    EXPECT_EQ(ParseSettings("L.ULM\r\nE\r\n\r\n007\r\n").BackupGenerations, 7);
}

TEST(SettingsLines, CountDigitsOnlyZeroToNinetyNine) {
    int n = 7;
    EXPECT_TRUE(ParseGenerationCount("0", &n));
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(ParseGenerationCount("99", &n));
    EXPECT_EQ(n, 99);
    for (const char* bad : {"", "100", " 1", "1 ", "-0", "1.5", "\xb9"}) {
        n = 7;
        EXPECT_FALSE(ParseGenerationCount(bad, &n)) << bad;
        EXPECT_EQ(n, 7) << bad;  // untouched, so a caller keeps its previous value
    }
}

TEST(SettingsFile, MissingFileGivesDefaultsAndWriteReadsBack) {
    TempDir dir;
    std::string name = dir.Path("CURLOG.DTA");
    SettingsState defaults = ReadSettings(name.c_str());
    EXPECT_EQ(defaults.LogPath, "MYLOG.ULM");
    EXPECT_EQ(defaults.BackupDrive, "");
    EXPECT_EQ(defaults.SchedulePath, "");
    EXPECT_EQ(defaults.BackupGenerations, 10);
    ASSERT_TRUE(WriteSettings(name.c_str(), {"C:\\Logs\\NIGHT.LOG", "Q", "", 4}));
    EXPECT_EQ(ReadBytes(name), "C:\\Logs\\NIGHT.LOG\r\nQ\r\n\r\n4\r\n\r\n");
    EXPECT_FALSE(FileExists(SettingsTemporaryName(name.c_str()).c_str()));
    SettingsState back = ReadSettings(name.c_str());
    EXPECT_EQ(back.LogPath, "C:\\Logs\\NIGHT.LOG");
    EXPECT_EQ(back.BackupDrive, "Q");
    EXPECT_EQ(back.BackupGenerations, 4);
    ASSERT_TRUE(WriteSettings(name.c_str(), {"MYLOG.ULM", "", "", 10}));  // a shorter file replaces a longer one
    EXPECT_EQ(ReadBytes(name), "MYLOG.ULM\r\n\r\n\r\n10\r\n\r\n");
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

// Files written by this process may grow to `bytes` and no further, as on a
// disk that is full; the signal such a write raises is ignored, so the write
// fails as it does on a full disk.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &Saved);
        PreviousSignal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = Saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &Saved);
        std::signal(SIGXFSZ, PreviousSignal);
    }
    rlimit Saved{};
    void (*PreviousSignal)(int) = nullptr;
};

TEST(SettingsFile, AWriteThatFailsPartWayLeavesTheOldFileWhole) {
    TempDir dir;
    std::string name = dir.Path("CURLOG.DTA");
    const std::string old = "C:\\Logs\\NIGHT.LOG\r\nQ\r\n\r\n4\r\n";
    WriteBytes(name, old);
    bool written = true;
    {
        FileSizeLimit fullDisk(8);
        written = WriteSettings(name.c_str(), {"C:\\Logs\\ANOTHER.ULM", "R", "", 5});
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(name), old);
    EXPECT_FALSE(FileExists(SettingsTemporaryName(name.c_str()).c_str()));
}

}  // namespace

namespace {

TEST(SettingsReceiver, FifthLineIsHostColonPortAndOlderFilesHaveNone) {
    const struct {
        const char* Bytes;
        const char* Host;
        int Port;
    } cases[] = {
        {"L.ULM\r\nE\r\n\r\n10\r\n127.0.0.1:4532\r\n", "127.0.0.1", 4532},
        {"L.ULM\r\nE\r\n\r\n10\r\nshack-pc:7356\r\n", "shack-pc", 7356},
        {"L.ULM\r\nE\r\n\r\n10\r\nrig:65535", "rig", 65535},  // no line end
        {"L.ULM\r\nE\r\n\r\n10\r\nrig:\r\n", "", 4532},       // a port is written with the host
        {"L.ULM\r\nE\r\n\r\n10\r\n\r\n", "", 4532},           // none
        {"L.ULM\r\nE\r\n\r\n10\r\n", "", 4532},               // four lines, as before
        {"L.ULM\r\nE\r\n", "", 4532},                         // two lines
        {"L.ULM\r\nE\r\n\r\n10\r\nrig:0\r\n", "", 4532},
        {"L.ULM\r\nE\r\n\r\n10\r\nrig:65536\r\n", "", 4532},
        {"L.ULM\r\nE\r\n\r\n10\r\nrig:-1\r\n", "", 4532},
        {"L.ULM\r\nE\r\n\r\n10\r\n:4532\r\n", "", 4532},
        {"L.ULM\r\nE\r\n\r\n10\r\nrig 1:4532\r\n", "", 4532},
        {"L.ULM\r\nE\r\n\r\n10\r\nrig\x01:4532\r\n", "", 4532},
        {"L.ULM\r\nE\r\n\r\n10\r\n4532\r\n", "", 4532},
    };
    for (const auto& c : cases) {
        SettingsState s = ParseSettings(c.Bytes);
        EXPECT_EQ(s.ReceiverHost, c.Host) << c.Bytes;
        EXPECT_EQ(s.ReceiverPort, c.Port) << c.Bytes;
        EXPECT_EQ(s.LogPath, "L.ULM") << c.Bytes;
        EXPECT_EQ(s.BackupDrive, "E") << c.Bytes;
    }
    std::string longHost(kMaxHostChars + 1, 'h');
    EXPECT_EQ(ParseSettings("L\r\n\r\n\r\n10\r\n" + longHost + ":1\r\n").ReceiverHost, "");
    longHost.pop_back();
    EXPECT_EQ(ParseSettings("L\r\n\r\n\r\n10\r\n" + longHost + ":1\r\n").ReceiverHost, longHost);
}

TEST(SettingsReceiver, WrittenAsTheFifthLineAndReadBack) {
    SettingsState s = {"L.ULM", "Q", "S.CSV", 4};
    s.ReceiverHost = "192.168.1.20";
    s.ReceiverPort = 7356;
    std::string bytes = FormatSettings(s);
    EXPECT_EQ(bytes, "L.ULM\r\nQ\r\nS.CSV\r\n4\r\n192.168.1.20:7356\r\n");
    SettingsState back = ParseSettings(bytes);
    EXPECT_EQ(back.ReceiverHost, "192.168.1.20");
    EXPECT_EQ(back.ReceiverPort, 7356);
    EXPECT_EQ(back.BackupGenerations, 4);
    TempDir dir;
    std::string name = dir.Path("CURLOG.DTA");
    ASSERT_TRUE(WriteSettings(name.c_str(), s));
    EXPECT_EQ(ReadBytes(name), bytes);
    EXPECT_EQ(ReadSettings(name.c_str()).ReceiverPort, 7356);
}

TEST(SettingsReceiver, PortTextsOneTo65535OrEmptyForTheDefault) {
    const struct {
        const char* Text;
        bool Valid;
        int Port;
    } cases[] = {{"", true, 4532},      {"1", true, 1},      {"7356", true, 7356}, {"65535", true, 65535},
                 {"04532", true, 4532}, {"0", false, 0},     {"65536", false, 0},  {"99999999999", false, 0},
                 {"-1", false, 0},      {" 4532", false, 0}, {"45a", false, 0},    {"+1", false, 0}};
    for (const auto& c : cases) {
        int port = -3;
        EXPECT_EQ(ParseReceiverPort(c.Text, &port), c.Valid) << c.Text;
        EXPECT_EQ(port, c.Valid ? c.Port : -3) << c.Text << " changed the port it refused";
    }
}

}  // namespace
