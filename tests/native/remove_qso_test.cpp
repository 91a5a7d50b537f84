// Removing a QSO: the key, the first match only, the bad-QSO rewrite, the
// tables of an emptied log, the call-area marks and the refresh.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/host_calls.h"

namespace {

using namespace testsupport;

class RemoveQso : public EngineTest {};

TEST_F(RemoveQso, KeyIsExactCallBandModeAndTime) {
    struct { const char* what; Qso stored; Qso key; bool removed; } cases[] = {
        {"same key", Qso(), Qso(), true},
        {"other frequency and numbers do not matter", Qso(), Qso().Freq(7000000).NrRcvd("999").From("DL", "EU"), true},
        {"one minute later", Qso(), Qso().Time(Utc(12, 35)), false},
        {"one second later", Qso(), Qso().Time(Utc(12, 34, 1)), false},
        {"band in capitals", Qso(), Qso().Band("20M"), false},
        {"mode in small letters", Qso(), Qso().Mode("rtty"), false},
        {"call in small letters", Qso(), Qso().Call("sm5aaa"), false},
        {"shorter call", Qso(), Qso().Call("SM5AA"), false},
        {"null time key against a valid time", Qso(), Qso().NoTimePointer(), false},
        {"invalid key with the same count", Qso(), Qso().Time(InvalidTime(Utc(12, 34).m_dt)), false},
        {"null stored, null pointer key", Qso().NoTimePointer(), Qso().NoTimePointer(), true},
        {"nulls with other counts", Qso().Time(NullTime(1.0)), Qso().Time(NullTime(5.0)), true},
        {"invalid against invalid", Qso().Time(InvalidTime(7.0)), Qso().Time(InvalidTime(7.0)), false},
        {"empty texts", Qso().Call("").Band("20m"), Qso().Call(""), true},
        {"null call stored and null call key", Qso().Call(nullptr), Qso().Call(nullptr), true},
        {"null call key against an empty call", Qso().Call(""), Qso().Call(nullptr), true},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(DoReset(Reset()), 1);
        ASSERT_EQ(Add(Qso().Call("OTHER")), 1);
        ASSERT_EQ(Add(c.stored), 1);
        EXPECT_EQ(Remove(c.key), 1) << c.what;
        EXPECT_EQ(g_log.size(), c.removed ? 1u : 2u) << c.what;
        EXPECT_EQ(g_log[0].m_call, "OTHER") << c.what;
    }
}

TEST_F(RemoveQso, OnlyTheFirstOfIdenticalQsos) {
    Add(Qso().NrRcvd("001"));
    Add(Qso().Call("DL1XYZ"));
    Add(Qso().NrRcvd("002"));
    Add(Qso().NrRcvd("003"));
    Remove(Qso());
    ASSERT_EQ(g_log.size(), 3u);
    EXPECT_EQ(g_log[0].m_call, "DL1XYZ");
    EXPECT_EQ(g_log[1].m_nrRcvd, "002");
    EXPECT_EQ(g_log[2].m_nrRcvd, "003");
    // The copies keep the flags they got when they were logged.
    EXPECT_EQ(g_log[1].m_dupe, 1);
    Remove(Qso());
    ASSERT_EQ(g_log.size(), 2u);
    EXPECT_EQ(g_log[1].m_nrRcvd, "003");
}

TEST_F(RemoveQso, QsoNotInTheLogStillLosesItsLines) {
    g_setupWindow = DummyWindow();
    g_refreshPending = 0;
    Add(Qso().Call("DL1XYZ"));
    Add(Qso().Band("160m"));  // refused: only a line
    Add(Qso().Band("160m").Time(Utc(12, 35)));
    ASSERT_EQ(Remove(Qso().Band("160m")), 1);
    EXPECT_EQ(g_log.size(), 1u);
    EXPECT_EQ(BadFile(), BadFileWith({"QSO:  14085  RTTY  2017-08-19 1235  DL0TST  599  001  SM5AAA  599  017   WRONG BAND !!!"}));
    EXPECT_EQ(m_hooks.posts, 1);
    EXPECT_EQ(g_refreshPending, 1);
}

TEST_F(RemoveQso, RemovingTheOnlyQsoEmptiesTheTables) {
    Add(Qso().From("JA", "AS").Area("1"));
    Add(Qso().From("JA", "AS").Area("1"));  // dupe line
    Add(Qso().Call("DL1XYZ").Band("160m"));  // line of another call
    Add(Qso().Band("6m").Time(Utc(12, 36)));  // line of another time
    Result();
    ASSERT_FALSE(g_slotMults[3].empty());
    Remove(Qso());
    Remove(Qso());
    EXPECT_EQ(g_log.size(), 0u);
    EXPECT_TRUE(g_bandsUsed.empty());
    for (int slot = 0; slot < kBandSlotCount; ++slot)
        for (SlotTable* t : {&g_slotMults, &g_slotAreasJA, &g_slotAreasK, &g_slotAreasVE, &g_slotAreasVK})
            EXPECT_TRUE((*t)[slot].empty()) << slot;
    EXPECT_EQ(BadFile(), BadFileWith({
                             "QSO:  14085  RTTY  2017-08-19 1234  DL0TST  599  001  DL1XYZ  599  017   WRONG BAND !!!",
                             "QSO:  14085  RTTY  2017-08-19 1236  DL0TST  599  001  SM5AAA  599  017   WRONG BAND !!!",
                         }));
    // The worked-with rows are not touched.
    EXPECT_EQ(g_workedWithRows[3], (TextList{"20m", "-", "-", "-", "-"}));
}

TEST_F(RemoveQso, ABandWhoseLastQsoWentStaysWhileTheLogHoldsOthers) {
    Add(Qso().Band("40m").From("JA", "AS").Area("1"));
    Add(Qso().Call("DL1XYZ").From("DL", "EU"));
    Result();
    const TextList slot40 = g_slotMults[2];
    Remove(Qso().Band("40m"));
    EXPECT_EQ(g_bandsUsed, (TextList{"40m", "20m"}));
    EXPECT_EQ(g_slotMults[2], slot40);  // until the next summary
}

TEST_F(RemoveQso, CallAreaMarksResetOnlyWhenARecordGoesAndTheWindowIsOpen) {
    Add(Qso());
    Add(Qso().Call("DL1XYZ"));
    Remove(Qso());  // window closed
    EXPECT_EQ(m_hooks.callAreaResets, 0);
    g_callAreaWindow = DummyWindow();
    Remove(Qso());  // not in the log any more
    EXPECT_EQ(m_hooks.callAreaResets, 0);
    Remove(Qso().Call("DL1XYZ"));
    EXPECT_EQ(m_hooks.callAreaResets, 1);
}

TEST_F(RemoveQso, RefreshIsAskedForOnEveryCall) {
    g_refreshPending = 0;
    Remove(Qso());
    EXPECT_EQ(g_refreshPending, 1);  // without a setup window nothing is posted
    EXPECT_EQ(m_hooks.posts, 0);
    g_setupWindow = DummyWindow();
    Remove(Qso());
    Remove(Qso());
    EXPECT_EQ(m_hooks.posts, 2);  // posted even while a refresh is pending
}

// The rewrite drops every line that holds the call and " HHMM " anywhere.
TEST_F(RemoveQso, RewriteDropsLinesHoldingTheCallAndTheTimeKey) {
    const std::string lines[] = {
        /*0*/ "QSO:  14085  RTTY  2017-08-19 1234  DL0TST  599  001  SM5AB  599  017   WRONG BAND !!!",
        /*1*/ "QSO:  14085  RTTY  2017-08-19 1234  DL0TST  599  001  SM5ABC  599  017   DUPE !!!",
        /*2*/ "QSO:  14085  RTTY  2017-08-19 1800  DL0TST  599  001  SM5AB  599  1234   DUPE !!!",
        /*3*/ "QSO:  14085  RTTY  2017-08-19 1800  DL0TST  1234  001  SM5AB  599  017   DUPE !!!",
        /*4*/ "QSO:  7040  RTTY  2017-08-20 1234  DL0TST  599  001  SM5AB  599  017   DUPE !!!",
        /*5*/ "QSO:  14085  RTTY  2017-08-19 1235  DL0TST  599  001  SM5AB  599  017   DUPE !!!",
        /*6*/ "QSO:  14085  RTTY  2017-08-19 1234  DL0TST  599  001  DL1XX  599  017   DUPE !!!",
        /*7*/ "QSO:  14085  RTTY  2017-08-19 1800  DL0TST  599  001  SM5AB  599  12345   DUPE !!!",
        /*8*/ "QSO:  14085  RTTY  2017-08-19 1800  DL0TST  599  001  SM5AB  599  01234   DUPE !!!",
        /*9*/ "sm5ab 1234 in small letters",
    };
    struct { const char* what; Qso key; std::vector<int> kept; } cases[] = {
        {"12:34 of SM5AB", Qso().Call("SM5AB").Time(Utc(12, 34)), {5, 6, 7, 8, 9}},
        {"seconds do not matter", Qso().Call("SM5AB").Time(Utc(12, 34, 59)), {5, 6, 7, 8, 9}},
        {"12:34 of the longer call keeps the shorter one", Qso().Call("SM5ABC"), {0, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"null call keeps every line", Qso().Call(nullptr), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"empty call drops every line with the time key", Qso().Call(""), {5, 7, 8}},
        {"a null time makes the key two blanks", Qso().Call("SM5AB").NoTimePointer(), {6, 9}},
        {"an invalid time is no time of any line", Qso().Call("SM5AB").Time(InvalidTime()), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    };
    for (const auto& c : cases) {
        std::string content = "SARTG-WW-RTTY Contest UBN file\r\n";
        for (const std::string& line : lines) content += line + "\r\n";
        WriteFile(kBadFile, content);
        Remove(c.key);
        std::string expected = kHeader;
        for (int i : c.kept) expected += lines[i] + "\r\n";
        EXPECT_EQ(BadFile(), expected) << c.what;
    }
}

TEST_F(RemoveQso, RewriteRestoresTheHeaderAndCopesWithAMissingFile) {
    WriteFile(kBadFile, "not the header\r\nQSO: kept   WRONG BAND !!!\nlast line without end");
    Remove(Qso());
    EXPECT_EQ(BadFile(), BadFileWith({"QSO: kept   WRONG BAND !!!", "last line without end"}));
    std::filesystem::remove(kBadFile);
    Remove(Qso());
    EXPECT_EQ(BadFile(), kHeader);
}

}  // namespace
