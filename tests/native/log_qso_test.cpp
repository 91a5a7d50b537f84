// Logging a QSO: the refusals, the dupes, the stored record and the lines of
// the bad-QSO file.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "support/host_calls.h"

namespace {

using namespace testsupport;

class LogQso : public EngineTest {};

// The default QSO of the tests (SM5AAA on 20m at 12:34, 599 001 / 599 017).
const char* const kLinePrefix = "QSO:  14085  RTTY  2017-08-19 1234  DL0TST  599  001  SM5AAA  599  017";

TEST_F(LogQso, ExampleDupeLineByteForByte) {
    const Qso q = Qso().OwnCall("OWNCALL").Call("HISCALL");
    ASSERT_EQ(Add(q), 1);
    ASSERT_EQ(Add(q), 1);
    EXPECT_EQ(BadFile(), "SARTG-WW-RTTY Contest UBN file\r\n"
                         "QSO:  14085  RTTY  2017-08-19 1234  OWNCALL  599  001  HISCALL  599  017   DUPE !!!\r\n");
}

struct Refusal {
    const char* what;
    Qso qso;
    std::string line;
};

TEST_F(LogQso, RefusedQsosAreNotStoredAndGetOneLine) {
    const std::string p = kLinePrefix;
    const Refusal cases[] = {
        {"160m is no contest band", Qso().Band("160m"), p + "   WRONG BAND !!!"},
        {"empty band", Qso().Band(""), p + "   WRONG BAND !!!"},
        {"null band", Qso().Band(nullptr), p + "   WRONG BAND !!!"},
        {"band with a blank", Qso().Band("20m "), p + "   WRONG BAND !!!"},
        {"band tested before mode", Qso().Band("160m").Mode("CW"),
         "QSO:  14085  CW  2017-08-19 1234  DL0TST  599  001  SM5AAA  599  017   WRONG BAND !!!"},
        {"CW", Qso().Mode("CW"),
         "QSO:  14085  CW  2017-08-19 1234  DL0TST  599  001  SM5AAA  599  017   WRONG MODE !!!"},
        {"null mode", Qso().Mode(nullptr),
         "QSO:  14085    2017-08-19 1234  DL0TST  599  001  SM5AAA  599  017   WRONG MODE !!!"},
        {"mode tested before numbers", Qso().Mode("CW").NrRcvd(""),
         "QSO:  14085  CW  2017-08-19 1234  DL0TST  599  001  SM5AAA  599     WRONG MODE !!!"},
        {"no number received", Qso().NrRcvd(""),
         "QSO:  14085  RTTY  2017-08-19 1234  DL0TST  599  001  SM5AAA  599     NO RX NUMBER !!!"},
        {"null number received", Qso().NrRcvd(nullptr),
         "QSO:  14085  RTTY  2017-08-19 1234  DL0TST  599  001  SM5AAA  599     NO RX NUMBER !!!"},
        {"no number sent", Qso().NrSent(""),
         "QSO:  14085  RTTY  2017-08-19 1234  DL0TST  599    SM5AAA  599  017   NO RX NUMBER !!!"},
        {"null number sent", Qso().NrSent(nullptr),
         "QSO:  14085  RTTY  2017-08-19 1234  DL0TST  599    SM5AAA  599  017   NO RX NUMBER !!!"},
    };
    for (const Refusal& c : cases) {
        ASSERT_EQ(DoReset(Reset()), 1);
        EXPECT_EQ(Add(c.qso), 0) << c.what;
        EXPECT_EQ(g_log.size(), 0u) << c.what;
        EXPECT_TRUE(g_bandsUsed.empty()) << c.what;
        EXPECT_EQ(BadFile(), BadFileWith({c.line})) << c.what;
    }
}

TEST_F(LogQso, ValidityIgnoresCaseAndTheRecordKeepsTheTextsAsSent) {
    HostDateTime when = Utc(13, 5, 30);
    ASSERT_EQ(Add(Qso().Band("40M").Mode("rtty").Call("JA1ABC").From("JA", "AS").Area("JA1").Freq(7040999)
                      .RstSent("579").RstRcvd("589").NrSent("002").NrRcvd("0123").Time(when)),
              1);
    ASSERT_EQ(g_log.size(), 1u);
    const CInfo& r = g_log[0];
    EXPECT_EQ(r.m_call, "JA1ABC");
    EXPECT_EQ(r.m_band, "40M");
    EXPECT_EQ(r.m_mode, "rtty");
    EXPECT_EQ(r.m_country, "JA");
    EXPECT_EQ(r.m_continent, "AS");
    EXPECT_EQ(r.m_rstSent, "579");
    EXPECT_EQ(r.m_rstRcvd, "589");
    EXPECT_EQ(r.m_nrSent, "002");
    EXPECT_EQ(r.m_nrRcvd, "0123");
    EXPECT_EQ(r.m_freqKHz, 7040);
    EXPECT_EQ(r.m_notCounted, 0);
    EXPECT_EQ(r.m_dupe, 0);
    EXPECT_EQ(r.m_bad, 0);
    EXPECT_EQ(r.m_areaJA, 1);
    EXPECT_EQ(r.m_areaK, -1);
    EXPECT_EQ(r.m_areaVE, -1);
    EXPECT_EQ(r.m_areaVK, -1);
    EXPECT_TRUE(r.m_time.SameAs(DateTime::FromHost(&when)));
    EXPECT_EQ(g_bandsUsed, (TextList{"40M"}));
    EXPECT_EQ(BadFile(), kHeader);
}

TEST_F(LogQso, EveryLaterCopyIsADupeWithOneLineEach) {
    for (int i = 0; i < 3; ++i) ASSERT_EQ(Add(Qso()), 1);
    ASSERT_EQ(g_log.size(), 3u);
    EXPECT_EQ(g_log[0].m_dupe, 0);
    EXPECT_EQ(g_log[0].m_notCounted, 0);
    for (size_t i : {1u, 2u}) {
        EXPECT_EQ(g_log[i].m_dupe, 1) << i;
        EXPECT_EQ(g_log[i].m_notCounted, 1) << i;
        EXPECT_EQ(g_log[i].m_bad, 0) << i;
    }
    const std::string dupe = std::string(kLinePrefix) + "   DUPE !!!";
    EXPECT_EQ(BadFile(), BadFileWith({dupe, dupe}));
}

TEST_F(LogQso, DupesDependOnExactCallBandAndModeOnly) {
    struct { const char* what; Qso second; int dupe; } cases[] = {
        {"same QSO", Qso(), 1},
        {"other time, numbers, entity and frequency", Qso().Time(Utc(18, 0)).NrRcvd("999").From("DL", "EU").Freq(14090000), 1},
        {"other band", Qso().Band("40m"), 0},
        {"band in capitals", Qso().Band("20M"), 0},
        {"mode in small letters", Qso().Mode("rtty"), 0},
        {"call in small letters", Qso().Call("sm5aaa"), 0},
        {"longer call", Qso().Call("SM5AAAB"), 0},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(DoReset(Reset()), 1);
        ASSERT_EQ(Add(Qso()), 1);
        EXPECT_EQ(Add(c.second), 1) << c.what;
        ASSERT_EQ(g_log.size(), 2u);
        EXPECT_EQ(g_log[1].m_dupe, c.dupe) << c.what;
        EXPECT_EQ(g_log[1].m_notCounted, c.dupe) << c.what;
        EXPECT_EQ(BadFile() != kHeader, c.dupe == 1) << c.what;
    }
}

TEST_F(LogQso, AnEarlierRemovedCopyNoLongerMakesADupe) {
    ASSERT_EQ(Add(Qso()), 1);
    ASSERT_EQ(Add(Qso().Call("DL1XYZ")), 1);
    ASSERT_EQ(Remove(Qso()), 1);
    ASSERT_EQ(Add(Qso()), 1);
    EXPECT_EQ(g_log[1].m_dupe, 0);
}

TEST_F(LogQso, BandsUsedInOrderOfFirstUseEachOnce) {
    Add(Qso().Band("20m"));
    Add(Qso().Band("160m"));  // refused
    Add(Qso().Band("40m").Mode("CW"));  // refused
    Add(Qso().Band("80m").Call("A"));
    Add(Qso().Band("20m").Call("B"));
    Add(Qso().Band("20M").Call("C"));
    Add(Qso().Band("80m"));
    EXPECT_EQ(g_bandsUsed, (TextList{"20m", "80m", "20M"}));
}

TEST_F(LogQso, FrequencyInWholeKilohertz) {
    struct { unsigned hz; int khz; const char* shown; } cases[] = {
        {14085999u, 14085, "QSO:  14085  "}, {14085000u, 14085, "QSO:  14085  "}, {3580500u, 3580, "QSO:  3580  "},
        {999u, 0, "QSO:  0  "}, {0u, 0, "QSO:  0  "}, {4294967295u, 4294967, "QSO:  4294967  "},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(DoReset(Reset()), 1);
        Add(Qso().Freq(c.hz));
        Add(Qso().Freq(c.hz));  // a dupe shows the frequency in its line
        ASSERT_EQ(g_log.size(), 2u);
        EXPECT_EQ(g_log[0].m_freqKHz, c.khz) << c.hz;
        EXPECT_EQ(BadFile().substr(strlen(kHeader), strlen(c.shown)), c.shown) << c.hz;
    }
}

TEST_F(LogQso, TimesThatAreNotValidInTheLine) {
    Add(Qso().Band("6m").NoTimePointer());
    Add(Qso().Band("6m").Time(NullTime(42966.5)));
    Add(Qso().Band("6m").Time(InvalidTime(42966.5)));
    EXPECT_EQ(BadFile(), BadFileWith({
                             "QSO:  14085  RTTY    DL0TST  599  001  SM5AAA  599  017   WRONG BAND !!!",
                             "QSO:  14085  RTTY    DL0TST  599  001  SM5AAA  599  017   WRONG BAND !!!",
                             "QSO:  14085  RTTY  Invalid DateTime  DL0TST  599  001  SM5AAA  599  017   WRONG BAND !!!",
                         }));
}

TEST_F(LogQso, LineBreaksInsideTextsBecomeBlanksInTheLine) {
    const Qso q = Qso().Call("SM5\r\nAAA").OwnCall("DL0\nTST").RstSent("5\r9").NrRcvd("01\n7");
    ASSERT_EQ(Add(q), 1);
    ASSERT_EQ(Add(q), 1);
    EXPECT_EQ(g_log[1].m_call, "SM5\r\nAAA");  // the record keeps the text as sent
    EXPECT_EQ(BadFile(), BadFileWith({"QSO:  14085  RTTY  2017-08-19 1234  DL0 TST  5 9  001  SM5  AAA  599  01 7   DUPE !!!"}));
}

TEST_F(LogQso, BeforeTheFirstResetNothingIsWrittenAnywhere) {
    std::filesystem::remove(kBadFile);
    g_badQsoFileName.clear();
    EXPECT_EQ(Add(Qso()), 1);
    EXPECT_EQ(Add(Qso()), 1);
    EXPECT_EQ(Add(Qso().Band("160m")), 0);
    EXPECT_EQ(g_log.size(), 2u);
    EXPECT_EQ(g_log[1].m_dupe, 1);
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::current_path()));
}

TEST_F(LogQso, PostsNoRefreshAndLeavesThePendingFlag) {
    g_setupWindow = DummyWindow();
    g_refreshPending = 0;
    Add(Qso());
    Add(Qso());
    Add(Qso().Band("160m"));
    EXPECT_EQ(m_hooks.posts, 0);
    EXPECT_EQ(g_refreshPending, 0);
}

}  // namespace
