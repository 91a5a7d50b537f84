#include "engine/contest_state.h"

#include <algorithm>

#include "reports/cabrillo_log.h"

std::recursive_mutex& StateMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

namespace {
const char* const kModeNames[] = {"RTTY"};
// 160 m is not a contest band: the first entry repeats "80m".
const char* const kBandNames[] = {"80m", "80m", "40m", "20m", "15m", "10m"};
}  // namespace

const char* const kBandSlotLabels[kBandSlotCount] = {"160m", "80m", "40m", "20m", "15m", "10m"};

int BandSlotOf(const Text& band) {
    for (int i = 0; i < kBandSlotCount; ++i)
        if (band == kBandSlotLabels[i]) return i;
    return -1;
}

CContestRules::CContestRules(const char* const* names, size_t count) {
    for (size_t i = 0; i < count; ++i) m_entries.push_back(names[i]);
}

int CContestRules::Contains(const Text& name) const {
    if (name.empty()) return 0;
    for (const Text& entry : m_entries)
        if (EqualsNoCase(entry, name)) return 1;
    return 0;
}

AreaField SetAreaField(const CInfo& r, int& digit) {
    if (r.m_areaJA != -1) { digit = r.m_areaJA; return AreaField::JA; }
    if (r.m_areaK != -1) { digit = r.m_areaK; return AreaField::K; }
    if (r.m_areaVE != -1) { digit = r.m_areaVE; return AreaField::VE; }
    if (r.m_areaVK != -1) { digit = r.m_areaVK; return AreaField::VK; }
    digit = -1;
    return AreaField::None;
}

// ---- The global objects, in construction order ------------------------------

TextList g_bandSlotNames;
const CContestRules g_modeRules(kModeNames, sizeof kModeNames / sizeof kModeNames[0]);
const CContestRules g_bandRules(kBandNames, sizeof kBandNames / sizeof kBandNames[0]);
CCabrilloLog g_cabrilloLog;
SlotTable g_workedWithRows;
SlotTable g_slotMults;
SlotTable g_slotAreasK;
SlotTable g_slotAreasVE;
SlotTable g_slotAreasJA;
SlotTable g_slotAreasVK;
ContestLog g_log;
TextList g_bandsUsed;
Text g_ownCountry;
Text g_ownContinent;
Text g_hostFolder;
Text g_currentCall;
Text g_contestYear;
Text g_ownCall;
Text g_startDate;
Text g_endDate;
Text g_hostVersion;
Text g_badQsoFileName;
const Text g_iniSection = "Settings";
const Text g_iniPath = "Plugins\\SARTG-WW-RTTY.ini";
Text g_resultText;

int g_htmlOutput = 0;
int g_cabrilloExport = 0;
int g_startFlag = 0;
int g_russianUi = 0;
std::atomic<int> g_refreshPending{1};
std::atomic<void*> g_setupWindow{nullptr};
std::atomic<void*> g_dxccWindow{nullptr};
std::atomic<void*> g_dxccExtWindow{nullptr};
std::atomic<void*> g_callAreaWindow{nullptr};
int g_windowsOnTop = 0;
int32_t g_lastWindowLeft = 0;
int32_t g_lastWindowTop = 0;
int32_t g_currentBand = -1;
int64_t g_claimedScore = 0;
int32_t g_badQsoCount = 0;

void ClearMultiplierTables() {
    for (SlotTable* table : {&g_slotMults, &g_slotAreasJA, &g_slotAreasK, &g_slotAreasVE, &g_slotAreasVK})
        for (TextList& list : *table) list.clear();
}

void ClearLogAndTables() {
    g_log.Clear();
    g_bandsUsed.clear();
    ClearMultiplierTables();
}
