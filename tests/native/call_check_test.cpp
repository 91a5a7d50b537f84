// The call check: answers 0 to 4, the host-version rule, the second band
// and the refresh heartbeat.
#include <gtest/gtest.h>

#include "support/host_calls.h"

namespace {

using namespace testsupport;

class CheckCallTest : public EngineTest {
protected:
    // DL on 20m, JA area 1 and K area 6 on 20m, VE area 3 on 40m, VK area 2
    // on 15m logged in small letters as a dupe.
    void LogTheStandardLog() {
        Add(Qso().Call("DL1ABC").From("DL", "EU"));
        Add(Qso().Call("JA1AAA").From("JA", "AS").Area("JA1AAA"));
        Add(Qso().Call("W6AAA").From("K", "NA").Area("6"));
        Add(Qso().Call("VE3AA").From("VE", "NA").Area("3").Band("40m"));
        Add(Qso().Call("VK2AA").From("VK", "OC").Area("2").Band("15m").Mode("rtty"));
        Add(Qso().Call("VK2AA").From("VK", "OC").Area("2").Band("15m").Mode("rtty"));
        ASSERT_EQ(g_log.size(), 6u);
    }
};

TEST_F(CheckCallTest, EmptyLogGivesANewEntity) {
    EXPECT_EQ(CallCheck(Check().Call("DL1ABC").Country("DL")), 2);
    EXPECT_EQ(CallCheck(Check().Call("JA1AAA").Country("JA").Area("1")), 2);
}

TEST_F(CheckCallTest, AnswersAgainstAStandardLog) {
    LogTheStandardLog();
    struct { const char* what; Check check; int answer; } cases[] = {
        {"same call on the same band", Check().Call("DL1ABC").Country("DL"), 0},
        {"dupe whatever the entity sent", Check().Call("DL1ABC").Country("F"), 0},
        {"dupe ignores the mode", Check().Call("DL1ABC").Country("DL").Mode("rtty"), 0},
        {"another DL on 20m", Check().Call("DL2XYZ").Country("DL"), 1},
        {"call compares with case", Check().Call("dl1abc").Country("DL"), 1},
        {"DL on 40m", Check().Call("DL2XYZ").Country("DL").Band("40m"), 2},
        {"the entity compares with case", Check().Call("JA2AAA").Country("ja").Area("1"), 2},
        {"JA area 1 again", Check().Call("JA1BBB").Country("JA").Area("JA1BBB"), 1},
        {"JA area ending in 7", Check().Call("JA1BBB").Country("JA").Area("JA1/7"), 3},
        {"JA without a digit", Check().Call("JA1BBB").Country("JA").Area("JA"), 3},
        {"JA area 6 is not the K area 6", Check().Call("JA6AAA").Country("JA").Area("6"), 3},
        {"K area 6 again", Check().Call("K6XYZ").Country("K").Area("6"), 1},
        {"K area 1", Check().Call("K1XYZ").Country("K").Area("1"), 3},
        {"VE on 20m is a new entity", Check().Call("VE3BB").Country("VE").Area("3"), 2},
        {"VE area 3 on 40m", Check().Call("VE3BB").Country("VE").Area("3").Band("40m"), 1},
        {"VE area 2 on 40m", Check().Call("VE2BB").Country("VE").Area("2").Band("40m"), 3},
        {"VK area of a dupe record", Check().Call("VK2BB").Country("VK").Area("2").Band("15m"), 1},
        {"empty entity, even for a dupe", Check().Call("DL1ABC").Country(""), 1},
        {"null entity", Check().Call("DL1ABC").Country(nullptr), 1},
        {"null call", Check().Call(nullptr).Country("DL"), 1},
        {"band in capitals is another band", Check().Call("DL1ABC").Country("DL").Band("20M"), 2},
        {"second band differing only in case", Check().Call("DL1ABC").Country("DL").CompareBand("20M"), 0},
        {"second band equal", Check().Call("DL1ABC").Country("DL").CompareBand("20m"), 0},
        {"second band another band", Check().Call("DL1ABC").Country("DL").CompareBand("40m"), 4},
        {"second band empty", Check().Call("DL1ABC").Country("DL").CompareBand(""), 4},
        {"null band with a second band", Check().Call("DL1ABC").Country("DL").Band(nullptr).CompareBand("20m"), 4},
        {"160m", Check().Call("DL1ABC").Country("DL").Band("160m"), 4},
        {"empty band", Check().Call("DL1ABC").Country("DL").Band(""), 4},
        {"CW", Check().Call("DL1ABC").Country("DL").Mode("CW"), 4},
        {"null mode", Check().Call("DL1ABC").Country("DL").Mode(nullptr), 4},
        {"wrong band with an empty entity", Check().Country("").Band("6m"), 4},
    };
    for (const auto& c : cases) EXPECT_EQ(CallCheck(c.check), c.answer) << c.what;
    EXPECT_EQ(g_log.size(), 6u);  // the check changes nothing
}

TEST_F(CheckCallTest, InputThatCannotBeJudgedDependsOnTheHostVersion) {
    struct { const char* version; int answer; } cases[] = {
        {"2.20", 1}, {"2.19", 1}, {"2.18", 4}, {"Vokt", 4}, {"", 4}, {"2.2", 4}, {"2.20 ", 4}, {"2.190", 4},
    };
    for (const auto& c : cases) {
        g_hostVersion = c.version;
        EXPECT_EQ(CallCheck(Check().Band("160m")), c.answer) << c.version;
        EXPECT_EQ(CallCheck(Check().Mode("CW")), c.answer) << c.version;
        EXPECT_EQ(CallCheck(Check().CompareBand("40m")), c.answer) << c.version;
        EXPECT_EQ(CallCheck(Check()), 2) << c.version;
    }
}

TEST_F(CheckCallTest, HeartbeatPostsOncePerPendingRefresh) {
    CallCheck(Check());
    EXPECT_EQ(m_hooks.posts, 0);  // no setup window: nothing posted,
    EXPECT_EQ(g_refreshPending, 1);  // the refresh stays pending
    g_setupWindow = DummyWindow();
    CallCheck(Check().Band("160m"));  // posted whatever the answer
    CallCheck(Check());
    EXPECT_EQ(m_hooks.posts, 1);
    EXPECT_EQ(g_refreshPending, 0);
    g_refreshPending = 1;  // the display update has run
    CallCheck(Check());
    CallCheck(Check());
    EXPECT_EQ(m_hooks.posts, 2);
}

}  // namespace
