// The statistics summary: band order, dupes, empty calls, entities and
// areas per band, the rate windows, "Last QSO", the bad-QSO count, the
// per-slot tables, the score, and two whole summaries byte for byte.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/profile.h"
#include "support/host_calls.h"

namespace {

using namespace testsupport;

class Summary : public EngineTest {
protected:
    void TearDown() override {
        g_htmlOutput = 0;
        EngineTest::TearDown();
    }
    static HostDateTime Aug20(int hour, int minute, int second = 0) { return At(2017, 8, 20, hour, minute, second); }
    static std::string Expected(const char* name) { return ReadFile(std::string(STATS_EXPECTED_DIR) + "/" + name); }
    static bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
    static const char* const kEmptyTail;
};

const char* const Summary::kEmptyTail =
    "Total\t 0\t 0\t 0\t 0\t 0\t 0\t 0\r\nDupe\t 0\r\nBad QSO\t 0\r\n\r\nScore: 0*(0+0+0+0+0) = 0\r\n";
const char* const kPlainHead =
    "\t   SARTG-WW-RTTY Contest 19.08-20.08.2017 \r\n\t       Contestant: DL0TST\r\nBand\tQSOs\tPoints\tDXCC\t K "
    "\tJA\tVE\tVK\r\n";

// The log of the expected files in expected/: five bands, every kind of
// point and multiplier, dupes, three refused QSOs, and the rate windows
// against the last entry (a dupe at 20 August 10:00).
void GoldenLog() {
    auto aug19 = [](int h, int m) { return Utc(h, m); };
    auto aug20 = [](int h, int m) { return At(2017, 8, 20, h, m); };
    Add(Qso().Band("20m").Time(aug19(12, 5)).Call("DL1AAA").From("DL", "EU"));
    Add(Qso().Band("20m").Time(aug19(12, 10)).Call("SM5BBB").From("SM", "EU"));
    Add(Qso().Band("20m").Time(aug19(12, 15)).Call("W1AW").From("K", "NA").Area("1"));
    Add(Qso().Band("20m").Time(aug19(12, 20)).Call("K6XYZ").From("K", "NA").Area("6"));
    Add(Qso().Band("20m").Time(aug19(12, 25)).Call("JA1ABC").From("JA", "AS").Area("1"));
    Add(Qso().Band("20m").Time(aug19(12, 30)).Call("DL1AAA").From("DL", "EU"));  // dupe
    Add(Qso().Band("40m").Time(aug19(13, 0)).Call("VE3ABC").From("VE", "NA").Area("3").Freq(7040000));
    Add(Qso().Band("40m").Time(aug19(13, 5)).Call("DL1AAA").From("DL", "EU").Freq(7040000));
    Add(Qso().Band("40m").Time(aug19(13, 10)).Call("VK2ABC").From("VK", "OC").Area("2").Freq(7040000));
    Add(Qso().Band("160m").Time(aug19(13, 15)).Call("G3XYZ").From("G", "EU").Freq(1840000));  // refused
    Add(Qso().Band("80m").Time(aug19(14, 0)).Call("OK1ABC").From("OK", "EU").Freq(3580000));
    Add(Qso().Band("80m").Time(aug19(14, 5)).Call("W2ABC").From("K", "NA").Area("2").Freq(3580000));
    Add(Qso().Band("80m").Time(aug19(14, 10)).Call("OH2XX").From("OH", "EU").Mode("CW"));  // refused
    Add(Qso().Band("15m").Time(aug20(9, 0)).Call("JA7XYZ").From("JA", "AS").Area("7").Freq(21080000));
    Add(Qso().Band("15m").Time(aug20(9, 5)).Call("VK3ABC").From("VK", "OC").Area("3").Freq(21080000));
    Add(Qso().Band("15m").Time(aug20(9, 20)).Call("ZS6ABC").From("ZS", "AF").Freq(21080000));
    Add(Qso().Band("10m").Time(aug20(9, 50)).Call("PY2ABC").From("PY", "SA").Freq(28080000));
    Add(Qso().Band("10m").Time(aug20(9, 52)).Call("LU1ABC").From("LU", "SA").NrRcvd(""));  // refused
    Add(Qso().Band("10m").Time(aug20(9, 55)).Call("VE7ABC").From("VE", "NA").Area("7").Freq(28080000));
    Add(Qso().Band("10m").Time(aug20(9, 58)).Call("F5ABC").From("F", "EU").Freq(28080000));
    Add(Qso().Band("10m").Time(aug20(10, 0)).Call("PY2ABC").From("PY", "SA").Freq(28080000));  // dupe
}

TEST_F(Summary, WholePlainTextSummary) {
    GoldenLog();
    EXPECT_EQ(Result(), Expected("summary.txt"));
}

TEST_F(Summary, WholeHtmlSummary) {
    GoldenLog();
    setVersion("2.20");
    EXPECT_EQ(Result(), Expected("summary.html"));
}

TEST_F(Summary, SlotTablesOfTheWholeSummary) {
    GoldenLog();
    Result();
    EXPECT_TRUE(g_slotMults[0].empty());
    EXPECT_EQ(g_slotMults[1], (TextList{"OK", "K", "K2"}));
    EXPECT_EQ(g_slotMults[2], (TextList{"VE", "VE3", "DL", "VK", "VK2"}));
    EXPECT_EQ(g_slotMults[3], (TextList{"DL", "SM", "K", "K1", "K6", "JA", "JA1"}));
    EXPECT_EQ(g_slotMults[4], (TextList{"JA", "JA7", "VK", "VK3", "ZS"}));
    EXPECT_EQ(g_slotMults[5], (TextList{"PY", "VE", "VE7", "F"}));
    EXPECT_EQ(g_slotAreasK[1], (TextList{"K2"}));
    EXPECT_EQ(g_slotAreasK[3], (TextList{"K1", "K6"}));
    EXPECT_EQ(g_slotAreasJA[3], (TextList{"JA1"}));
    EXPECT_EQ(g_slotAreasJA[4], (TextList{"JA7"}));
    EXPECT_EQ(g_slotAreasVE[2], (TextList{"VE3"}));
    EXPECT_EQ(g_slotAreasVE[5], (TextList{"VE7"}));
    EXPECT_EQ(g_slotAreasVK[2], (TextList{"VK2"}));
    EXPECT_EQ(g_slotAreasVK[4], (TextList{"VK3"}));
    for (int slot : {0, 2, 4, 5}) EXPECT_TRUE(g_slotAreasK[slot].empty()) << slot;
    EXPECT_EQ(g_claimedScore, 4920);
    EXPECT_EQ(g_badQsoCount, 3);
}

TEST_F(Summary, BandsInDescendingWavelengthAndTheOrderStays) {
    for (const char* band : {"10m", "20M", "15m", "80M", "20m", "40m", "80m"}) Add(Qso().Band(band));
    const std::string text = Result();
    const TextList order{"80m", "80M", "40m", "20m", "20M", "15m", "10m"};
    EXPECT_EQ(g_bandsUsed, order);
    size_t at = 0;
    for (const Text& band : order) {
        const size_t found = text.find("\r\n" + band + "\t 1\t 10\t 1\t", at);
        ASSERT_NE(found, std::string::npos) << band << " in\n" << text;
        at = found + 1;
    }
    Add(Qso().Band("20m").Call("X"));
    EXPECT_EQ(g_bandsUsed, order);  // a known band is not appended again
}

TEST_F(Summary, DupesCountOnlyAsDupes) {
    Add(Qso().From("JA", "AS").Area("1"));
    Add(Qso().From("JA", "AS").Area("1"));
    Add(Qso().From("K", "NA").Area("2"));  // a dupe under another entity
    const std::string text = Result();
    EXPECT_EQ(text.substr(0, text.find("\r\n\r\nHourly")),
              std::string(kPlainHead) +
                  "20m\t 1\t 15\t 1\t 0\t 1\t 0\t 0\r\nTotal\t 1\t 15\t 1\t 0\t 1\t 0\t 0\r\nDupe\t 2\r\nBad QSO\t 0\r\n"
                  "\r\nScore: 15*(1+0+1+0+0) = 30");
    EXPECT_TRUE(Has(text, "QSO rate:     1 (6) QSOs/hour\r\nHourly (10min) pts rate:    15 (90) points/hour"));
    EXPECT_EQ(g_slotMults[3], (TextList{"JA", "JA1"}));
}

TEST_F(Summary, EntriesWithAnEmptyCallCountNothing) {
    Add(Qso().Band("40m").Call("").From("JA", "AS").Area("1"));
    Add(Qso().Band("40m").Call(nullptr).From("JA", "AS").Area("1"));  // a dupe of the first
    ASSERT_EQ(g_log[1].m_dupe, 1);
    const std::string text = Result();
    EXPECT_EQ(text, std::string(kPlainHead) + "40m\t 0\t 0\t 0\t 0\t 0\t 0\t 0\r\n" +
                        "Total\t 0\t 0\t 0\t 0\t 0\t 0\t 0\r\nDupe\t 0\r\nBad QSO\t 0\r\n\r\nScore: 0*(0+0+0+0+0) = 0\r\n"
                        "\r\nHourly (10min) QSO rate:     0 (0) QSOs/hour\r\nHourly (10min) pts rate:     0 (0) "
                        "points/hour\r\n\r\nLast QSO: 0 points\r\n\r\nScored by Stats.dll, SARTG-WW-RTTY");
    EXPECT_TRUE(g_slotMults[2].empty());
}

TEST_F(Summary, ABandWithoutQsosLeftGetsARowOfZerosAndEmptyLists) {
    Add(Qso().Band("40m").From("JA", "AS").Area("1"));
    Add(Qso().Call("DL1XYZ").From("DL", "EU"));
    Result();
    ASSERT_EQ(g_slotMults[2], (TextList{"JA", "JA1"}));
    Remove(Qso().Band("40m"));
    const std::string text = Result();
    EXPECT_TRUE(Has(text, "\r\n40m\t 0\t 0\t 0\t 0\t 0\t 0\t 0\r\n20m\t 1\t 5\t 1\t 0\t 0\t 0\t 0\r\n")) << text;
    EXPECT_TRUE(g_slotMults[2].empty());
    EXPECT_TRUE(g_slotAreasJA[2].empty());
}

TEST_F(Summary, EntitiesAndAreasCountOncePerBand) {
    Add(Qso().Call("JA1AAA").From("JA", "AS").Area("1"));
    Add(Qso().Call("JA1BBB").From("JA", "AS").Area("1"));
    Add(Qso().Call("JA1AAA").Band("40m").From("JA", "AS").Area("1"));
    Add(Qso().Call("K0XYZ").From("K", "NA").Area("K0"));
    Add(Qso().Call("W5XYZ").From("K", "NA"));  // K without an area digit
    Add(Qso().Call("DL1AAA").From("DL", "EU").Area("5"));  // not an area entity
    const std::string text = Result();
    EXPECT_TRUE(Has(text, "\r\n40m\t 1\t 15\t 1\t 0\t 1\t 0\t 0\r\n20m\t 5\t 65\t 3\t 1\t 1\t 0\t 0\r\nTotal\t 6\t 80\t 4"
                          "\t 1\t 2\t 0\t 0\r\n"))
        << text;
    EXPECT_TRUE(Has(text, "Score: 80*(4+1+2+0+0) = 560\r\n")) << text;
    EXPECT_EQ(g_slotMults[3], (TextList{"JA", "JA1", "K", "K0", "DL"}));
    EXPECT_EQ(g_slotAreasJA[3], (TextList{"JA1"}));
    EXPECT_EQ(g_slotAreasK[3], (TextList{"K0"}));
    EXPECT_EQ(g_slotMults[2], (TextList{"JA", "JA1"}));
    EXPECT_EQ(g_slotAreasJA[2], (TextList{"JA1"}));
}

// Two QSOs: one at T - offset (15 points), then the reference at T (5 points).
TEST_F(Summary, RateWindowsAgainstTheLastEntry) {
    const HostDateTime t = Aug20(10, 0);
    struct { const char* what; int secondsBefore; bool hour, ten; } cases[] = {
        {"T - 9:59", 599, true, true},
        {"T - 10:00", 600, true, false},
        {"T - 59:59", 3599, true, false},
        {"T - 60:00", 3600, false, false},
        {"same time", 0, true, true},
        {"one second after T", -1, true, true},
        {"a day after T", -86400, true, true},
        {"a day before", 86400, false, false},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(DoReset(Reset()), 1);
        Add(Qso().Call("K1ABC").From("K", "NA").Time(Plus(t, -c.secondsBefore)));
        Add(Qso().Call("DL1ABC").From("DL", "EU").Time(t));
        const int hourQsos = 1 + c.hour, tenQsos = 1 + c.ten;
        const int hourPoints = 5 + 15 * c.hour, tenPoints = 5 + 15 * c.ten;
        const std::string expected =
            Format("Hourly (10min) QSO rate: %5i (%i) QSOs/hour\r\nHourly (10min) pts rate: %5i (%i) points/hour\r\n",
                   hourQsos, 6 * tenQsos, hourPoints, 6 * tenPoints);
        const std::string text = Result();
        EXPECT_TRUE(Has(text, expected)) << c.what << "\n" << text;
    }
}

TEST_F(Summary, LastQsoShowsTheLatestScoringQsoOnTheLastEntrysBand) {
    struct { const char* what; std::vector<Qso> log; int points; } cases[] = {
        {"last entry scores", {Qso().From("K", "NA"), Qso().Call("B").From("DL", "EU")}, 5},
        {"last entry a dupe",
         {Qso().From("K", "NA"), Qso().Call("B").Band("40m").From("SM", "EU"), Qso().From("K", "NA")}, 15},
        {"only a dupe of an empty call on that band",
         {Qso().Band("40m").From("SM", "EU"), Qso().Call(""), Qso().Call("")}, 0},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(DoReset(Reset()), 1);
        for (const Qso& q : c.log) Add(q);
        EXPECT_TRUE(Has(Result(), Format("\r\nLast QSO: %i points\r\n", c.points))) << c.what;
        g_htmlOutput = 1;
        EXPECT_TRUE(Has(Result(), Format("<center>%5i</center>", c.points))) << c.what;
        g_htmlOutput = 0;
    }
}

TEST_F(Summary, BadQsoCountFromTheFile) {
    struct { const char* line; int counted; } cases[] = {
        {"QSO:  14085  RTTY  2017-08-19 1234  DL0TST  599  001  SM5AAA  599  017   WRONG BAND !!!", 1},
        {"QSO:  14085  RTTY  2017-08-19 1234  DL0TST  599  001  SM5AAA  599  017   WRONG MODE !!!", 1},
        {"QSO:  14085  RTTY  2017-08-19 1234  DL0TST  599  001  SM5AAA  599     NO RX NUMBER !!!", 1},
        {"QSO:  14085  RTTY  2017-08-19 1234  DL0TST  599  001  SM5AAA  599  017   DUPE !!!", 0},
        {"DUPE at the very start", 1},
        {"xDUPE", 0},
        {"UBN at the very start", 1},
        {"xUBN", 0},
        {"dupe in small letters", 1},
        {"", 1},
    };
    for (const auto& c : cases) {
        WriteFile(kBadFile, std::string(kHeader) + c.line + "\r\n");
        const std::string text = Result();
        EXPECT_EQ(g_badQsoCount, c.counted) << c.line;
        EXPECT_TRUE(Has(text, Format("\r\nBad QSO\t %i\r\n", c.counted))) << c.line;
    }
    std::filesystem::remove(kBadFile);
    Result();
    EXPECT_EQ(g_badQsoCount, 0);
}

// A band that passes the band test only ignoring case has its own row and no
// slot: it never touches the per-slot tables.
TEST_F(Summary, BandInCapitalsHasARowButNoSlot) {
    g_slotMults[0] = {"untouched 0"};
    g_slotMults[1] = {"untouched 1"};
    g_slotAreasJA[0] = {"untouched JA"};
    Add(Qso().Band("80M").Call("JA1AAA").From("JA", "AS").Area("1"));
    Add(Qso().Band("20M").Call("JA2AAA").From("JA", "AS").Area("2"));
    Add(Qso().Band("20m").Call("DL1AAA").From("DL", "EU"));
    const std::string text = Result();
    EXPECT_TRUE(Has(text, "\r\n80M\t 1\t 15\t 1\t 0\t 1\t 0\t 0\r\n20m\t 1\t 5\t 1\t 0\t 0\t 0\t 0\r\n"
                          "20M\t 1\t 15\t 1\t 0\t 1\t 0\t 0\r\nTotal\t 3\t 35\t 3\t 0\t 2\t 0\t 0\r\n"))
        << text;
    EXPECT_EQ(g_slotMults[0], (TextList{"untouched 0"}));
    EXPECT_EQ(g_slotMults[1], (TextList{"untouched 1"}));
    EXPECT_EQ(g_slotAreasJA[0], (TextList{"untouched JA"}));
    EXPECT_EQ(g_slotMults[3], (TextList{"DL"}));
    EXPECT_TRUE(g_slotAreasJA[3].empty());
}

TEST_F(Summary, SlotsOfBandsNotInTheLogAreLeftAsTheyAre) {
    g_slotMults[5] = {"kept"};
    g_slotAreasVE[5] = {"VE9"};
    Add(Qso());
    Result();
    EXPECT_EQ(g_slotMults[5], (TextList{"kept"}));
    EXPECT_EQ(g_slotAreasVE[5], (TextList{"VE9"}));
}

TEST_F(Summary, ScoreBeyond32BitsIsPrintedAndStoredInFull) {
    std::filesystem::create_directory("Plugins");
    for (int i = 0; i < 20000; ++i) {
        const std::string entity = "E" + std::to_string(i);
        ASSERT_EQ(Add(Qso().Call(entity.c_str()).From(entity.c_str(), "SA")), 1);
    }
    const std::string text = Result();
    EXPECT_TRUE(Has(text, "\r\nScore: 300000*(20000+0+0+0+0) = 6000000000\r\n")) << text.substr(0, 400);
    EXPECT_EQ(g_claimedScore, 6000000000LL);
    EXPECT_EQ(ReadProfileText(g_iniPath, g_iniSection, "Claimed"), "6000000000");
    g_htmlOutput = 1;
    EXPECT_TRUE(Has(Result(), "<center>300000 * (20000 + 0 + 0 + 0 + 0 ) = 6000000000</center>"));
}

TEST_F(Summary, ClaimedScoreInTheSettingsFile) {
    Add(Qso());
    Result();  // no Plugins folder: nothing written, nothing reported
    EXPECT_FALSE(Exists("Plugins"));
    std::filesystem::create_directory("Plugins");
    WriteFile("Plugins/SARTG-WW-RTTY.ini", "[Settings]\r\nStart=1\r\nClaimed=999\r\n");
    Result();
    EXPECT_EQ(ReadProfileText(g_iniPath, g_iniSection, "Claimed"), "10");
    EXPECT_EQ(ReadProfileText(g_iniPath, g_iniSection, "Start"), "1");
}

TEST_F(Summary, EmptyLog) {
    EXPECT_EQ(Result(), std::string(kPlainHead) + kEmptyTail);
    Add(Qso().Band("160m"));
    EXPECT_EQ(Result(), std::string(kPlainHead) + "Total\t 0\t 0\t 0\t 0\t 0\t 0\t 0\r\nDupe\t 0\r\nBad QSO\t 1\r\n\r\n"
                                                  "Score: 0*(0+0+0+0+0) = 0\r\n");
    g_htmlOutput = 1;
    const std::string html = Result();
    EXPECT_TRUE(Has(html, "<tr><th> <center>Total</center></th><td><center>0</center></td>")) << html;
    EXPECT_TRUE(Has(html, "<tr><th>Last QSO points:</small></th><td colspan=9><center>    0</center></td></tr>"
                          "<th colspan=10><center>Rate</center></th></tr><tr><th> Hourly (10min/1 hour) QSO rate: "
                          "</th><td colspan=9><center>    0 /0</center></td></tr><tr><th> Hourly (10min/1 hour) pts "
                          "rate: </th><td colspan=9><center>    0 /0</center></td></tr></table>"))
        << html;
}

TEST_F(Summary, OutputModeLeavesTheRatesOut) {
    ASSERT_EQ(DoReset(Reset().Export(1)), 1);
    ASSERT_NE(g_cabrilloExport, 0);
    Add(Qso().From("K", "NA"));
    const std::string text = Result();
    EXPECT_EQ(text, std::string(kPlainHead) +
                        "20m\t 1\t 15\t 1\t 0\t 0\t 0\t 0\r\nTotal\t 1\t 15\t 1\t 0\t 0\t 0\t 0\r\nDupe\t 0\r\nBad QSO\t "
                        "0\r\n\r\nScore: 15*(1+0+0+0+0) = 15\r\n");
    g_htmlOutput = 1;
    const std::string html = Result();
    EXPECT_TRUE(Has(html, "<center>   15</center>")) << html;  // the last QSO's points stay
    EXPECT_TRUE(Has(html, "<center>    0 /0</center></td></tr><tr><th> Hourly (10min/1 hour) pts rate: </th><td "
                          "colspan=9><center>    0 /0</center>"))
        << html;
}

TEST_F(Summary, MinusOneThroughTheArgumentInEveryMode) {
    for (int html : {0, 1}) {
        g_htmlOutput = html;
        int code = 0;
        GetResult0(&code);
        EXPECT_EQ(code, -1);
        Add(Qso());
        code = 7;
        GetResult0(&code);
        EXPECT_EQ(code, -1);
    }
}

}  // namespace
