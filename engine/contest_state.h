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
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <mutex>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/date_time.h"
#include "platform/short_text.h"
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

    // The texts are ShortText (platform/short_text.h): a log keeps one record
    // per QSO, and these are the bulk of its memory.
    ShortText m_call;        // worked station, as the host sent it
    ShortText m_country;     // its DXCC entity key ("DL", "UA9", "FT/z")
    ShortText m_continent;   // its continent code
    ShortText m_band;        // band text ("20m"), as sent
    ShortText m_mode;        // mode text ("RTTY"), as sent
    ShortText m_rstRcvd;
    ShortText m_rstSent;
    ShortText m_nrRcvd;      // serial numbers, as texts
    ShortText m_nrSent;
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

// A stored QSO lives in a QsoPool and is named by its handle there.
using QsoHandle = uint32_t;
constexpr QsoHandle kNoQso = 0xFFFFFFFFu;

// A stored QSO: the record, its id (ascending in log order, restarted when
// the log is cleared) and its links in the chain of stored QSOs with the same
// call and band.
struct StoredQso {
    explicit StoredQso(CInfo r) : record(std::move(r)) {}
    CInfo record;
    uint32_t id = 0;
    uint32_t callBandHash = 0;
    // Chain links in log order. The head's `prev` is the chain's tail; every
    // other `prev` is the QSO before it. The tail's `next` is kNoQso.
    QsoHandle prev = kNoQso;
    QsoHandle next = kNoQso;
};

// The stored QSOs, in blocks of 1024 that are never moved or given back
// until the pool goes: a growing log never copies a record, and a block is
// touched only as far as it is used. A removed QSO's place is used again.
// The pool does not know which places are in use; its owner destroys the
// QSOs it holds (Free) before Reset or the pool's end.
class QsoPool {
public:
    QsoPool() = default;
    QsoPool(const QsoPool&) = delete;
    QsoPool& operator=(const QsoPool&) = delete;

    QsoHandle Add(CInfo record);  // may throw; then nothing changed
    void Free(QsoHandle h);
    // Forgets every place (all of them freed), keeping the blocks.
    void Reset();
    StoredQso& operator[](QsoHandle h) { return *Place(h); }
    const StoredQso& operator[](QsoHandle h) const { return *Place(h); }

private:
    static constexpr unsigned kBlockBits = 10;
    struct Block {
        alignas(StoredQso) unsigned char bytes[sizeof(StoredQso) << kBlockBits];
    };
    StoredQso* Place(QsoHandle h) const {
        return reinterpret_cast<StoredQso*>(m_blocks[h >> kBlockBits]->bytes) + (h & ((1u << kBlockBits) - 1));
    }

    std::vector<std::unique_ptr<Block>> m_blocks;
    std::vector<QsoHandle> m_free;  // places freed, to be used again
    QsoHandle m_fresh = 0;          // places below it have been used
};

// The chains of stored QSOs by (call, band), exact texts: an open-addressed
// table (linear probing, deletion by backward shift) whose slots hold the
// head of each chain. A call is rarely logged more than a few times on one
// band, so a walk along one chain is short; the log itself is never walked.
class CallBandChains {
public:
    explicit CallBandChains(QsoPool& pool) : m_pool(pool) {}

    static uint32_t HashOf(std::string_view call, std::string_view band);

    // First stored QSO with this call and band, or kNoQso.
    QsoHandle Head(std::string_view call, std::string_view band) const;
    // Room for one more chain; the only step that may throw.
    void MakeRoom();
    // Appends `q` (its record, id and hash set) at the end of its chain.
    void Link(QsoHandle q);
    // Takes `q` out of its chain.
    void Unlink(QsoHandle q);
    // Forgets every chain; the table keeps its size for the next log.
    void Clear();

private:
    struct Slot {
        uint32_t hash = 0;
        QsoHandle head = kNoQso;  // kNoQso: a free slot
    };
    size_t HomeOf(uint32_t hash) const;
    // Slot of the chain of this key, or the free slot where it would go.
    size_t SlotOf(uint32_t hash, std::string_view call, std::string_view band) const;
    void Grow();

    QsoPool& m_pool;  // the QSOs the handles name
    std::vector<Slot> m_slots;  // a power of two in size, at most half used
    size_t m_used = 0;
    unsigned m_bits = 0;
};

// The contest log: the stored QSOs in logging order, with indexes beside them
// so that dupe, call-check and removal look-ups never walk the log. The
// records themselves are only changed through Append, RemoveAt and Clear, so
// the indexes always agree with them. Records never move once stored, so a
// growing log copies only handles and a removal shifts only handles.
class ContestLog {
    using Storage = std::vector<QsoHandle>;

public:
    // Walks the records in log order.
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = CInfo;
        using difference_type = std::ptrdiff_t;
        using pointer = const CInfo*;
        using reference = const CInfo&;

        const_iterator(Storage::const_iterator at, const QsoPool& pool) : m_at(at), m_pool(&pool) {}
        reference operator*() const { return (*m_pool)[*m_at].record; }
        pointer operator->() const { return &(*m_pool)[*m_at].record; }
        const_iterator& operator++() {
            ++m_at;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++m_at;
            return before;
        }
        bool operator==(const const_iterator& other) const { return m_at == other.m_at; }
        bool operator!=(const const_iterator& other) const { return m_at != other.m_at; }

    private:
        Storage::const_iterator m_at;
        const QsoPool* m_pool;
    };

    ContestLog() = default;
    ~ContestLog() { Clear(); }
    ContestLog(const ContestLog&) = delete;
    ContestLog& operator=(const ContestLog&) = delete;

    size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }
    const CInfo& operator[](size_t i) const { return m_pool[m_records[i]].record; }
    const_iterator begin() const { return const_iterator(m_records.begin(), m_pool); }
    const_iterator end() const { return const_iterator(m_records.end(), m_pool); }

    void Append(CInfo record);
    void RemoveAt(size_t index);
    void Clear();

    // Stored records with this call, band and mode (exact texts).
    bool HasCallBandMode(std::string_view call, std::string_view band, std::string_view mode) const;
    // Stored records with this call and band.
    bool HasCallBand(std::string_view call, std::string_view band) const;
    // Stored records with this band and entity key.
    bool HasBandCountry(std::string_view band, const Text& country) const;
    // Stored records on this band whose area field `field` holds `digit`.
    bool HasBandArea(std::string_view band, AreaField field, int digit) const;
    // Index of the first record with this call, band and mode whose time is
    // the same as `time` (DateTime::SameAs); -1 when there is none.
    long FindFirst(std::string_view call, std::string_view band, std::string_view mode, const DateTime& time) const;

private:
    // What one band holds: stored QSOs by entity key, and by area field and
    // digit. A log has a handful of bands, so they are found by a short walk.
    struct BandCounts {
        ShortText band;
        std::unordered_map<Text, int> countries;
        int areas[4][10] = {};
    };
    const BandCounts* CountsOf(std::string_view band) const;
    void Count(const CInfo& r, int delta);
    // Index of the record with this id (the records are in id order).
    size_t IndexOf(uint32_t id) const;

    QsoPool m_pool;
    Storage m_records;
    uint32_t m_nextId = 1;
    CallBandChains m_chains{m_pool};
    std::vector<BandCounts> m_bandCounts;
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
