// The engine against the literal model (model/literal_model.h): seeded random
// runs of the host's calls, with many collisions of call, band, mode and
// time, odd letter case, empty and null texts, must give the same answers,
// the same summaries, the same bad-QSO files, the same log and the same
// per-slot tables.
#include <gtest/gtest.h>

#include <cinttypes>
#include <deque>
#include <filesystem>
#include <random>
#include <sstream>

#include "model/literal_model.h"
#include "platform/profile.h"
#include "support/host_calls.h"

namespace {

using namespace testsupport;

// ---- Pools of host values ----------------------------------------------------

const char* const kCalls[] = {"DL1AA", "DL1AAA", "DL1AAAB", "K1ABC", "k1abc", "JA1XYZ", "VE3AB", "VK2CD",
                              "UA9AA", "SM5\xC5\xC4", "G4 1234 X", "F\r\nX", "", nullptr};
const char* const kBands[] = {"20m", "20m", "20m", "40m", "40m", "80m", "15m", "10m",
                              "20M", "40M", "80M", "10M", "160m", "6m", "", nullptr};
const char* const kModes[] = {"RTTY", "RTTY", "RTTY", "RTTY", "rtty", "Rtty", "CW", "", nullptr};
const char* const kCountries[] = {"DL", "DL", "K", "K", "JA", "JA", "VE", "VK",  "UA9",
                                  "SM", "ja", "W", "",  nullptr, "\xC0\xC1"};
const char* const kContinents[] = {"EU", "EU", "NA", "AS", "OC", "", nullptr};
const char* const kAreas[] = {"1", "2", "7", "K7", "W2 7", "", nullptr, "abc", "0", "9"};
const char* const kNumbers[] = {"001", "017", "1234", "1200", "5", "", nullptr};
const char* const kReports[] = {"599", "599", "1234", "59\r\n9", nullptr};
const char* const kOwnCalls[] = {"DL0TST", "DL0TST", "DL0\nTST", nullptr};
const char* const kHostFolders[] = {"", "", "./", "nowhere/", "sub/", "sub\\"};
const char* const kVoktIni[] = {nullptr, "[Main]\r\nVokt=2.20\r\n", "Vokt=2.19\r\n", "x\r\nVokt=2.18\r\n",
                                "[Main]\r\nLang=1\r\n"};
const char* const kOwnCountries[] = {"DL", "DL", "UA9", "K", "JA", nullptr};
const char* const kOwnContinents[] = {"EU", "EU", "NA", "AS", nullptr};

constexpr double kBase = 42966.5;  // 19 August 2017, 12:00

class Random {
public:
    explicit Random(uint64_t seed) : m_engine(seed) {}
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_engine); }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine) < p; }
    template <size_t N>
    const char* Pick(const char* const (&pool)[N]) {
        return pool[Below(static_cast<int>(N))];
    }
    uint32_t Bits() { return static_cast<uint32_t>(m_engine()); }

private:
    std::mt19937_64 m_engine;
};

std::string Show(const char* text) {
    if (!text) return "(null)";
    std::ostringstream out;
    out << '"';
    for (const char* c = text; *c; ++c) {
        const unsigned char u = static_cast<unsigned char>(*c);
        if (u < 32 || u > 126) out << "\\x" << std::hex << static_cast<int>(u) << std::dec;
        else out << *c;
    }
    out << '"';
    return out.str();
}

struct TimeArg {
    HostDateTime value{};
    bool nullPointer = false;
    const HostDateTime* Get() const { return nullPointer ? nullptr : &value; }
    std::string Describe() const {
        if (nullPointer) return "time=(null)";
        return Format("time=%.9f/%d", value.m_dt, value.m_status);
    }
};

TimeArg DrawTime(Random& r) {
    TimeArg t;
    // A small set of minutes, so that times and their " HHMM " keys collide.
    static const int kMinutes[] = {0, 0, 1, 5, 9, 10, 11, 34, 34, 50, 59, 60, 61, 70, 119, 1440 + 34, -30};
    static const int kSeconds[] = {0, 0, 0, 1, 30, 59};
    const double days = kBase + (kMinutes[r.Below(17)] * 60 + kSeconds[r.Below(6)]) / 86400.0;
    const int kind = r.Below(100);
    if (kind < 84) t.value = HostDateTime{days, 0, 0};
    else if (kind < 89) t.value = HostDateTime{r.Chance(0.5) ? days : 0.0, 2, 0};
    else if (kind < 94) t.value = HostDateTime{r.Chance(0.5) ? days : 0.0, 1, 0};
    else if (kind < 97) t.value = HostDateTime{days, 7, 0};
    else t.nullPointer = true;
    return t;
}

struct QsoDraw {
    const char *ownCall, *call, *mode, *rstSent, *rstRcvd, *nrSent, *nrRcvd, *area, *country, *continent, *band;
    TimeArg time;
    unsigned frequencyHz;
    std::string Describe() const {
        return "own=" + Show(ownCall) + " call=" + Show(call) + " " + time.Describe() + Format(" f=%u", frequencyHz) +
               " mode=" + Show(mode) + " rst=" + Show(rstSent) + "/" + Show(rstRcvd) + " nr=" + Show(nrSent) + "/" +
               Show(nrRcvd) + " area=" + Show(area) + " country=" + Show(country) + " cont=" + Show(continent) +
               " band=" + Show(band);
    }
};

QsoDraw DrawQso(Random& r) {
    QsoDraw q;
    q.ownCall = r.Pick(kOwnCalls);
    q.call = r.Pick(kCalls);
    q.time = DrawTime(r);
    static const unsigned kFreqs[] = {14085000u, 14085999u, 7040500u, 3580999u, 0u, 4294967295u};
    q.frequencyHz = r.Chance(0.8) ? kFreqs[r.Below(6)] : r.Bits();
    q.mode = r.Pick(kModes);
    q.rstSent = r.Pick(kReports);
    q.rstRcvd = r.Pick(kReports);
    // Mostly both numbers, so that most QSOs are stored.
    q.nrSent = r.Chance(0.9) ? "001" : r.Pick(kNumbers);
    q.nrRcvd = r.Chance(0.7) ? r.Pick(kNumbers) : "017";
    q.area = r.Pick(kAreas);
    q.country = r.Pick(kCountries);
    q.continent = r.Pick(kContinents);
    q.band = r.Pick(kBands);
    return q;
}

// A band text in other letter case, for keys that nearly match.
const char* OtherCase(const char* band) {
    if (!band) return "20m";
    static const char* const pairs[][2] = {{"20m", "20M"}, {"40m", "40M"}, {"80m", "80M"}, {"10m", "10M"},
                                           {"20M", "20m"}, {"40M", "40m"}, {"80M", "80m"}, {"10M", "10m"}};
    for (const auto& p : pairs)
        if (std::string(band) == p[0]) return p[1];
    return band;
}

// ---- Comparison --------------------------------------------------------------

// `full`: also every log record and the bad-QSO files (after the calls that
// may change them).
std::string Compare(const literal::Model& model, bool full, size_t& longestFile) {
    std::ostringstream diff;
    if (g_log.size() != model.log.size()) {
        diff << "log size " << g_log.size() << " vs model " << model.log.size();
        return diff.str();
    }
    for (size_t i = 0; full && i < g_log.size(); ++i) {
        const CInfo& e = g_log[i];
        const literal::Record& m = model.log[i];
        const bool same = e.m_call == m.call && e.m_country == m.country && e.m_continent == m.continent &&
                          e.m_band == m.band && e.m_mode == m.mode && e.m_rstRcvd == m.rstRcvd &&
                          e.m_rstSent == m.rstSent && e.m_nrRcvd == m.nrRcvd && e.m_nrSent == m.nrSent &&
                          e.m_freqKHz == m.freqKHz && e.m_notCounted == m.notCounted && e.m_bad == m.bad &&
                          e.m_dupe == m.dupe && e.m_areaJA == m.areaJA && e.m_areaK == m.areaK &&
                          e.m_areaVE == m.areaVE && e.m_areaVK == m.areaVK &&
                          e.m_time.GetStatus() == m.time.GetStatus() && e.m_time.Days() == m.time.Days();
        if (!same) {
            diff << "log record " << i << " differs (call " << Show(e.m_call.c_str()) << " vs "
                 << Show(m.call.c_str()) << ")";
            return diff.str();
        }
    }
    if (g_bandsUsed != model.bandsUsed) return "bands used differ: " + testing::PrintToString(g_bandsUsed) +
                                                " vs " + testing::PrintToString(model.bandsUsed);
    const struct { const char* name; const SlotTable& engine; const literal::SlotLists& model; } tables[] = {
        {"g_slotMults", g_slotMults, model.slotMults},     {"g_slotAreasJA", g_slotAreasJA, model.slotAreasJA},
        {"g_slotAreasK", g_slotAreasK, model.slotAreasK},   {"g_slotAreasVE", g_slotAreasVE, model.slotAreasVE},
        {"g_slotAreasVK", g_slotAreasVK, model.slotAreasVK}, {"g_workedWithRows", g_workedWithRows, model.workedWithRows},
    };
    for (const auto& t : tables)
        for (int slot = 0; slot < kBandSlotCount; ++slot)
            if (t.engine[slot] != t.model[slot])
                return Format("%s[%d]: ", t.name, slot) + testing::PrintToString(t.engine[slot]) + " vs " +
                       testing::PrintToString(t.model[slot]);
    if (g_badQsoFileName != model.badQsoFileName) return "file name " + g_badQsoFileName + " vs " + model.badQsoFileName;
    if (full && !g_badQsoFileName.empty()) {
        const std::string engineFile = ReadFile(g_badQsoFileName), modelFile = ReadFile(model.BadQsoPath());
        longestFile = std::max(longestFile, engineFile.size());
        if (engineFile != modelFile)
            return "bad-QSO files differ:\n--- engine\n" + engineFile + "\n--- model\n" + modelFile;
    }
    if (g_hostVersion != model.hostVersion) return "host version " + g_hostVersion + " vs " + model.hostVersion;
    if (g_russianUi != model.russianUi) return "Russian flag differs";
    if (g_refreshPending != model.refreshPending) return "refresh pending differs";
    if (g_ownCall != model.ownCall || g_ownCountry != model.ownCountry || g_ownContinent != model.ownContinent ||
        g_startDate != model.startDate || g_endDate != model.endDate || g_contestYear != model.contestYear ||
        g_hostFolder != model.hostFolder)
        return "own data or contest period differ";
    return std::string();
}

// ---- The run -------------------------------------------------------------------

struct RunSpec {
    uint64_t seed;
    int operations;
    double resetChance;
};

void PrintTo(const RunSpec& s, std::ostream* os) {
    *os << "seed " << s.seed << ", " << s.operations << " calls, resets " << s.resetChance;
}

class Differential : public ::testing::TestWithParam<RunSpec> {};

TEST_P(Differential, EngineAgreesWithTheLiteralModel) {
    const RunSpec plan = GetParam();
    ScratchDir scratch;
    std::filesystem::create_directory("model");
    std::filesystem::create_directory("Plugins");
    std::filesystem::create_directory("sub");
    BackToLoadState();
    RecordingHooks hooks;
    SetHooks(&hooks);
    literal::Model model("model/");
    Random r(plan.seed);

    std::vector<QsoDraw> logged;  // every QSO handed to AddData0, for removals
    std::deque<std::string> trace;
    auto note = [&](std::string what) {
        trace.push_back(std::move(what));
        if (trace.size() > 15) trace.pop_front();
    };
    auto traceText = [&]() {
        std::string out = Format("seed %" PRIu64 ", last calls:\n", plan.seed);
        for (const std::string& t : trace) out += "  " + t + "\n";
        return out;
    };
    int summariesCompared = 0, removalsFound = 0;
    int checkAnswers[5] = {0, 0, 0, 0, 0};
    size_t longestLog = 0, longestFile = 0;

    for (int op = 0; op < plan.operations; ++op) {
        const int kind = r.Below(1000);
        bool changes = true;  // the call may change the log or the files
        if (op == 40 || r.Chance(plan.resetChance)) {
            // ResetStats0, sometimes with another host settings file.
            if (r.Chance(0.5)) {
                std::filesystem::remove("Vokt2.ini");
                if (const char* ini = r.Pick(kVoktIni)) WriteFile("Vokt2.ini", ini);
            }
            if (r.Chance(0.3)) {
                std::filesystem::remove("sub/Vokt2.ini");
                if (r.Chance(0.5)) WriteFile("sub/Vokt2.ini", "");
            }
            const char* folder = r.Pick(kHostFolders);
            const int exportRun = r.Chance(0.15) ? 1 : 0;
            const char* own = r.Pick(kOwnCalls);
            const char* country = r.Pick(kOwnCountries);
            const char* continent = r.Pick(kOwnContinents);
            TimeArg start = DrawTime(r), end = DrawTime(r);
            if (r.Chance(0.7)) end.value = HostDateTime{kBase + 1 + r.Below(3), 0, 0}, end.nullPointer = false;
            note("ResetStats0 folder=" + Show(folder) + Format(" export=%d", exportRun) + " own=" + Show(own) +
                 " country=" + Show(country) + " cont=" + Show(continent) + " start " + start.Describe() + " end " +
                 end.Describe());
            const int a = ResetStats0(folder, exportRun, own, const_cast<HostDateTime*>(start.Get()),
                                      const_cast<HostDateTime*>(end.Get()), junk::Str(6), junk::Str(7), junk::Str(8),
                                      junk::Str(9), junk::Str(10), junk::Str(11), junk::Str(12), junk::Str(13),
                                      junk::Str(14), country, junk::kInt, junk::kInt, junk::kInt, junk::kDouble,
                                      junk::kDouble, junk::Str(21), continent, junk::Str(23));
            const int b = model.ResetStats(folder, exportRun, own, start.Get(), end.Get(), country, continent);
            ASSERT_EQ(a, b) << traceText();
            ASSERT_EQ(g_cabrilloExport != 0, model.outputMode != 0) << traceText();
            logged.clear();
        } else if (kind < 470) {
            QsoDraw q = DrawQso(r);
            note("AddData0 " + q.Describe());
            HostDateTime j4 = junk::g_time, j5 = junk::g_time, j6 = junk::g_time;
            const int a = AddData0(q.ownCall, q.call, const_cast<HostDateTime*>(q.time.Get()), &j4, &j5, &j6,
                                   junk::kUnsigned, q.frequencyHz, q.mode, q.rstSent, q.rstRcvd, q.nrSent, q.nrRcvd,
                                   junk::Str(14), junk::Str(15), junk::Str(16), junk::Str(17), junk::Str(18),
                                   junk::Str(19), junk::Str(20), junk::Str(21), q.area, q.country, junk::kInt,
                                   junk::kInt, junk::kInt, junk::kDouble, junk::kDouble, junk::Str(29), q.continent,
                                   junk::Str(31), q.band, junk::Str(33));
            const int b = model.AddData(q.ownCall, q.call, q.time.Get(), q.frequencyHz, q.mode, q.rstSent, q.rstRcvd,
                                        q.nrSent, q.nrRcvd, q.area, q.country, q.continent, q.band);
            ASSERT_EQ(a, b) << traceText();
            logged.push_back(q);
        } else if (kind < 620) {
            // RemoveData0: mostly a QSO handed over before, sometimes nearly.
            QsoDraw q = DrawQso(r);
            if (!logged.empty() && r.Chance(0.8)) {
                q = logged[static_cast<size_t>(r.Below(static_cast<int>(logged.size())))];
                const int twist = r.Below(10);
                if (twist == 0) q.time.value.m_dt += 60 / 86400.0;
                else if (twist == 1) q.band = OtherCase(q.band);
                else if (twist == 2) q.time.value.m_dt += 1 / 86400.0;
            }
            note("RemoveData0 call=" + Show(q.call) + " " + q.time.Describe() + " mode=" + Show(q.mode) +
                 " band=" + Show(q.band));
            const size_t before = g_log.size();
            HostDateTime j4 = junk::g_time, j5 = junk::g_time, j6 = junk::g_time;
            const int a = RemoveData0(junk::Str(1), q.call, const_cast<HostDateTime*>(q.time.Get()), &j4, &j5, &j6,
                                      junk::kUnsigned, junk::kUnsigned, q.mode, junk::Str(10), junk::Str(11),
                                      junk::Str(12), junk::Str(13), junk::Str(14), junk::Str(15), junk::Str(16),
                                      junk::Str(17), junk::Str(18), junk::Str(19), junk::Str(20), junk::Str(21),
                                      junk::Str(22), junk::Str(23), junk::kInt, junk::kInt, junk::kInt,
                                      junk::kDouble, junk::kDouble, junk::Str(29), junk::Str(30), junk::Str(31),
                                      q.band, junk::Str(33));
            const int b = model.RemoveData(q.call, q.time.Get(), q.mode, q.band);
            ASSERT_EQ(a, b) << traceText();
            removalsFound += g_log.size() < before;
        } else if (kind < 870) {
            const char* band = r.Pick(kBands);
            const char* compare = nullptr;
            const int c = r.Below(10);
            if (c == 5) compare = band;
            else if (c == 6) compare = OtherCase(band);
            else if (c == 7) compare = "40m";
            else if (c == 8) compare = "";
            const char* call = r.Chance(0.5) && !logged.empty()
                                   ? logged[static_cast<size_t>(r.Below(static_cast<int>(logged.size())))].call
                                   : r.Pick(kCalls);
            const char* mode = r.Pick(kModes);
            const char* area = r.Pick(kAreas);
            const char* country = r.Pick(kCountries);
            const char* continent = r.Pick(kContinents);
            note("CheckCall0 call=" + Show(call) + " mode=" + Show(mode) + " area=" + Show(area) + " country=" +
                 Show(country) + " band=" + Show(band) + " compare=" + Show(compare));
            char out27[4] = "x", out28[4] = "y";
            const int a = CheckCall0(call, junk::kUnsigned, junk::kUnsigned, mode, junk::Str(5), junk::Str(6),
                                     junk::Str(7), junk::Str(8), junk::Str(9), junk::Str(10), junk::Str(11),
                                     junk::Str(12), area, country, junk::kInt, junk::kInt, junk::kInt, junk::kDouble,
                                     junk::kDouble, junk::Str(20), continent, junk::Str(22), junk::Str(23),
                                     junk::Str(24), band, compare, out27, out28);
            const int b = model.CheckCall(call, mode, area, country, continent, band, compare);
            ASSERT_EQ(a, b) << traceText();
            if (a >= 0 && a <= 4) ++checkAnswers[a];
            changes = false;
        } else if (kind < 970) {
            const int html = r.Chance(0.5) ? 1 : 0;
            g_htmlOutput = html;
            model.html = html;
            note(Format("GetResult0 html=%d", html));
            int codeA = 0, codeB = 0;
            const char* a = GetResult0(&codeA);
            const std::string& b = model.GetResult(&codeB);
            ASSERT_EQ(codeA, codeB) << traceText();
            ASSERT_EQ(std::string(a), b) << traceText();
            ASSERT_EQ(g_claimedScore, model.claimedScore) << traceText();
            ASSERT_EQ(g_badQsoCount, model.badQsoCount) << traceText();
            ASSERT_EQ(ReadProfileText(g_iniPath, g_iniSection, "Claimed"), Format("%lld", (long long)model.claimedScore))
                << traceText();
            ++summariesCompared;
            changes = false;
        } else {
            // The window thread's side: windows open and close, the display
            // update asks for the next refresh.
            const int w = r.Below(3);
            if (w == 0) {
                const bool open = !model.setupWindowOpen;
                model.setupWindowOpen = open;
                g_setupWindow = open ? DummyWindow() : nullptr;
                note(open ? "setup window opens" : "setup window closes");
            } else if (w == 1) {
                const bool open = !model.callAreaWindowOpen;
                model.callAreaWindowOpen = open;
                g_callAreaWindow = open ? DummyWindow() : nullptr;
                note(open ? "call-area window opens" : "call-area window closes");
            } else {
                model.refreshPending = 1;
                g_refreshPending = 1;
                note("display update done");
            }
            changes = false;
        }
        longestLog = std::max(longestLog, g_log.size());
        const std::string difference = Compare(model, changes, longestFile);
        ASSERT_TRUE(difference.empty()) << difference << "\n" << traceText();
        ASSERT_EQ(hooks.posts, model.postsSent) << traceText();
        ASSERT_EQ(hooks.callAreaResets, model.callAreaResets) << traceText();
    }
    // The run must have exercised the interesting paths.
    for (int answer = 0; answer <= 4; ++answer) EXPECT_GT(checkAnswers[answer], 0) << "answer " << answer;
    EXPECT_GT(longestLog, 50u);
    EXPECT_GT(longestFile, 2000u);
    EXPECT_GT(summariesCompared, 10);
    EXPECT_GT(removalsFound, 10);
    EXPECT_GT(model.postsSent, 0);
    EXPECT_GT(model.callAreaResets, 0);
    BackToLoadState();
    SetHooks(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Seeds, Differential,
                         ::testing::Values(RunSpec{1, 2500, 0.006}, RunSpec{2, 2500, 0.006},
                                           RunSpec{3, 2500, 0.006}, RunSpec{4, 2500, 0.006},
                                           RunSpec{5, 2500, 0.002}, RunSpec{6, 2500, 0.002},
                                           RunSpec{7, 3000, 0.0005}, RunSpec{8, 3000, 0.0005}),
                         [](const testing::TestParamInfo<RunSpec>& info) {
                             return "seed" + std::to_string(info.param.seed);
                         });

}  // namespace
