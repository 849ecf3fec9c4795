#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "receiver/receiver_protocol.h"

namespace {

// A link connected at time 0 that has sent its first `f`.
ReceiverProtocol ConnectedLink() {
    ReceiverProtocol link;
    StartLink(&link, 0);
    LinkConnected(&link, 0);
    return link;
}

std::string TakeOutbox(ReceiverProtocol* link) {
    std::string sent;
    sent.swap(link->Outbox);
    return sent;
}

TEST(ReceiverProtocol, FirstCommandIsFrequencyAndRepliesAssembleFromAnyChunks) {
    const std::string reply = "9410000\n";
    for (size_t chunk = 1; chunk <= reply.size(); ++chunk) {
        ReceiverProtocol link = ConnectedLink();
        EXPECT_EQ(TakeOutbox(&link), "f\n");
        for (size_t at = 0; at < reply.size(); at += chunk) {
            EXPECT_EQ(LinkReceived(&link, reply.substr(at, chunk), 5), LinkAction::None);
        }
        EXPECT_TRUE(link.HasFrequency) << chunk;
        EXPECT_EQ(link.Hertz, 9410000) << chunk;
        EXPECT_EQ(link.Readings, 1u) << chunk;
        EXPECT_EQ(TakeOutbox(&link), "m\n") << "the mode follows the first frequency";
    }
}

TEST(ReceiverProtocol, PollsFrequencyEvery150MsAndModeEveryFifth) {
    ReceiverProtocol link = ConnectedLink();
    std::string sent = TakeOutbox(&link);
    int64_t now = 0;
    for (int round = 0; round < 6; ++round) {
        LinkReceived(&link, "6010000\n", now);
        sent += TakeOutbox(&link);
        if (link.Outstanding == Command::Mode) {
            LinkReceived(&link, "AM\n10000\n", now);
            sent += TakeOutbox(&link);
        }
        LinkTick(&link, now + kPollIntervalMs - 1);
        EXPECT_EQ(link.Outbox, "") << "no poll before its time, round " << round;
        now += kPollIntervalMs;
        LinkTick(&link, now);
        sent += TakeOutbox(&link);
    }
    EXPECT_EQ(sent, "f\nm\nf\nf\nf\nf\nf\nm\nf\n");
    EXPECT_EQ(link.Mode, "AM");
}

struct ModeCase {
    const char* Reply;
    const char* Mode;
    bool WaitsForPassband;
};

TEST(ReceiverProtocol, ModeOfOneOrTwoLinesWaits200MsForThePassband) {
    const ModeCase cases[] = {
        {"FM\n15000\n", "FM", false},  // rigctld, gqrx, SDR++
        {"AM 10000\n", "AM", false},   // SDRangel
        {"USB\n", "USB", true},        // builds that send the mode line alone
        {"RPRT -11\n", "", false},    {"RPRT 1\n", "", false},
    };
    for (const ModeCase& c : cases) {
        ReceiverProtocol link = ConnectedLink();
        LinkReceived(&link, "9410000\n", 0);
        ASSERT_EQ(TakeOutbox(&link), "f\nm\n");
        EXPECT_EQ(LinkReceived(&link, c.Reply, 10), LinkAction::None) << c.Reply;
        EXPECT_EQ(link.Mode, c.Mode) << c.Reply;
        LinkTick(&link, 10 + kPassbandWaitMs - 1);
        EXPECT_EQ(TakeOutbox(&link), c.WaitsForPassband ? "" : "f\n") << c.Reply;
        LinkTick(&link, 10 + kPassbandWaitMs);
        if (c.WaitsForPassband) {
            EXPECT_EQ(TakeOutbox(&link), "f\n") << c.Reply;
        }
        EXPECT_EQ(link.Phase, LinkPhase::Connected) << c.Reply;
    }
}

TEST(ReceiverProtocol, LatePassbandLineIsTakenAndAnotherLineEndsTheLink) {
    ReceiverProtocol link = ConnectedLink();
    LinkReceived(&link, "9410000\n", 0);
    LinkReceived(&link, "USB\n", 0);
    EXPECT_EQ(LinkReceived(&link, "2400\n", 100), LinkAction::None);
    LinkTick(&link, kPollIntervalMs);
    EXPECT_EQ(TakeOutbox(&link), "f\nm\nf\n");
    ReceiverProtocol other = ConnectedLink();
    LinkReceived(&other, "9410000\n", 0);
    LinkReceived(&other, "USB\n", 0);
    EXPECT_EQ(LinkReceived(&other, "LSB\n", 100), LinkAction::Close);
    EXPECT_EQ(other.Reason, "unexpected reply");
}

struct FrequencyCase {
    const char* Reply;
    LinkAction Action;
    bool Shown;
    int64_t Hertz;
    const char* Refused;
};

TEST(ReceiverProtocol, FrequencyRepliesShownRefusedOrEndingTheLink) {
    const FrequencyCase cases[] = {
        {"145000000\n", LinkAction::None, true, 145000000, ""},
        {"9650000.7\n", LinkAction::None, true, 9650001, ""},
        {"9410000\r\n", LinkAction::None, true, 9410000, ""},
        {"0\n", LinkAction::None, false, 0, "0"},
        {"-9410000\n", LinkAction::None, false, 0, "-9410000"},
        {"1000000000000\n", LinkAction::None, false, 0, "1000000000000"},
        {"RPRT -11\n", LinkAction::None, false, 0, ""},
        {"RPRT 1\n", LinkAction::None, false, 0, ""},
        {"1e12\n", LinkAction::Close, false, 0, ""},
        {"hello\n", LinkAction::Close, false, 0, ""},
        {"\n", LinkAction::Close, false, 0, ""},
        {"9410000\n9410000\n", LinkAction::Close, true, 9410000, ""},  // answered twice
        {"\x01\xff\x80garbage\n", LinkAction::Close, false, 0, ""},
    };
    for (const FrequencyCase& c : cases) {
        ReceiverProtocol link = ConnectedLink();
        TakeOutbox(&link);
        EXPECT_EQ(LinkReceived(&link, c.Reply, 3), c.Action) << c.Reply;
        EXPECT_EQ(link.HasFrequency, c.Shown) << c.Reply;
        if (c.Shown) {
            EXPECT_EQ(link.Hertz, c.Hertz) << c.Reply;
        }
        EXPECT_EQ(link.Refused, c.Refused) << c.Reply;
        EXPECT_EQ(link.Phase, c.Action == LinkAction::Close ? LinkPhase::Waiting : LinkPhase::Connected) << c.Reply;
        if (c.Action == LinkAction::Close) {
            EXPECT_EQ(link.Reason, "unexpected reply") << c.Reply;
            EXPECT_EQ(link.Outbox, "") << c.Reply;
        }
    }
}

TEST(ReceiverProtocol, ReportCodesOfEitherSignAreKept) {
    ReceiverProtocol link = ConnectedLink();
    LinkReceived(&link, "RPRT -11\n", 0);
    EXPECT_EQ(link.LastReport, -11);
    LinkTick(&link, kPollIntervalMs);
    LinkReceived(&link, "RPRT 1\n", kPollIntervalMs);
    EXPECT_EQ(link.LastReport, 1);
    EXPECT_EQ(link.Phase, LinkPhase::Connected);
}

TEST(ReceiverProtocol, LineOf256BytesIsReadAndOneMoreEndsTheLink) {
    ReceiverProtocol link = ConnectedLink();
    std::string longest = std::string(kLongestLine - 7, '0') + "9410000";
    ASSERT_EQ(longest.size(), 256u);
    EXPECT_EQ(LinkReceived(&link, longest + "\n", 0), LinkAction::None);
    EXPECT_EQ(link.Hertz, 9410000);
    ReceiverProtocol other = ConnectedLink();
    EXPECT_EQ(LinkReceived(&other, std::string(200, '1'), 0), LinkAction::None);
    EXPECT_EQ(LinkReceived(&other, std::string(57, '1'), 0), LinkAction::Close);
    EXPECT_EQ(other.Reason, "reply line too long");
    EXPECT_EQ(other.Line, "") << "the partial line is dropped with the link";
    EXPECT_EQ(LinkReceived(&other, "9410000\n", 1), LinkAction::None) << "bytes after the end are ignored";
    EXPECT_FALSE(other.HasFrequency);
}

TEST(ReceiverProtocol, SilenceEndsTheLinkAfterTheReplyTimeout) {
    ReceiverProtocol link = ConnectedLink();
    EXPECT_EQ(LinkTick(&link, kReplyTimeoutMs - 1), LinkAction::None);
    EXPECT_EQ(link.Outbox, "f\n") << "nothing more is sent while a reply is awaited";
    EXPECT_EQ(LinkTick(&link, kReplyTimeoutMs), LinkAction::Close);
    EXPECT_EQ(link.Reason, "no answer");
    EXPECT_EQ(LinkReceived(&link, "9410000\n", kReplyTimeoutMs + 5), LinkAction::None) << "a late reply is dropped";
    EXPECT_FALSE(link.HasFrequency);
}

TEST(ReceiverProtocol, ReconnectsAfter1sDoublingTo8sAndAReplyResetsTheDelay) {
    ReceiverProtocol link;
    StartLink(&link, 0);
    int64_t now = 0;
    const int64_t delays[] = {1000, 2000, 4000, 8000, 8000};
    for (int64_t delay : delays) {
        LinkFailed(&link, "connection refused", now);
        EXPECT_EQ(link.Phase, LinkPhase::Waiting);
        EXPECT_EQ(LinkTick(&link, now + delay - 1), LinkAction::None) << delay;
        now += delay;
        EXPECT_EQ(LinkTick(&link, now), LinkAction::Connect) << delay;
        EXPECT_EQ(link.Phase, LinkPhase::Connecting);
    }
    LinkConnected(&link, now);
    LinkReceived(&link, "9410000\n", now);
    EXPECT_EQ(LinkReceived(&link, "?!\n", now), LinkAction::Close);
    EXPECT_EQ(link.RetryAt, now + 1000);
}

TEST(ReceiverProtocol, ConnectThatHangsIsGivenUp) {
    ReceiverProtocol link;
    StartLink(&link, 100);
    EXPECT_EQ(LinkTick(&link, 100 + kConnectTimeoutMs - 1), LinkAction::None);
    EXPECT_EQ(LinkTick(&link, 100 + kConnectTimeoutMs), LinkAction::Close);
    EXPECT_EQ(link.Reason, "no answer");
    EXPECT_EQ(link.RetryAt, 100 + kConnectTimeoutMs + kFirstRetryMs);
}

TEST(ReceiverProtocol, TuneWaitsForTheOutstandingReplyAndSendsWholeHz) {
    ReceiverProtocol link = ConnectedLink();
    RequestTune(&link, 9650000, 1);
    EXPECT_EQ(TakeOutbox(&link), "f\n") << "one command outstanding";
    LinkReceived(&link, "145000000\n", 2);
    EXPECT_EQ(TakeOutbox(&link), "F 9650000\n");
    EXPECT_EQ(LinkReceived(&link, "RPRT 0\n", 20), LinkAction::None);
    EXPECT_EQ(link.TunesAnswered, 1u);
    EXPECT_FALSE(link.LastTuneRefused);
    EXPECT_EQ(TakeOutbox(&link), "m\n");
    LinkReceived(&link, "FM\n15000\n", 21);
    LinkTick(&link, 200);
    EXPECT_EQ(TakeOutbox(&link), "f\n");
    LinkReceived(&link, "9650000\n", 201);
    RequestTune(&link, 6010000, 202);
    EXPECT_EQ(TakeOutbox(&link), "F 6010000\n") << "sent at once when nothing is outstanding";
    LinkReceived(&link, "RPRT -1\n", 210);
    EXPECT_TRUE(link.LastTuneRefused);
    EXPECT_EQ(link.Phase, LinkPhase::Connected);
    LinkTick(&link, 400);
    EXPECT_EQ(TakeOutbox(&link), "f\n");
    LinkReceived(&link, "9650400\n", 401);
    EXPECT_TRUE(link.LastTuneRefused) << "the same kHz: still news";
    LinkTick(&link, 600);
    EXPECT_EQ(TakeOutbox(&link), "f\n");
    LinkReceived(&link, "9651000\n", 601);
    EXPECT_FALSE(link.LastTuneRefused) << "the dial moved on";
    RequestTune(&link, 7000000, 700);
    EXPECT_EQ(TakeOutbox(&link), "F 7000000\n");
    EXPECT_EQ(LinkReceived(&link, "7000000\n", 720), LinkAction::Close) << "a Tune is answered with RPRT only";
}

TEST(ReceiverProtocol, StopForgetsTheLink) {
    ReceiverProtocol link = ConnectedLink();
    LinkReceived(&link, "9410000\n", 0);
    StopLink(&link);
    EXPECT_EQ(link.Phase, LinkPhase::Idle);
    EXPECT_FALSE(link.HasFrequency);
    EXPECT_EQ(LinkTick(&link, 100000), LinkAction::None);
    EXPECT_EQ(link.Outbox, "");
}

}  // namespace
