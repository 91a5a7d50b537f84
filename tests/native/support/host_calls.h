// The host's side of the exports, as the tests use it: QSOs built with
// chained setters and handed to the real export functions with the host's
// full argument lists, every ignored position filled with its own junk so
// that a misread position shows; a recording hooks object; and a fixture that
// starts each test from a fresh log in a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "engine/contest_state.h"
#include "engine/engine.h"
#include "engine/host_hooks.h"
#include "platform/date_time.h"
#include "plugin/exports.h"
#include "support/scratch_dir.h"

namespace testsupport {

inline HostDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return DateTime::FromParts(year, month, day, hour, minute, second).ToHost();
}
inline HostDateTime NullTime(double days = 0.0) { return HostDateTime{days, 2, 0}; }
inline HostDateTime InvalidTime(double days = 0.0) { return HostDateTime{days, 1, 0}; }
// A QSO time on the first contest day, 19 August 2017.
inline HostDateTime Utc(int hour, int minute, int second = 0) { return At(2017, 8, 19, hour, minute, second); }
inline HostDateTime Plus(HostDateTime t, int seconds) {
    t.m_dt += seconds / 86400.0;
    return t;
}

// Junk for the positions the plug-in must not read.
namespace junk {
inline HostDateTime g_time{98765.4321, 1, 77};
inline const char* Str(int position) {
    static std::string texts[40];
    std::string& t = texts[position];
    if (t.empty()) t = "junk" + std::to_string(position);
    return t.c_str();
}
constexpr unsigned kUnsigned = 0xDEADBEEFu;
constexpr int kInt = -7777;
constexpr double kDouble = -3.25e7;
}  // namespace junk

struct Qso {
    const char* ownCall = "DL0TST";
    const char* call = "SM5AAA";
    HostDateTime time = Utc(12, 34);
    bool nullTimePointer = false;
    unsigned frequencyHz = 14085000;
    const char* mode = "RTTY";
    const char* rstSent = "599";
    const char* rstRcvd = "599";
    const char* nrSent = "001";
    const char* nrRcvd = "017";
    const char* areaText = "";
    const char* country = "SM";
    const char* continent = "EU";
    const char* band = "20m";

    Qso& OwnCall(const char* v) { ownCall = v; return *this; }
    Qso& Call(const char* v) { call = v; return *this; }
    Qso& Time(HostDateTime v) { time = v; return *this; }
    Qso& NoTimePointer() { nullTimePointer = true; return *this; }
    Qso& Freq(unsigned v) { frequencyHz = v; return *this; }
    Qso& Mode(const char* v) { mode = v; return *this; }
    Qso& RstSent(const char* v) { rstSent = v; return *this; }
    Qso& RstRcvd(const char* v) { rstRcvd = v; return *this; }
    Qso& NrSent(const char* v) { nrSent = v; return *this; }
    Qso& NrRcvd(const char* v) { nrRcvd = v; return *this; }
    Qso& Area(const char* v) { areaText = v; return *this; }
    Qso& Country(const char* v) { country = v; return *this; }
    Qso& Continent(const char* v) { continent = v; return *this; }
    Qso& Band(const char* v) { band = v; return *this; }
    // Entity and continent in one go.
    Qso& From(const char* entity, const char* cont) { country = entity; continent = cont; return *this; }
};

inline int Add(const Qso& q) {
    HostDateTime time = q.time;
    HostDateTime j4 = junk::g_time, j5 = junk::g_time, j6 = junk::g_time;
    return AddData0(q.ownCall, q.call, q.nullTimePointer ? nullptr : &time, &j4, &j5, &j6, junk::kUnsigned,
                    q.frequencyHz, q.mode, q.rstSent, q.rstRcvd, q.nrSent, q.nrRcvd, junk::Str(14),
                    junk::Str(15), junk::Str(16), junk::Str(17), junk::Str(18), junk::Str(19), junk::Str(20),
                    junk::Str(21), q.areaText, q.country, junk::kInt, junk::kInt, junk::kInt, junk::kDouble,
                    junk::kDouble, junk::Str(29), q.continent, junk::Str(31), q.band, junk::Str(33));
}

// RemoveData0 reads only call, time, mode and band: every other position,
// the own call and the frequency included, gets junk.
inline int Remove(const Qso& q) {
    HostDateTime time = q.time;
    HostDateTime j4 = junk::g_time, j5 = junk::g_time, j6 = junk::g_time;
    return RemoveData0(junk::Str(1), q.call, q.nullTimePointer ? nullptr : &time, &j4, &j5, &j6, junk::kUnsigned,
                       junk::kUnsigned, q.mode, junk::Str(10), junk::Str(11), junk::Str(12), junk::Str(13),
                       junk::Str(14), junk::Str(15), junk::Str(16), junk::Str(17), junk::Str(18),
                       junk::Str(19), junk::Str(20), junk::Str(21), junk::Str(22), junk::Str(23), junk::kInt,
                       junk::kInt, junk::kInt, junk::kDouble, junk::kDouble, junk::Str(29), junk::Str(30),
                       junk::Str(31), q.band, junk::Str(33));
}

struct Check {
    const char* call = "SM5AAA";
    const char* mode = "RTTY";
    const char* areaText = "";
    const char* country = "SM";
    const char* continent = "EU";
    const char* band = "20m";
    const char* compareBand = nullptr;

    Check& Call(const char* v) { call = v; return *this; }
    Check& Mode(const char* v) { mode = v; return *this; }
    Check& Area(const char* v) { areaText = v; return *this; }
    Check& Country(const char* v) { country = v; return *this; }
    Check& Continent(const char* v) { continent = v; return *this; }
    Check& Band(const char* v) { band = v; return *this; }
    Check& CompareBand(const char* v) { compareBand = v; return *this; }
};

// Calls CheckCall0; fails the test when it writes through its two char*.
inline int CallCheck(const Check& c) {
    char out27[16] = "untouched27", out28[16] = "untouched28";
    const int answer = CheckCall0(c.call, junk::kUnsigned, junk::kUnsigned, c.mode, junk::Str(5), junk::Str(6),
                                  junk::Str(7), junk::Str(8), junk::Str(9), junk::Str(10), junk::Str(11),
                                  junk::Str(12), c.areaText, c.country, junk::kInt, junk::kInt, junk::kInt,
                                  junk::kDouble, junk::kDouble, junk::Str(20), c.continent, junk::Str(22),
                                  junk::Str(23), junk::Str(24), c.band, c.compareBand, out27, out28);
    EXPECT_STREQ(out27, "untouched27");
    EXPECT_STREQ(out28, "untouched28");
    return answer;
}

struct Reset {
    const char* hostFolder = "";
    int cabrilloExport = 0;
    const char* ownCall = "DL0TST";
    HostDateTime start = At(2017, 8, 19, 12, 0);
    HostDateTime end = At(2017, 8, 20, 12, 0);
    bool nullStart = false, nullEnd = false;
    const char* ownCountry = "DL";
    const char* ownContinent = "EU";

    Reset& HostFolder(const char* v) { hostFolder = v; return *this; }
    Reset& OwnCall(const char* v) { ownCall = v; return *this; }
    Reset& Start(HostDateTime v) { start = v; return *this; }
    Reset& End(HostDateTime v) { end = v; return *this; }
    Reset& OwnCountry(const char* v) { ownCountry = v; return *this; }
    Reset& OwnContinent(const char* v) { ownContinent = v; return *this; }
    Reset& Export(int v) { cabrilloExport = v; return *this; }
};

inline int DoReset(const Reset& r) {
    HostDateTime start = r.start, end = r.end;
    return ResetStats0(r.hostFolder, r.cabrilloExport, r.ownCall, r.nullStart ? nullptr : &start,
                       r.nullEnd ? nullptr : &end, junk::Str(6), junk::Str(7), junk::Str(8), junk::Str(9),
                       junk::Str(10), junk::Str(11), junk::Str(12), junk::Str(13), junk::Str(14),
                       r.ownCountry, junk::kInt, junk::kInt, junk::kInt, junk::kDouble, junk::kDouble,
                       junk::Str(21), r.ownContinent, junk::Str(23));
}

inline std::string Result() {
    int code = 12345;
    const char* text = GetResult0(&code);
    EXPECT_EQ(code, -1);
    EXPECT_NE(text, nullptr);
    return text ? std::string(text) : std::string();
}

// Counts what the engine asks of the windows.
class RecordingHooks : public EngineHooks {
public:
    void PostStatsUpdate() override { ++posts; }
    void ResetCallAreaMarks() override { ++callAreaResets; }
    void StartWindows() override { ++windowStarts; }
    // The operator confirms the header editor of an export run.
    bool EditCabrilloHeader(CabrilloHeader&) override {
        ++editorRuns;
        return true;
    }
    std::atomic<int> posts{0}, callAreaResets{0}, windowStarts{0}, editorRuns{0};
};

// A non-null stand-in for a window.
inline void* DummyWindow() {
    static int window;
    return &window;
}

// Puts the engine's state back to what it is when the library has just been
// loaded (as far as a test can reach it).
inline void BackToLoadState() {
    StateLock lock;
    ClearLogAndTables();
    for (TextList& row : g_workedWithRows) row.clear();
    g_bandSlotNames.clear();
    for (Text* t : {&g_ownCountry, &g_ownContinent, &g_hostFolder, &g_currentCall, &g_contestYear, &g_ownCall,
                    &g_startDate, &g_endDate, &g_hostVersion, &g_badQsoFileName, &g_resultText})
        t->clear();
    g_htmlOutput = 0;
    g_cabrilloExport = 0;
    g_startFlag = 0;
    g_russianUi = 0;
    g_refreshPending = 1;
    g_setupWindow = nullptr;
    g_dxccWindow = nullptr;
    g_dxccExtWindow = nullptr;
    g_callAreaWindow = nullptr;
    g_claimedScore = 0;
    g_badQsoCount = 0;
}

// Each test: a scratch folder, the recording hooks, and a log started for
// DL0TST (entity DL, Europe), contest 19 to 20 August 2017.
class EngineTest : public ScratchTest {
protected:
    void SetUp() override {
        BackToLoadState();
        SetHooks(&m_hooks);
        ASSERT_EQ(DoReset(Reset()), 1);
    }
    void TearDown() override {
        BackToLoadState();
        SetHooks(nullptr);
    }

    static constexpr const char* kBadFile = "BadQSO_StatsSARTGWWRTTY_20_08_2017.txt";
    static constexpr const char* kHeader = "SARTG-WW-RTTY Contest UBN file\r\n";

    std::string BadFile() const { return ReadFile(kBadFile); }
    // The bad-QSO file as it must be: the header and these lines.
    static std::string BadFileWith(std::initializer_list<std::string> lines) {
        std::string out = kHeader;
        for (const std::string& line : lines) out += line + "\r\n";
        return out;
    }

    RecordingHooks m_hooks;
};

}  // namespace testsupport
