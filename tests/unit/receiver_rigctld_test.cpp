// The receiver link against Debian's real rigctld, through the POSIX client:
// the same protocol core and TCP client the program runs.
#include <gtest/gtest.h>

#include <functional>

#include "platform/tcp_client.h"
#include "receiver/receiver_link.h"
#include "receiver/receiver_status.h"
#include "tests/unit/rigctld_daemon.h"

namespace {

// Pumps the link until `done` holds; false if it never does within a bound
// far beyond any healthy run, so a broken link fails instead of hanging.
bool PumpUntil(ReceiverLinkState* link, const std::function<bool()>& done) {
    int64_t giveUp = ReceiverClockNow() + 60000;
    while (!done()) {
        if (ReceiverClockNow() > giveUp) return false;
        PumpReceiver(link, ReceiverClockNow());
        TcpWait(link->Client, 10);
    }
    return true;
}

class RigctldLink : public ::testing::Test {
  protected:
    void SetUp() override {
        Port = FreeLocalPort();
        Daemon = StartRigctld(Port);
        ASSERT_GT(Daemon, 0) << "rigctld did not start (is libhamlib-utils installed?)";
    }
    void TearDown() override {
        TcpClose(&Link.Client);
        StopDaemon(Daemon);
    }
    int Port = 0;
    pid_t Daemon = -1;
    ReceiverLinkState Link;
};

TEST_F(RigctldLink, ReadsTheDummysFrequencyAndModeAndFollowsChanges) {
    RetargetReceiver(&Link, "127.0.0.1", Port, ReceiverClockNow());
    ASSERT_TRUE(PumpUntil(&Link, [&] { return !Link.Protocol.Mode.empty(); })) << ReceiverStatus(Link);
    EXPECT_EQ(Link.Protocol.Hertz, 145000000);
    EXPECT_EQ(ReceiverStatus(Link), "145000 kHz FM");
    const char* tunings[][2] = {
        {"F 9410000\n", "9410 kHz FM"}, {"F 6009600\n", "6010 kHz FM"}, {"F 15770400.6\n", "15770 kHz FM"}};
    for (const auto& tuning : tunings) {
        ASSERT_EQ(AskDaemon(Port, tuning[0]), "RPRT 0");
        ASSERT_TRUE(PumpUntil(&Link, [&] { return ReceiverStatus(Link) == tuning[1]; })) << ReceiverStatus(Link);
    }
    EXPECT_EQ(Link.Protocol.Hertz, 15770400) << "the daemon keeps whole Hz";
    ASSERT_EQ(AskDaemon(Port, "M AM 10000\n"), "RPRT 0");
    ASSERT_TRUE(PumpUntil(&Link, [&] { return Link.Protocol.Mode == "AM"; }));
}

TEST_F(RigctldLink, TuneReachesTheDaemon) {
    RetargetReceiver(&Link, "127.0.0.1", Port, ReceiverClockNow());
    ASSERT_TRUE(PumpUntil(&Link, [&] { return Link.Protocol.HasFrequency; }));
    TuneReceiver(&Link, 9650000, ReceiverClockNow());
    ASSERT_TRUE(PumpUntil(&Link, [&] { return Link.Protocol.TunesAnswered == 1; }));
    EXPECT_FALSE(Link.Protocol.LastTuneRefused);
    EXPECT_EQ(AskDaemon(Port, "f\n"), "9650000");
    ASSERT_TRUE(PumpUntil(&Link, [&] { return Link.Protocol.Hertz == 9650000; }));
}

TEST_F(RigctldLink, ReconnectsByItselfWhenTheDaemonIsStartedAgain) {
    RetargetReceiver(&Link, "127.0.0.1", Port, ReceiverClockNow());
    ASSERT_TRUE(PumpUntil(&Link, [&] { return Link.Protocol.HasFrequency; }));
    ASSERT_EQ(AskDaemon(Port, "F 9410000\n"), "RPRT 0");
    ASSERT_TRUE(PumpUntil(&Link, [&] { return Link.Protocol.Hertz == 9410000; }));
    StopDaemon(Daemon);
    ASSERT_TRUE(PumpUntil(&Link, [&] { return Link.Protocol.Phase == LinkPhase::Waiting; }));
    std::string lost = ReceiverStatus(Link);
    EXPECT_NE(lost.find("; trying again"), std::string::npos) << lost;
    Daemon = StartRigctld(Port);
    ASSERT_GT(Daemon, 0);
    // A restarted dummy is back at 145 MHz.
    ASSERT_TRUE(PumpUntil(&Link, [&] { return Link.Protocol.Hertz == 145000000; })) << ReceiverStatus(Link);
    EXPECT_EQ(Link.Protocol.Phase, LinkPhase::Connected);
}

TEST(ReceiverLinkRefused, NoDaemonSaysConnectionRefusedAndRetries) {
    int port = FreeLocalPort();
    ReceiverLinkState link;
    RetargetReceiver(&link, "127.0.0.1", port, ReceiverClockNow());
    ASSERT_TRUE(PumpUntil(&link, [&] { return link.Protocol.Phase == LinkPhase::Waiting; }));
    EXPECT_EQ(ReceiverStatus(link), "connection refused; trying again");
    EXPECT_EQ(link.Protocol.RetryDelay, 2 * kFirstRetryMs);
    RetargetReceiver(&link, "", port, ReceiverClockNow());
    EXPECT_EQ(ReceiverStatus(link), "no receiver set");
}

TEST(ReceiverLinkRefused, UnknownHostSaysSo) {
    ReceiverLinkState link;
    RetargetReceiver(&link, "no-such-host.invalid", 4532, ReceiverClockNow());
    ASSERT_TRUE(PumpUntil(&link, [&] { return link.Protocol.Phase == LinkPhase::Waiting; }));
    EXPECT_EQ(ReceiverStatus(link), "host not found; trying again");
}

}  // namespace
