// The register's replacement under a full disk and under kills: the file on
// the disk is always a whole register, the old one or the new one.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

#include <string>

#include "logstore/log_change.h"
#include "reports/register.h"
#include "reports/register_file.h"
#include "tests/unit/test_files.h"

namespace {

struct KillLog {
    KillLog() {
        std::string bytes;
        for (int n = 1; n <= 50; ++n) bytes += EntryBytes(MakeEntry("Station " + std::to_string(n)));
        WriteBytes(Path(), bytes);
        OpenLog(Log, Path());
        OpenRegister(Reg, Log);
    }
    ~KillLog() { CloseLog(Log); }
    std::string Path() const { return Dir.Path("MYLOG.ULM"); }
    // Rows on every entry, each with a long note that makes the file large.
    void Fill(char mark) {
        for (int32_t entry = 1; entry <= 50; ++entry) {
            RegisterRow row;
            row.Sinpo = "45444";
            row.Details = std::string(1900, mark);
            ASSERT_TRUE(StoreRow(Reg, Log, entry, row));
        }
    }
    TempDir Dir;
    LogStore Log;
    ReportRegister Reg;
};

// The marks of the details in the register file; "" when it cannot be read.
std::string MarksOnDisk(const std::string& path) {
    RegisterContent content;
    std::string why;
    if (ReadRegisterFile(path, &content, &why) != RegisterRead::Read) return "";
    std::string marks;
    for (const RegisterRow& row : content.Rows) marks += row.Details.empty() ? '-' : row.Details[0];
    return marks;
}

TEST(RegisterReplacement, AFullDiskLeavesTheOldRegisterAndTheRowsAsTheyWere) {
    KillLog k;
    k.Fill('a');
    std::string before = ReadBytes(RegisterPath(k.Path()));
    ASSERT_GT(before.size(), 50000u);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {50000, 50000};  // the new file cannot be written whole
        setrlimit(RLIMIT_FSIZE, &limit);
        RegisterRow row;
        row.Sinpo = "11111";
        bool stored = StoreRow(k.Reg, k.Log, 7, row);
        bool kept = k.Reg.Rows[6].Sinpo == "45444" && k.Reg.Rows[6].Details == std::string(1900, 'a');
        _exit(!stored && kept ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the store was refused and the row kept";
    EXPECT_EQ(ReadBytes(RegisterPath(k.Path())), before);
    EXPECT_FALSE(FileExists(RegisterTemporaryPath(k.Path()).c_str()));
}

TEST(RegisterReplacement, AKillAtAnyMomentLeavesTheOldOrTheNewRegister) {
    KillLog k;
    k.Fill('a');
    for (int round = 0; round < 40; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            k.Fill('b');  // row by row, each store one replacement of the file
            _exit(0);
        }
        usleep(static_cast<useconds_t>(200 + round * 150));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        // Whole rows only: the first rows stored anew, the rest as they were.
        std::string marks = MarksOnDisk(RegisterPath(k.Path()));
        size_t stored = marks.find_first_not_of('b');
        if (stored == std::string::npos) stored = marks.size();
        EXPECT_EQ(marks, std::string(stored, 'b') + std::string(50 - stored, 'a')) << "round " << round;
        OpenRegister(k.Reg, k.Log);  // as the next start finds it
        ASSERT_FALSE(k.Reg.Unreadable);
        k.Fill('a');  // the old register again for the next round
    }
}

}  // namespace
