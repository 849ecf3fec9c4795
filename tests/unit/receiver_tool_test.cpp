// ulmar-schedule --receiver: the frequency asked once of the real rigctld,
// and the reasons it gives up within 3 s.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "tests/unit/rigctld_daemon.h"
#include "tests/unit/schedule_lines.h"
#include "tests/unit/test_files.h"
#include "tests/unit/tool_run.h"

namespace {

// On air every day, all day, so the current minute finds them.
const std::string kAllDay = "9410;0000-2400;;G;All Day;E;Eu;;;;";
const std::string kNear = "9412;0000-2400;;F;Near By;F;Af;;;;";
const std::string kOther = "6010;0000-2400;;D;Other;D;Eu;;;;";

TEST(ReceiverTool, ListsWhatIsOnAirOnTheReceiversWholeKhz) {
    TempDir dir;
    WriteBytes(dir.Path("sked.csv"), SkedFile({kOther, kNear, kAllDay}, "\r\n"));
    int port = FreeLocalPort();
    pid_t daemon = StartRigctld(port);
    ASSERT_GT(daemon, 0);
    std::string address = "127.0.0.1:" + std::to_string(port);
    ASSERT_EQ(AskDaemon(port, "F 9409600\n"), "RPRT 0");  // 9409.6 kHz is 9410
    ToolRun exact = RunScheduleTool(dir, {dir.Path("sked.csv"), "--receiver", address});
    ToolRun near = RunScheduleTool(dir, {"--within", "2", dir.Path("sked.csv"), "--receiver", address});
    ASSERT_EQ(AskDaemon(port, "F 6010000\n"), "RPRT 0");
    ToolRun other = RunScheduleTool(dir, {dir.Path("sked.csv"), "--receiver", address});
    StopDaemon(daemon);
    EXPECT_EQ(exact.Status, 0) << exact.Error;
    EXPECT_EQ(exact.Output, kAllDay + "\n");
    EXPECT_EQ(exact.Error, "");
    EXPECT_EQ(near.Output, kAllDay + "\n" + kNear + "\n");
    EXPECT_EQ(other.Output, kOther + "\n");
}

// A listener that never accepts: the connect completes in the kernel's queue
// and no reply ever comes.
struct SilentListener {
    SilentListener() {
        Fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(Fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(Fd, 4);
        socklen_t length = sizeof address;
        getsockname(Fd, reinterpret_cast<sockaddr*>(&address), &length);
        Port = ntohs(address.sin_port);
    }
    ~SilentListener() { close(Fd); }
    int Fd = -1;
    int Port = 0;
};

TEST(ReceiverTool, AReceiverNotReachedIsNamedOnStandardErrorExitOne) {
    TempDir dir;
    WriteBytes(dir.Path("sked.csv"), SkedFile({kAllDay}, "\n"));
    int refusedPort = FreeLocalPort();
    ToolRun refused =
        RunScheduleTool(dir, {dir.Path("sked.csv"), "--receiver", "127.0.0.1:" + std::to_string(refusedPort)});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_EQ(refused.Output, "");
    EXPECT_EQ(refused.Error,
              "ulmar-schedule: receiver 127.0.0.1:" + std::to_string(refusedPort) + ": connection refused\n");
    SilentListener silent;
    std::string silentAddress = "127.0.0.1:" + std::to_string(silent.Port);
    ToolRun silence = RunScheduleTool(dir, {dir.Path("sked.csv"), "--receiver", silentAddress});
    EXPECT_EQ(silence.Status, 1);
    EXPECT_EQ(silence.Error, "ulmar-schedule: receiver " + silentAddress + ": no answer\n");
    ToolRun unknown = RunScheduleTool(dir, {dir.Path("sked.csv"), "--receiver", "no-such-host.invalid:4532"});
    EXPECT_EQ(unknown.Status, 1);
    EXPECT_EQ(unknown.Error, "ulmar-schedule: receiver no-such-host.invalid:4532: host not found\n");
    ToolRun unreadable = RunScheduleTool(dir, {dir.Path("none.csv"), "--receiver", silentAddress});
    EXPECT_EQ(unreadable.Status, 1);
    EXPECT_EQ(unreadable.Error.rfind("ulmar-schedule: cannot read ", 0), 0u) << "the file is read first";
}

TEST(ReceiverTool, BadReceiverArgumentsGiveTheUsageExitTwo) {
    TempDir dir;
    WriteBytes(dir.Path("sked.csv"), SkedFile({kAllDay}, "\n"));
    const std::vector<std::string> bad[] = {
        {dir.Path("sked.csv"), "--receiver", "localhost"},
        {dir.Path("sked.csv"), "--receiver", "localhost:0"},
        {dir.Path("sked.csv"), "--receiver", ":4532"},
        {dir.Path("sked.csv"), "--receiver"},
        {"--within", "x", dir.Path("sked.csv"), "--receiver", "localhost:4532"},
    };
    for (const auto& args : bad) {
        ToolRun run = RunScheduleTool(dir, args);
        EXPECT_EQ(run.Status, 2) << args.back();
        EXPECT_NE(run.Error.find("--receiver HOST:PORT"), std::string::npos) << args.back();
    }
}

}  // namespace
