// The receiver link against scripted servers: the SDR programs' variants and
// hostile servers. Whatever they send, the link never shows a frequency the
// server did not report, never stops, and says what happened.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/tcp_client.h"
#include "receiver/receiver_link.h"
#include "tests/unit/scripted_server.h"

namespace {

bool PumpUntil(ReceiverLinkState* link, const std::function<bool()>& done) {
    int64_t giveUp = ReceiverClockNow() + 60000;
    while (!done()) {
        if (ReceiverClockNow() > giveUp) return false;
        PumpReceiver(link, ReceiverClockNow());
        TcpWait(link->Client, 10);
    }
    return true;
}

// A server that answers f with `frequency`, m with `mode` and F with `tune`.
std::function<ScriptedReply(const std::string&)> Answers(std::string frequency, std::string mode,
                                                         std::string tune = "RPRT 0\n") {
    return [=](const std::string& line) {
        if (line == "f") return ScriptedReply{frequency};
        if (line == "m") return ScriptedReply{mode};
        if (line.rfind("F ", 0) == 0) return ScriptedReply{tune};
        return ScriptedReply{"RPRT 1\n"};  // as gqrx answers an unknown command
    };
}

struct Outcome {
    bool Shown;
    int64_t Hertz;
    std::string Status;
};

// Follows the server until its status is `status` (or it is the start of
// one, for a text that goes on); what was shown then.
Outcome FollowUntil(int port, const std::string& status) {
    ReceiverLinkState link;
    RetargetReceiver(&link, "127.0.0.1", port, ReceiverClockNow());
    PumpUntil(&link, [&] { return ReceiverStatus(link).rfind(status, 0) == 0; });
    Outcome outcome = {link.Protocol.HasFrequency, link.Protocol.Hertz, ReceiverStatus(link)};
    TcpClose(&link.Client);
    return outcome;
}

struct HostileCase {
    const char* Name;
    std::function<ScriptedReply(const std::string&)> Script;
    const char* Status;  // what the status line comes to say
    bool Shown;          // a frequency is shown ...
    int64_t Hertz;       // ... and it is this one
};

TEST(ReceiverHostile, VariantsAndHostileServers) {
    std::string megabyte(1 << 20, '9');
    int lateReplies = 0;
    const HostileCase cases[] = {
        {"one-line m (SDRangel)", Answers("9410000\n", "AM 10000\n"), "9410 kHz AM", true, 9410000},
        {"mode line alone", Answers("9410000\n", "USB\n"), "9410 kHz USB", true, 9410000},
        {"double replies", Answers("9410000\n9410000\n", "AM\n10000\n"), "unexpected reply; trying again", true,
         9410000},
        {"never answers", [](const std::string&) { return ScriptedReply{}; }, "no answer; trying again", false, 0},
        {"garbage", [](const std::string&) { return ScriptedReply{"\x01\xfe<html>oops\n"}; },
         "unexpected reply; trying again", false, 0},
        {"a megabyte without LF", [&](const std::string&) { return ScriptedReply{megabyte}; },
         "reply line too long; trying again", false, 0},
        {"close in the middle of a line",
         [](const std::string&) {
             return ScriptedReply{"94100", true};
         },
         "connection closed; trying again", false, 0},
        {"frequency 0", Answers("0\n", "AM\n10000\n"), "not a frequency: 0 Hz", false, 0},
        {"negative frequency", Answers("-9410000\n", "AM\n10000\n"), "not a frequency: -9410000 Hz", false, 0},
        {"decimals", Answers("9409500.5\n", "AM\n10000\n"), "9410 kHz AM", true, 9409501},
        {"10^12 as digits", Answers("1000000000000\n", "AM\n10000\n"), "not a frequency: 1000000000000 Hz", false, 0},
        {"10^12 as 1e12", Answers("1e12\n", "AM\n10000\n"), "unexpected reply; trying again", false, 0},
        {"RPRT -11 for every get", Answers("RPRT -11\n", "RPRT -11\n"), "no frequency from the receiver (RPRT -11)",
         false, 0},
        {"reply after the timeout",
         [&](const std::string&) {
             ++lateReplies;
             return ScriptedReply{"9410000\n", false, static_cast<int>(kReplyTimeoutMs) + 500};
         },
         "no answer; trying again", false, 0},
    };
    for (const HostileCase& c : cases) {
        ScriptedServer server(c.Script);
        Outcome outcome = FollowUntil(server.Port, c.Status);
        EXPECT_EQ(outcome.Status.rfind(c.Status, 0), 0u) << c.Name << ": " << outcome.Status;
        EXPECT_EQ(outcome.Shown, c.Shown) << c.Name;
        if (c.Shown) {
            EXPECT_EQ(outcome.Hertz, c.Hertz) << c.Name;
        }
    }
    EXPECT_GE(lateReplies, 1);
}

TEST(ReceiverHostile, PositiveRprtToTuneIsShownAndTheLinkStays) {
    ScriptedServer server(Answers("9410000\n", "AM\n10000\n", "RPRT 1\n"));
    ReceiverLinkState link;
    RetargetReceiver(&link, "127.0.0.1", server.Port, ReceiverClockNow());
    ASSERT_TRUE(PumpUntil(&link, [&] { return ReceiverStatus(link) == "9410 kHz AM"; }));
    TuneReceiver(&link, 6010000, ReceiverClockNow());
    ASSERT_TRUE(PumpUntil(&link, [&] { return link.Protocol.TunesAnswered == 1; }));
    EXPECT_EQ(ReceiverStatus(link), "9410 kHz AM, tuning refused");
    EXPECT_EQ(link.Protocol.Phase, LinkPhase::Connected);
    TcpClose(&link.Client);
}

TEST(ReceiverHostile, AServerForOneClientOnlyLeavesTheSecondWithNoAnswer) {
    ScriptedServer server(Answers("9410000\n", "AM\n10000\n"), true);
    ReceiverLinkState first, second;
    RetargetReceiver(&first, "127.0.0.1", server.Port, ReceiverClockNow());
    ASSERT_TRUE(PumpUntil(&first, [&] { return ReceiverStatus(first) == "9410 kHz AM"; }));
    RetargetReceiver(&second, "127.0.0.1", server.Port, ReceiverClockNow());
    ASSERT_TRUE(PumpUntil(&second, [&] {
        PumpReceiver(&first, ReceiverClockNow());
        return second.Protocol.Phase == LinkPhase::Waiting;
    }));
    EXPECT_EQ(ReceiverStatus(second), "no answer; trying again");
    EXPECT_EQ(ReceiverStatus(first), "9410 kHz AM") << "the first client is still served";
    TcpClose(&first.Client);
    TcpClose(&second.Client);
}

TEST(ReceiverHostile, AFullAcceptQueueIsGivenUpAfterTheConnectTimeout) {
    FullListener full;
    ReceiverLinkState link;
    int64_t start = ReceiverClockNow();
    RetargetReceiver(&link, "127.0.0.1", full.Port, start);
    PumpReceiver(&link, ReceiverClockNow());
    EXPECT_EQ(ReceiverStatus(link), "connecting to 127.0.0.1:" + std::to_string(full.Port));
    ASSERT_TRUE(PumpUntil(&link, [&] { return link.Protocol.Phase == LinkPhase::Waiting; }));
    EXPECT_EQ(ReceiverStatus(link), "no answer; trying again");
    EXPECT_FALSE(link.Protocol.HasFrequency);
    TcpClose(&link.Client);
}

}  // namespace
