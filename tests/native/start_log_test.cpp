// Starting a log: the host version, the own data, the language flag, the
// tables and the bad-QSO file.
#include <gtest/gtest.h>

#include <map>

#include "support/host_calls.h"

namespace {

using namespace testsupport;

class StartLog : public EngineTest {};

TEST_F(StartLog, HostVersionFromTheHostsSettingsFile) {
    struct {
        const char* what;
        std::map<std::string, std::string> files;
        const char* hostFolder;
        const char* before;
        const char* version;
    } cases[] = {
        {"Vokt=2.20", {{"Vokt2.ini", "[Main]\r\nVokt=2.20\r\nLang=1\r\n"}}, "", "", "2.20"},
        {"Vokt=2.19 with LF only", {{"Vokt2.ini", "Vokt=2.19\n"}}, "./", "", "2.19"},
        {"Vokt=2.18", {{"Vokt2.ini", "Vokt=2.18\r\n"}}, "", "2.20", "2.18"},
        {"no settings file", {}, "", "2.20", "Vokt"},
        {"only other ini files", {{"other.ini", "Vokt=2.20\r\n"}, {"Vokt2.txt", "Vokt=2.20\r\n"}}, "", "", "Vokt"},
        {"folder missing", {{"Vokt2.ini", "Vokt=2.20\r\n"}}, "nowhere/", "2.19", "Vokt"},
        {"no Vokt= line keeps the old value", {{"Vokt2.ini", "[Main]\r\nLang=1\r\n"}}, "", "2.20", "2.20"},
        {"no Vokt= line at the first reset", {{"Vokt2.ini", "vokt=2.20\r\n"}}, "", "", ""},
        {"found in the host folder, read from the current one",
         {{"host/Vokt2.ini", "Vokt=9.99\r\n"}, {"Vokt2.ini", "Vokt=2.19\r\n"}}, "host/", "", "2.19"},
        {"found in the host folder, none here", {{"host/Vokt2.ini", "Vokt=2.19\r\n"}}, "host/", "x", "x"},
        {"here but not in the host folder", {{"Vokt2.ini", "Vokt=2.19\r\n"}, {"host/a.ini", ""}}, "host/", "",
         "Vokt"},
        {"a longer name holding Vokt2.ini", {{"host/MyVokt2.ini", ""}, {"Vokt2.ini", "Vokt=2.20\r\n"}}, "host/", "",
         "2.20"},
        {"the name compares with case", {{"host/vokt2.ini", ""}, {"Vokt2.ini", "Vokt=2.20\r\n"}}, "host/", "",
         "Vokt"},
        {"first line with Vokt= wins, cut after five characters",
         {{"Vokt2.ini", "Version Vokt=2.19\r\nVokt=2.20\r\n"}}, "", "", "on Vokt=2.19"},
        {"empty version", {{"Vokt2.ini", "Vokt=\r\n"}}, "", "2.20", ""},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all("host");
        std::filesystem::remove("Vokt2.ini");
        std::filesystem::remove("other.ini");
        std::filesystem::remove("Vokt2.txt");
        for (const auto& [path, content] : c.files) WriteFile(path, content);
        g_hostVersion = c.before;
        ASSERT_EQ(DoReset(Reset().HostFolder(c.hostFolder)), 1);
        EXPECT_EQ(g_hostVersion, c.version) << c.what;
    }
}

TEST_F(StartLog, HostVersionSteersTheWrongBandAnswer) {
    struct { const char* line; int answer; } cases[] = {
        {"Vokt=2.20\r\n", 1}, {"Vokt=2.19\r\n", 1}, {"Vokt=2.18\r\n", 4}, {"Vokt=2.20 \r\n", 4}, {nullptr, 4},
    };
    for (const auto& c : cases) {
        std::filesystem::remove("Vokt2.ini");
        if (c.line) WriteFile("Vokt2.ini", c.line);
        ASSERT_EQ(DoReset(Reset()), 1);
        EXPECT_EQ(CallCheck(Check().Band("160m")), c.answer) << (c.line ? c.line : "no file");
    }
}

TEST_F(StartLog, RussianFlagOnceSetStaysSet) {
    EXPECT_EQ(g_russianUi, 0);
    DoReset(Reset().OwnCountry("ua9"));
    EXPECT_EQ(g_russianUi, 0);
    DoReset(Reset().OwnCountry("UA9"));
    EXPECT_EQ(g_russianUi, 1);
    DoReset(Reset().OwnCountry("DL"));
    EXPECT_EQ(g_russianUi, 1);
    DoReset(Reset().OwnCountry(nullptr));
    EXPECT_EQ(g_russianUi, 1);
}

TEST_F(StartLog, OwnDataAndContestPeriod) {
    DoReset(Reset().HostFolder("C:\\Vokt\\").OwnCall("UA9XYZ").OwnCountry("UA9").OwnContinent("AS")
                .Start(At(2017, 8, 19, 12, 0)).End(At(2017, 8, 20, 11, 59)).Export(0));
    EXPECT_EQ(g_hostFolder, "C:\\Vokt\\");
    EXPECT_EQ(g_ownCall, "UA9XYZ");
    EXPECT_EQ(g_ownCountry, "UA9");
    EXPECT_EQ(g_ownContinent, "AS");
    EXPECT_EQ(g_startDate, "19.08");
    EXPECT_EQ(g_contestYear, "2017");
    EXPECT_EQ(g_endDate, "20.08.2017");
    EXPECT_EQ(g_cabrilloExport, 0);
}

TEST_F(StartLog, BadQsoFileNamedByTheContestEndAndTruncated) {
    struct { const char* what; Reset reset; const char* name; } cases[] = {
        {"20 August 2017, 00:00", Reset().End(At(2017, 8, 20, 0, 0)), "BadQSO_StatsSARTGWWRTTY_20_08_2017.txt"},
        {"20 August 2017, 23:59", Reset().End(At(2017, 8, 20, 23, 59)), "BadQSO_StatsSARTGWWRTTY_20_08_2017.txt"},
        {"1 March 2020", Reset().End(At(2020, 3, 1, 6, 0)), "BadQSO_StatsSARTGWWRTTY_01_03_2020.txt"},
        {"null end", Reset().End(NullTime(42967.0)), "BadQSO_StatsSARTGWWRTTY_.txt"},
        {"invalid end", Reset().End(InvalidTime(42967.0)), "BadQSO_StatsSARTGWWRTTY_Invalid DateTime.txt"},
    };
    for (const auto& c : cases) {
        WriteFile(c.name, "old first line\r\nQSO: old line   WRONG BAND !!!\r\n");
        ASSERT_EQ(DoReset(c.reset), 1);
        EXPECT_EQ(g_badQsoFileName, c.name) << c.what;
        EXPECT_EQ(ReadFile(c.name), kHeader) << c.what;
    }
    Reset noEnd;
    noEnd.nullEnd = true;
    ASSERT_EQ(DoReset(noEnd), 1);
    EXPECT_EQ(g_badQsoFileName, "BadQSO_StatsSARTGWWRTTY_.txt");
}

TEST_F(StartLog, EmptiesTheLogAndTheTablesAndResetsTheWorkedWithRows) {
    Add(Qso().Band("40m").From("JA", "AS").Area("1"));
    Add(Qso().Band("20m").Call("K1ABC").From("K", "NA").Area("1"));
    Result();
    ASSERT_FALSE(g_slotMults[2].empty());
    ASSERT_FALSE(g_slotAreasK[3].empty());
    g_workedWithRows[3] = {"20m", "RTTY", "12:34", "017", "   -"};

    ASSERT_EQ(DoReset(Reset()), 1);
    EXPECT_EQ(g_log.size(), 0u);
    EXPECT_TRUE(g_bandsUsed.empty());
    for (int slot = 0; slot < kBandSlotCount; ++slot) {
        for (SlotTable* t : {&g_slotMults, &g_slotAreasJA, &g_slotAreasK, &g_slotAreasVE, &g_slotAreasVK})
            EXPECT_TRUE((*t)[slot].empty()) << slot;
        EXPECT_EQ(g_workedWithRows[slot], (TextList{g_bandRules[slot], "-", "-", "-", "-"})) << slot;
    }
    EXPECT_EQ(g_workedWithRows[0], (TextList{"80m", "-", "-", "-", "-"}));
    EXPECT_EQ(g_workedWithRows[1], (TextList{"80m", "-", "-", "-", "-"}));

    // A new log without 40m: the 40m slot stays empty after the summary.
    Add(Qso().Band("20m"));
    Result();
    EXPECT_TRUE(g_slotMults[2].empty());
    EXPECT_TRUE(g_slotAreasJA[2].empty());
    EXPECT_EQ(g_slotMults[3], (TextList{"SM"}));
}

TEST_F(StartLog, ExportFlagAndWindowStartOnEveryReset) {
    const int before = m_hooks.windowStarts;
    DoReset(Reset().Export(1));
    EXPECT_NE(g_cabrilloExport, 0);
    DoReset(Reset().Export(0));
    EXPECT_EQ(g_cabrilloExport, 0);
    EXPECT_EQ(m_hooks.windowStarts, before + 2);
}

}  // namespace
