// Stats.dll as the host sees it: its export table, the small exports, logging
// QSOs, starting a log, and what odd input from the host does.
#include <cstring>

#include "tests/windows/plugin_test_support.h"

namespace {

const char* const kBadFile = "BadQSO_StatsSARTGWWRTTY_20_08_2017.txt";

DateTime At(int day, int hour, int minute) { return DateTime::FromParts(2017, 8, day, hour, minute); }

HostQso Qso(const Text& call, const Text& band, const Text& mode = "RTTY", const Text& nrRcvd = "017",
            const Text& nrSent = "001") {
    HostQso q;
    q.call = call;
    q.band = band;
    q.mode = mode;
    q.frequencyHz = 14085999;
    q.time = At(19, 12, 34);
    q.rstSent = "599";
    q.nrSent = nrSent;
    q.rstRcvd = "599";
    q.nrRcvd = nrRcvd;
    q.country = "DL";
    q.continent = "EU";
    return q;
}

class ExportsTest : public PluginTest {
protected:
    void Reset(const Text& ownCountry = "SM") {
        Calls().Reset(HostFolder(), 0, "OWNCALL", At(19, 0, 0), At(20, 0, 0), ownCountry, "EU");
    }
};

// ---- The export table --------------------------------------------------------

TEST_F(ExportsTest, ExportTableHoldsExactlyTheTwentyTwoNamesAtTheirOrdinals) {
    HMODULE module = GetModuleHandleA("Stats.dll");
    ASSERT_NE(module, nullptr);
    auto base = reinterpret_cast<const BYTE*>(module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    ASSERT_EQ(exports->Base, 1u);
    ASSERT_EQ(exports->NumberOfFunctions, 22u);
    ASSERT_EQ(exports->NumberOfNames, 22u);
    auto names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    auto ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        const char* name = reinterpret_cast<const char*>(base + names[i]);
        const int ordinal = ordinals[i] + 1;
        const ExportName& expected = kExportTable[ordinal - 1];
        EXPECT_STREQ(name, expected.decorated ? expected.decorated : expected.plain) << "ordinal " << ordinal;
    }
    // Every name, decorated or plain, and its ordinal lead to one address.
    for (const ExportName& e : kExportTable) {
        FARPROC byName = GetProcAddress(module, e.decorated ? e.decorated : e.plain);
        FARPROC byOrdinal = GetProcAddress(module, MAKEINTRESOURCEA(e.ordinal));
        FARPROC byPlain = GetProcAddress(module, e.plain);
        ASSERT_NE(byName, nullptr) << e.plain;
        EXPECT_EQ(byName, byOrdinal) << e.ordinal;
        if (std::strcmp(e.plain, "GetExchgCount0") != 0) {
            EXPECT_EQ(byName, byPlain) << e.plain;
        }
    }
    // The exchange count and the number of sets are one function.
    EXPECT_EQ(GetProcAddress(module, "GetExchgCount0"), GetProcAddress(module, "GetNumberOfSets"));
}

// ---- The small exports -------------------------------------------------------

TEST_F(ExportsTest, ExchangeIsOneToFourDigitsButNot599) {
    const struct { const char* text; int valid; } cases[] = {
        {"1", 1}, {"0599", 1}, {"9999", 1}, {"599", 0}, {"", 0}, {"12345", 0}, {"12a", 0}, {" 12", 0},
        {"12 ", 0}, {"\xB9" "1", 0}, {"-1", 0}, {nullptr, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Api().IsValidExchg0(c.text, "junk2", "junk3", "junk4", 5, 6, 7), c.valid)
            << (c.text ? c.text : "(null)");
}

TEST_F(ExportsTest, SetNamesAndCounts) {
    EXPECT_STREQ(Api().GetSetName(0), "SARTG-WW-RTTY (C)");
    for (int index : {1, -1, 2, 1000000}) {
        const char* name = Api().GetSetName(index);
        ASSERT_NE(name, nullptr);
        EXPECT_STREQ(name, "");
    }
    EXPECT_EQ(Api().GetNumberOfSets(), 1);
    EXPECT_EQ(Api().GetExchgCount0(nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(Api().GetExchgCount0("a", "b", "c"), 1);
}

TEST_F(ExportsTest, SetVersionWithNullSwitchesTheSummaryToHtml) {
    Reset();
    EXPECT_EQ(Calls().Result().rfind("\t   SARTG-WW-RTTY Contest", 0), 0u);
    EXPECT_EQ(Api().setVersion(nullptr), 0u);
    EXPECT_EQ(Calls().Result().rfind("<html>", 0), 0u);
    EXPECT_EQ(Api().setVersion("2.20"), 0u);
    EXPECT_EQ(Calls().Result().rfind("<html>", 0), 0u);
}

// ---- Logging QSOs ------------------------------------------------------------

TEST_F(ExportsTest, RefusalsAndDupesWriteTheirLinesByteForByte) {
    Reset();
    PluginCalls calls = Calls();
    struct Case {
        HostQso qso;
        int stored;
    };
    const Case cases[] = {
        {Qso("HISCALL", "20m"), 1},
        {Qso("HISCALL", "20m"), 1},               // dupe
        {Qso("HISCALL", "20m"), 1},               // dupe again: one more line
        {Qso("HISCALL", "40m"), 1},               // another band: no dupe
        {Qso("BANDCALL", "160m"), 0},
        {Qso("MODECALL", "20m", "CW"), 0},
        {Qso("NUMCALL", "20m", "RTTY", "017", ""), 0},
        {Qso("NUMCALL", "20m", "RTTY", "", "001"), 0},
        {Qso("CASECALL", "40M", "rtty"), 1},      // the tests ignore case
        {Qso("CASECALL", "40m", "rtty"), 1},      // ... the dupe test does not
    };
    for (const Case& c : cases) EXPECT_EQ(calls.Add("OWNCALL", c.qso), c.stored) << c.qso.call;
    auto line = [&](const Text& mode, const Text& call, const Text& nrSent, const Text& nrRcvd, const char* reason) {
        return "QSO:  14085  " + mode + "  2017-08-19 1234  OWNCALL  599  " + nrSent + "  " + call + "  599  " +
               nrRcvd + reason + "\r\n";
    };
    const Text expected = Text("SARTG-WW-RTTY Contest UBN file\r\n") +
                          line("RTTY", "HISCALL", "001", "017", "   DUPE !!!") +
                          line("RTTY", "HISCALL", "001", "017", "   DUPE !!!") +
                          line("RTTY", "BANDCALL", "001", "017", "   WRONG BAND !!!") +
                          line("CW", "MODECALL", "001", "017", "   WRONG MODE !!!") +
                          line("RTTY", "NUMCALL", "", "017", "   NO RX NUMBER !!!") +
                          line("RTTY", "NUMCALL", "001", "", "   NO RX NUMBER !!!");
    EXPECT_EQ(ReadFile(kBadFile), expected);
    // Two DUPE lines in the file, seven QSOs stored; refused QSOs add no band.
    const Text summary = calls.Result();
    EXPECT_NE(summary.find("Dupe\t 2\r\n"), Text::npos) << summary;
    EXPECT_NE(summary.find("Bad QSO\t 4\r\n"), Text::npos) << summary;
    EXPECT_EQ(summary.find("160m"), Text::npos);
    EXPECT_NE(summary.find("40M\t 1\t"), Text::npos) << summary;
    EXPECT_NE(summary.find("40m\t 2\t"), Text::npos) << summary;
}

TEST_F(ExportsTest, QsosBeforeTheFirstResetAreStoredWithoutAnyFile) {
    EXPECT_EQ(Calls().Add("OWNCALL", Qso("HISCALL", "20m")), 1);
    EXPECT_EQ(Calls().Add("OWNCALL", Qso("HISCALL", "20m")), 1);
    EXPECT_EQ(Calls().Add("OWNCALL", Qso("HISCALL", "160m")), 0);
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA("BadQSO*", &data);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    EXPECT_NE(Calls().Result().find("Dupe\t 1\r\n"), Text::npos);
}

// ---- Starting a log ----------------------------------------------------------

TEST_F(ExportsTest, HostVersionDecidesTheAnswerForInputThatCannotBeJudged) {
    PluginCalls calls = Calls();
    auto wrongBand = [&] { return calls.Check("DL1ABC", "160m", "RTTY", "DL", "EU", ""); };

    Reset();  // no Vokt2.ini at all: "Vokt"
    EXPECT_EQ(wrongBand(), 4);

    WriteFile("Vokt2.ini", "[General]\r\nName=x\r\nVokt=2.20\r\n");
    Reset();
    EXPECT_EQ(wrongBand(), 1);

    WriteFile("Vokt2.ini", "[General]\r\nName=x\r\n");  // no "Vokt=": the version stays
    Reset();
    EXPECT_EQ(wrongBand(), 1);

    WriteFile("Vokt2.ini", "Vokt=2.18\r\n");
    Reset();
    EXPECT_EQ(wrongBand(), 4);

    DeleteFileA("Vokt2.ini");
    Reset();
    EXPECT_EQ(wrongBand(), 4);
}

TEST_F(ExportsTest, ResetNamesTheBadQsoFileFromTheContestEndAndTruncatesIt) {
    WriteFile(kBadFile, "old first line\r\nold second line\r\n");
    Reset();
    EXPECT_EQ(ReadFile(kBadFile), "SARTG-WW-RTTY Contest UBN file\r\n");
    // An end at 23:59 of another day names another file.
    Calls().Reset(HostFolder(), 0, "OWNCALL", At(19, 0, 0), DateTime::FromParts(2018, 1, 2, 23, 59), "SM", "EU");
    EXPECT_EQ(ReadFile("BadQSO_StatsSARTGWWRTTY_02_01_2018.txt"), "SARTG-WW-RTTY Contest UBN file\r\n");
}

TEST_F(ExportsTest, ResetEmptiesTheLog) {
    Reset();
    Calls().Add("OWNCALL", Qso("HISCALL", "20m"));
    Reset();
    EXPECT_EQ(Calls().Add("OWNCALL", Qso("HISCALL", "20m")), 1);
    EXPECT_EQ(ReadFile(kBadFile), "SARTG-WW-RTTY Contest UBN file\r\n");  // not a dupe any more
}

// ---- Bad input from the host -------------------------------------------------

TEST_F(ExportsTest, NullPointersEverywhereNeverCrash) {
    PluginCalls calls = Calls();
    EXPECT_EQ(calls.ResetRaw(nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr), 1);
    // The contest end is null: the file name has no date.
    EXPECT_EQ(ReadFile("BadQSO_StatsSARTGWWRTTY_.txt"), "SARTG-WW-RTTY Contest UBN file\r\n");
    EXPECT_EQ(calls.AddRaw(nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr),
              0);
    // A valid QSO with every optional text null and a null time is stored.
    EXPECT_EQ(calls.AddRaw(nullptr, nullptr, nullptr, 14000000, "RTTY", nullptr, nullptr, "1", "2", nullptr,
                           nullptr, nullptr, "20m"),
              1);
    EXPECT_EQ(calls.CheckRaw(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 4);
    // The stored QSO has the empty call: a null call is a dupe of it.
    EXPECT_EQ(calls.CheckRaw(nullptr, "RTTY", nullptr, "DL", nullptr, "20m", nullptr), 0);
    EXPECT_EQ(calls.CheckRaw("DL1ABC", "RTTY", nullptr, "DL", nullptr, "20m", nullptr), 2);
    EXPECT_EQ(calls.RemoveRaw(nullptr, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(calls.RemoveRaw(nullptr, nullptr, "RTTY", "20m"), 1);  // the null-time QSO goes
    int stored = 0;
    const char* text = Api().GetResult0(&stored);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(stored, -1);
    EXPECT_NE(Api().GetResult0(nullptr), nullptr);
    // The refused all-null QSO: every piece empty, the null time formatted as nothing.
    EXPECT_EQ(ReadFile("BadQSO_StatsSARTGWWRTTY_.txt"),
              "SARTG-WW-RTTY Contest UBN file\r\nQSO:  0" + Text(16, ' ') + "   WRONG BAND !!!\r\n");
}

TEST_F(ExportsTest, InvalidAndOddTimesAreFormattedNotTrusted) {
    Reset();
    PluginCalls calls = Calls();
    HostDateTime invalid{42966.5, 1, 0}, oddStatus{42966.5, 77, 0}, nan{0.0, 0, 0}, huge{1e300, 0, 0};
    double quietNan;
    const unsigned long long bits = 0x7ff8000000000000ULL;
    std::memcpy(&quietNan, &bits, sizeof quietNan);
    nan.m_dt = quietNan;
    for (HostDateTime* t : {&invalid, &oddStatus, &nan, &huge})
        EXPECT_EQ(calls.AddRaw("OWN", "X", t, 1, "RTTY", "599", "599", "1", "2", "", "DL", "EU", "160m"), 0);
    const Text file = ReadFile(kBadFile);
    EXPECT_EQ(file, "SARTG-WW-RTTY Contest UBN file\r\n" +
                        Text("QSO:  0  RTTY  Invalid DateTime  OWN  599  1  X  599  2   WRONG BAND !!!\r\n") +
                        "QSO:  0  RTTY  Invalid DateTime  OWN  599  1  X  599  2   WRONG BAND !!!\r\n" +
                        "QSO:  0  RTTY  Invalid DateTime  OWN  599  1  X  599  2   WRONG BAND !!!\r\n" +
                        "QSO:  0  RTTY  Invalid DateTime  OWN  599  1  X  599  2   WRONG BAND !!!\r\n");
    EXPECT_EQ(calls.AddRaw("OWN", "X", &nan, 1, "RTTY", "599", "599", "1", "2", "", "DL", "EU", "20m"), 1);
    EXPECT_FALSE(calls.Result().empty());
}

TEST_F(ExportsTest, LongTextsAndHighBytesPassThroughUnharmed) {
    Reset();
    PluginCalls calls = Calls();
    const Text longCall(65536, 'W');
    const Text high = "\xC0\xDF\xFF\x80\xB9";  // Windows-1251 letters and other high bytes
    HostDateTime t = At(19, 12, 34).ToHost();
    EXPECT_EQ(calls.AddRaw(high.c_str(), longCall.c_str(), &t, 14085000, "RTTY", high.c_str(), "599", "1", "2",
                           "", high.c_str(), "EU", "160m"),
              0);
    EXPECT_EQ(calls.AddRaw("OWN", high.c_str(), &t, 14085000, "RTTY", "599", "599", "1", "2", "", high.c_str(),
                           "EU", "20m"),
              1);
    EXPECT_EQ(calls.AddRaw("OWN", high.c_str(), &t, 14085000, "RTTY", "599", "599", "1", "2", "", high.c_str(),
                           "EU", "20m"),
              1);
    const Text file = ReadFile(kBadFile);
    EXPECT_NE(file.find(high + "  " + high + "  1  " + longCall + "  599  2   WRONG BAND !!!\r\n"), Text::npos);
    EXPECT_NE(file.find("OWN  599  1  " + high + "  599  2   DUPE !!!\r\n"), Text::npos);
    EXPECT_EQ(calls.Check(high, "20m", "RTTY", high, "EU", ""), 0);
    EXPECT_EQ(calls.Check(longCall, "20m", "RTTY", high, "EU", ""), 1);
}

TEST_F(ExportsTest, UnwritableBadQsoFileLosesOnlyTheLines) {
    // A folder of the same name: no program may open it as a file.
    ASSERT_TRUE(CreateDirectoryA(kBadFile, nullptr));
    Reset();
    PluginCalls calls = Calls();
    EXPECT_EQ(calls.Add("OWNCALL", Qso("HISCALL", "20m")), 1);
    EXPECT_EQ(calls.Add("OWNCALL", Qso("HISCALL", "20m")), 1);
    EXPECT_EQ(calls.Add("OWNCALL", Qso("OTHER", "160m")), 0);
    EXPECT_EQ(calls.Check("HISCALL", "20m", "RTTY", "DL", "EU", ""), 0);
    EXPECT_EQ(calls.Remove(Qso("NOBODY", "20m")), 1);
    const Text summary = calls.Result();
    EXPECT_NE(summary.find("20m\t 1\t 10\t 1\t"), Text::npos) << summary;
    EXPECT_NE(summary.find("Dupe\t 1\r\n"), Text::npos) << summary;
    EXPECT_NE(summary.find("Bad QSO\t 0\r\n"), Text::npos) << summary;
}

TEST_F(ExportsTest, CallCheckWritesNothingThroughItsOutputPointers) {
    Reset();
    char out27[8] = "keep27", out28[8] = "keep28";
    Api().CheckCall0("DL1ABC", 2, 3, "RTTY", "j", "j", "j", "j", "j", "j", "j", "j", "", "DL", 15, 16, 17, 18.0,
                     19.0, "j", "EU", "j", "j", "j", "20m", "20m", out27, out28);
    EXPECT_STREQ(out27, "keep27");
    EXPECT_STREQ(out28, "keep28");
}

TEST_F(ExportsTest, LibraryReloadsWithFreshState) {
    Reset();
    Calls().Add("OWNCALL", Qso("HISCALL", "20m"));
    Api().setVersion(nullptr);
    TearDown();
    SetUp();
    Reset();
    const Text summary = Calls().Result();
    EXPECT_EQ(summary.rfind("\t   SARTG", 0), 0u);  // plain text again
    EXPECT_NE(summary.find("Total\t 0\t"), Text::npos);
}

}  // namespace
