#include <gtest/gtest.h>

#include <string>

#include "receiver/follow.h"
#include "receiver/receiver_status.h"

namespace {

// What following puts in the box for a reading, or "-" when it leaves it.
std::string Written(FollowState* follow, int64_t hertz) {
    std::string text;
    return FollowReading(follow, hertz, &text) ? text : "-";
}

TEST(Follow, WritesTheBoxOnlyWhenTheWholeKhzChanges) {
    FollowState follow;
    EXPECT_EQ(Written(&follow, 9410000), "9410") << "the first reading counts as a change";
    EXPECT_EQ(Written(&follow, 9410400), "-");
    EXPECT_EQ(Written(&follow, 9409500), "-") << "9409.5 kHz rounds to 9410";
    EXPECT_EQ(Written(&follow, 9409499), "9409");
    EXPECT_EQ(Written(&follow, 15770000), "15770");
}

TEST(Follow, TypingPausesUntilTheReceiverMovesAndOwnWritesDoNot) {
    FollowState follow;
    Written(&follow, 9410000);
    FollowBoxChanged(&follow, "9410");
    EXPECT_FALSE(follow.Paused) << "following's own write";
    FollowBoxChanged(&follow, "941");
    EXPECT_TRUE(follow.Paused);
    FollowBoxChanged(&follow, "9410");
    EXPECT_EQ(Written(&follow, 9410200), "-") << "the same kHz leaves the typed box alone";
    EXPECT_EQ(Written(&follow, 9411000), "9411") << "a new kHz resumes";
    EXPECT_FALSE(follow.Paused);
}

TEST(Follow, TuneSendsTheBoxAndResumesWhenTheReceiverReportsIt) {
    FollowState follow;
    Written(&follow, 9410000);
    FollowBoxChanged(&follow, "9650");
    EXPECT_EQ(FollowTune(&follow, "9650"), 9650000);
    EXPECT_EQ(Written(&follow, 9420000), "-") << "the knob on its way is not the tuned one";
    EXPECT_EQ(Written(&follow, 9650000), "9650");
    EXPECT_FALSE(follow.Paused);
    EXPECT_EQ(Written(&follow, 9651000), "9651");
}

TEST(Follow, TuneRefusedResumesAtTheNextChange) {
    FollowState follow;
    Written(&follow, 9410000);
    EXPECT_EQ(FollowTune(&follow, "6010"), 6010000);
    FollowTuneRefused(&follow);
    EXPECT_EQ(Written(&follow, 9411000), "9411");
}

TEST(Follow, TuneNeverSendsWhatWasReadBackNorANonFrequency) {
    FollowState follow;
    Written(&follow, 9410300);
    const char* unsent[] = {"9410", "9409.6", "", "abc", "0", "1000000", "-5"};
    for (const char* text : unsent) {
        EXPECT_EQ(FollowTune(&follow, text), 0) << text;
        EXPECT_EQ(follow.AwaitedKhz, -1) << text;
    }
    EXPECT_EQ(FollowTune(&follow, " 9411 "), 9411000);
}

TEST(Follow, KhzTextsAsHertz) {
    const struct {
        const char* Text;
        int64_t Hertz;
    } cases[] = {{"9410", 9410000},       {"9410.5", 9410500}, {"0.0015", 2},  {"0.0004", 0}, {"999999", 999999000},
                 {"999999.4", 999999400}, {"999999.5", 0},     {"1000000", 0}, {"12a", 0},    {"", 0}};
    for (const auto& c : cases) EXPECT_EQ(HertzOfKhzText(c.Text), c.Hertz) << c.Text;
}

TEST(ReceiverStatus, TextsForEachPhase) {
    ReceiverProtocol link;
    EXPECT_EQ(ReceiverStatusText(link, "", 4532), "no receiver set");
    StartLink(&link, 0);
    EXPECT_EQ(ReceiverStatusText(link, "127.0.0.1", 4532), "connecting to 127.0.0.1:4532");
    LinkFailed(&link, "connection refused", 5);
    EXPECT_EQ(ReceiverStatusText(link, "127.0.0.1", 4532), "connection refused; trying again");
    LinkTick(&link, 2000);
    LinkConnected(&link, 2000);
    EXPECT_EQ(ReceiverStatusText(link, "rig", 7356), "connected to rig:7356");
    LinkReceived(&link, "9410000\n", 2001);
    EXPECT_EQ(ReceiverStatusText(link, "rig", 7356), "9410 kHz");
    LinkReceived(&link, "AM\n10000\n", 2002);
    EXPECT_EQ(ReceiverStatusText(link, "rig", 7356), "9410 kHz AM");
    LinkTick(&link, 2200);
    LinkReceived(&link, "1000000000000\n", 2201);
    EXPECT_EQ(ReceiverStatusText(link, "rig", 7356), "not a frequency: 1000000000000 Hz");
}

}  // namespace
