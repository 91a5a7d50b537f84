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

Text Key(const Text& a, const Text& b) {
    Text k;
    k.reserve(a.size() + b.size() + 1);
    k += a;
    k += '\0';
    k += b;
    return k;
}
Text Key(const Text& a, const Text& b, const Text& c) { return Key(Key(a, b), c); }
Text AreaKey(const Text& band, AreaField field, int digit) {
    Text k = band;
    k += '\0';
    k += static_cast<char>('0' + static_cast<int>(field));
    k += static_cast<char>('0' + digit);
    return k;
}

void Bump(std::unordered_map<Text, int>& map, Text key, int delta) {
    auto it = map.find(key);
    if (it == map.end()) {
        if (delta > 0) map.emplace(std::move(key), delta);
        return;
    }
    it->second += delta;
    if (it->second <= 0) map.erase(it);
}
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

// ---- ContestLog -------------------------------------------------------------

void ContestLog::Count(const CInfo& r, int delta) {
    Bump(m_callBand, Key(r.m_call, r.m_band), delta);
    Bump(m_bandCountry, Key(r.m_band, r.m_country), delta);
    // Every area field that is set counts (a record normally has one).
    const int fields[] = {r.m_areaJA, r.m_areaK, r.m_areaVE, r.m_areaVK};
    for (int f = 0; f < 4; ++f)
        if (fields[f] >= 0 && fields[f] <= 9) Bump(m_bandArea, AreaKey(r.m_band, static_cast<AreaField>(f), fields[f]), delta);
}

void ContestLog::Append(const CInfo& record) {
    m_records.push_back(record);
    const uint64_t id = m_nextId++;
    m_ids.push_back(id);
    m_byCallBandMode[Key(record.m_call, record.m_band, record.m_mode)].push_back(id);
    Count(record, +1);
}

void ContestLog::RemoveAt(size_t index) {
    if (index >= m_records.size()) return;
    const CInfo& r = m_records[index];
    const uint64_t id = m_ids[index];
    auto it = m_byCallBandMode.find(Key(r.m_call, r.m_band, r.m_mode));
    if (it != m_byCallBandMode.end()) {
        auto& ids = it->second;
        ids.erase(std::lower_bound(ids.begin(), ids.end(), id));
        if (ids.empty()) m_byCallBandMode.erase(it);
    }
    Count(r, -1);
    m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(index));
    m_ids.erase(m_ids.begin() + static_cast<std::ptrdiff_t>(index));
}

void ContestLog::Clear() {
    m_records.clear();
    m_ids.clear();
    m_byCallBandMode.clear();
    m_callBand.clear();
    m_bandCountry.clear();
    m_bandArea.clear();
}

bool ContestLog::HasCallBandMode(const Text& call, const Text& band, const Text& mode) const {
    return m_byCallBandMode.count(Key(call, band, mode)) != 0;
}

bool ContestLog::HasCallBand(const Text& call, const Text& band) const {
    return m_callBand.count(Key(call, band)) != 0;
}

bool ContestLog::HasBandCountry(const Text& band, const Text& country) const {
    return m_bandCountry.count(Key(band, country)) != 0;
}

bool ContestLog::HasBandArea(const Text& band, AreaField field, int digit) const {
    if (field == AreaField::None || digit < 0 || digit > 9) return false;
    return m_bandArea.count(AreaKey(band, field, digit)) != 0;
}

long ContestLog::FindFirst(const Text& call, const Text& band, const Text& mode, const DateTime& time) const {
    auto it = m_byCallBandMode.find(Key(call, band, mode));
    if (it == m_byCallBandMode.end()) return -1;
    for (uint64_t id : it->second) {
        auto pos = std::lower_bound(m_ids.begin(), m_ids.end(), id);
        const size_t index = static_cast<size_t>(pos - m_ids.begin());
        if (m_records[index].m_time.SameAs(time)) return static_cast<long>(index);
    }
    return -1;
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
