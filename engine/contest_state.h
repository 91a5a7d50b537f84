// The contest state: the QSO record, the log, the name tables, the band slots,
// the per-slot tables and the library-wide values. All of them are global
// objects that live as long as the library is loaded (defined in one
// translation unit, contest_state.cpp, in their construction order).
//
// Locking convention: every piece of this state is guarded by one recursive
// mutex, `StateMutex()`. Each export of the library takes it for its whole
// engine work (`StateLock lock;`), and code on any other thread takes it
// before reading and copies what it needs (for example one slot's list)
// before releasing it. Never hold the lock while waiting for another thread,
// sending a window message or running a modal dialog.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/date_time.h"
#include "platform/text.h"

std::recursive_mutex& StateMutex();

class StateLock {
public:
    StateLock() : m_lock(StateMutex()) {}
private:
    std::lock_guard<std::recursive_mutex> m_lock;
};

// One QSO.
class CInfo {
public:
    // The virtual destructor would suppress the moves: without them every
    // growth of the log and every removal copied all the later records.
    CInfo() = default;
    CInfo(const CInfo&) = default;
    CInfo(CInfo&&) noexcept = default;
    CInfo& operator=(const CInfo&) = default;
    CInfo& operator=(CInfo&&) noexcept = default;
    virtual ~CInfo() = default;

    Text m_call;        // worked station, as the host sent it
    Text m_country;     // its DXCC entity key ("DL", "UA9", "FT/z")
    Text m_continent;   // its continent code
    Text m_band;        // band text ("20m"), as sent
    Text m_mode;        // mode text ("RTTY"), as sent
    Text m_rstRcvd;
    Text m_rstSent;
    Text m_nrRcvd;      // serial numbers, as texts
    Text m_nrSent;
    int m_freqKHz = 0;      // host frequency in Hz / 1000
    int m_notCounted = 0;   // 1: earns nothing (a dupe)
    int m_bad = 0;          // never 1 in the log: refused QSOs are not stored
    int m_dupe = 0;
    int m_areaJA = -1;      // call-area digit for the entity "JA", else -1
    int m_areaK = -1;
    int m_areaVE = -1;
    int m_areaVK = -1;
    DateTime m_time;        // as the host sent it
};

// A table of valid names (bands, modes).
class CContestRules {
public:
    CContestRules(const char* const* names, size_t count);
    ~CContestRules() { m_entries.clear(); }

    // 1 when an entry equals `name` ignoring ASCII case, else 0. Null and
    // empty names are never contained.
    int Contains(const Text& name) const;
    int Contains(const char* name) const { return Contains(FromHost(name)); }

    size_t size() const { return m_entries.size(); }
    const Text& operator[](size_t i) const { return m_entries[i]; }

private:
    TextList m_entries;
};

// Band slots: 0 "160m", 1 "80m", 2 "40m", 3 "20m", 4 "15m", 5 "10m".
constexpr int kBandSlotCount = 6;
extern const char* const kBandSlotLabels[kBandSlotCount];

// Slot of a band text by exact comparison with the six labels, -1 for none.
int BandSlotOf(const Text& band);

using SlotTable = std::array<TextList, kBandSlotCount>;

// The call-area fields of a record: which one a country key uses.
enum class AreaField { JA = 0, K = 1, VE = 2, VK = 3, None = 4 };

// The contest log: the stored QSOs in logging order, with indexes beside them
// so that dupe, call-check and removal look-ups never walk the log. The
// records themselves are only changed through Append, RemoveAt and Clear, so
// the indexes always agree with them.
class ContestLog {
public:
    size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }
    const CInfo& operator[](size_t i) const { return m_records[i]; }
    std::vector<CInfo>::const_iterator begin() const { return m_records.begin(); }
    std::vector<CInfo>::const_iterator end() const { return m_records.end(); }

    void Append(const CInfo& record);
    void RemoveAt(size_t index);
    void Clear();

    // Stored records with this call, band and mode (exact texts).
    bool HasCallBandMode(const Text& call, const Text& band, const Text& mode) const;
    // Stored records with this call and band.
    bool HasCallBand(const Text& call, const Text& band) const;
    // Stored records with this band and entity key.
    bool HasBandCountry(const Text& band, const Text& country) const;
    // Stored records on this band whose area field `field` holds `digit`.
    bool HasBandArea(const Text& band, AreaField field, int digit) const;
    // Index of the first record with this call, band and mode whose time is
    // the same as `time` (DateTime::SameAs); -1 when there is none.
    long FindFirst(const Text& call, const Text& band, const Text& mode, const DateTime& time) const;

private:
    void Count(const CInfo& r, int delta);

    std::vector<CInfo> m_records;
    std::vector<uint64_t> m_ids;   // a never reused id per record, ascending
    uint64_t m_nextId = 1;
    std::unordered_map<Text, std::vector<uint64_t>> m_byCallBandMode;  // ids in log order
    std::unordered_map<Text, int> m_callBand;
    std::unordered_map<Text, int> m_bandCountry;
    std::unordered_map<Text, int> m_bandArea;
};

// Area field of a record that is set, and its digit; None when all are -1.
AreaField SetAreaField(const CInfo& r, int& digit);

// ---- The global objects, in construction order -----------------------------
extern TextList g_bandSlotNames;
extern const CContestRules g_modeRules;
extern const CContestRules g_bandRules;
extern SlotTable g_workedWithRows;
extern SlotTable g_slotMults;
extern SlotTable g_slotAreasK;
extern SlotTable g_slotAreasVE;
extern SlotTable g_slotAreasJA;
extern SlotTable g_slotAreasVK;
extern ContestLog g_log;
extern TextList g_bandsUsed;
extern Text g_ownCountry;
extern Text g_ownContinent;
extern Text g_hostFolder;
extern Text g_currentCall;
extern Text g_contestYear;
extern Text g_ownCall;
extern Text g_startDate;
extern Text g_endDate;
extern Text g_hostVersion;
extern Text g_badQsoFileName;
extern const Text g_iniSection;
extern const Text g_iniPath;
extern Text g_resultText;

extern int g_htmlOutput;
extern int g_cabrilloExport;
extern int g_startFlag;
extern int g_russianUi;
// Shared with the window thread without the lock: atomics.
extern std::atomic<int> g_refreshPending;
extern std::atomic<void*> g_setupWindow;
extern std::atomic<void*> g_dxccWindow;
extern std::atomic<void*> g_dxccExtWindow;
extern std::atomic<void*> g_callAreaWindow;
extern int g_windowsOnTop;
extern int32_t g_lastWindowLeft;
extern int32_t g_lastWindowTop;
extern int32_t g_currentBand;
extern int64_t g_claimedScore;
extern int32_t g_badQsoCount;

// Empties the log, the bands used and the five multiplier tables.
void ClearLogAndTables();
// Empties the five multiplier tables of every slot.
void ClearMultiplierTables();
