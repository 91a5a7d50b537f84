// The contest log and its indexes.
#include <algorithm>
#include <functional>
#include <new>
#include <stdexcept>
#include <string_view>

#include "engine/contest_state.h"

namespace {

bool SameCallBand(const StoredQso& q, std::string_view call, std::string_view band) {
    return q.record.m_call == call && q.record.m_band == band;
}

constexpr unsigned kFirstBits = 6;  // 64 slots

}  // namespace

// ---- QsoPool ----------------------------------------------------------------

QsoHandle QsoPool::Add(CInfo record) {
    QsoHandle h;
    if (!m_free.empty()) {
        h = m_free.back();
        new (Place(h)) StoredQso(std::move(record));
        m_free.pop_back();
        return h;
    }
    if (m_fresh == kNoQso) throw std::length_error("too many QSOs");
    h = m_fresh;
    if ((h >> kBlockBits) >= m_blocks.size()) {
        m_free.reserve((m_blocks.size() + 1) << kBlockBits);  // Free never fails
        m_blocks.push_back(std::unique_ptr<Block>(new Block));  // not zeroed: touched as used
    }
    new (Place(h)) StoredQso(std::move(record));
    ++m_fresh;
    return h;
}

void QsoPool::Free(QsoHandle h) {
    Place(h)->~StoredQso();
    m_free.push_back(h);
}

void QsoPool::Reset() {
    m_free.clear();
    m_fresh = 0;
}

// ---- CallBandChains ---------------------------------------------------------

uint32_t CallBandChains::HashOf(std::string_view call, std::string_view band) {
    // size_t is 32 bits in the 32-bit Windows build: widen before mixing.
    const uint64_t c = std::hash<std::string_view>{}(call);
    const uint64_t b = std::hash<std::string_view>{}(band);
    const uint64_t h = (c * 0x9E3779B97F4A7C15ull) ^ (b + 0x7F4A7C159E3779B9ull + (c << 6) + (c >> 2));
    return static_cast<uint32_t>(h ^ (h >> 32));
}

size_t CallBandChains::HomeOf(uint32_t hash) const {
    // Fibonacci hashing: the top bits of the product pick the slot.
    return static_cast<size_t>((hash * 0x9E3779B97F4A7C15ull) >> (64 - m_bits));
}

size_t CallBandChains::SlotOf(uint32_t hash, std::string_view call, std::string_view band) const {
    const size_t mask = m_slots.size() - 1;
    for (size_t i = HomeOf(hash);; i = (i + 1) & mask) {
        const Slot& s = m_slots[i];
        if (s.head == kNoQso || (s.hash == hash && SameCallBand(m_pool[s.head], call, band))) return i;
    }
}

QsoHandle CallBandChains::Head(std::string_view call, std::string_view band) const {
    if (m_used == 0) return kNoQso;
    return m_slots[SlotOf(HashOf(call, band), call, band)].head;
}

void CallBandChains::Grow() {
    std::vector<Slot> old;
    old.swap(m_slots);
    m_bits = old.empty() ? kFirstBits : m_bits + 1;
    m_slots.assign(size_t{1} << m_bits, Slot());
    const size_t mask = m_slots.size() - 1;
    for (const Slot& s : old) {
        if (s.head == kNoQso) continue;
        size_t i = HomeOf(s.hash);
        while (m_slots[i].head != kNoQso) i = (i + 1) & mask;
        m_slots[i] = s;
    }
}

void CallBandChains::MakeRoom() {
    if ((m_used + 1) * 2 > m_slots.size()) Grow();
}

void CallBandChains::Link(QsoHandle h) {
    MakeRoom();
    StoredQso& q = m_pool[h];
    q.next = kNoQso;
    Slot& s = m_slots[SlotOf(q.callBandHash, q.record.m_call, q.record.m_band)];
    if (s.head == kNoQso) {
        s.hash = q.callBandHash;
        s.head = h;
        q.prev = h;
        ++m_used;
        return;
    }
    StoredQso& head = m_pool[s.head];
    const QsoHandle tail = head.prev;
    m_pool[tail].next = h;
    q.prev = tail;
    head.prev = h;
}

void CallBandChains::Unlink(QsoHandle h) {
    if (m_used == 0) return;
    StoredQso& q = m_pool[h];
    size_t i = SlotOf(q.callBandHash, q.record.m_call, q.record.m_band);
    Slot& s = m_slots[i];
    if (s.head == kNoQso) return;
    StoredQso& head = m_pool[s.head];
    if (h != s.head) {
        m_pool[q.prev].next = q.next;
        if (q.next != kNoQso) m_pool[q.next].prev = q.prev;
        else head.prev = q.prev;  // q was the tail
        q.prev = q.next = kNoQso;
        return;
    }
    if (q.next != kNoQso) {
        m_pool[q.next].prev = q.prev;  // the tail
        s.head = q.next;
        q.prev = q.next = kNoQso;
        return;
    }
    q.prev = kNoQso;
    // The chain is gone: free its slot, moving back every later entry of the
    // run that may sit in it, so that no probe stops early.
    const size_t mask = m_slots.size() - 1;
    for (size_t j = (i + 1) & mask; m_slots[j].head != kNoQso; j = (j + 1) & mask) {
        const size_t home = HomeOf(m_slots[j].hash);
        if (((j - home) & mask) >= ((j - i) & mask)) {
            m_slots[i] = m_slots[j];
            i = j;
        }
    }
    m_slots[i] = Slot();
    --m_used;
}

void CallBandChains::Clear() {
    std::fill(m_slots.begin(), m_slots.end(), Slot());
    m_used = 0;
}

// ---- ContestLog -------------------------------------------------------------

const ContestLog::BandCounts* ContestLog::CountsOf(std::string_view band) const {
    for (const BandCounts& b : m_bandCounts)
        if (b.band == band) return &b;
    return nullptr;
}

void ContestLog::Count(const CInfo& r, int delta) {
    BandCounts* counts = const_cast<BandCounts*>(CountsOf(r.m_band));
    if (!counts) {
        if (delta < 0) return;
        m_bandCounts.emplace_back();
        counts = &m_bandCounts.back();
        counts->band = r.m_band;
    }
    const Text country = r.m_country;
    auto it = counts->countries.find(country);
    if (it == counts->countries.end()) {
        if (delta > 0) counts->countries.emplace(country, delta);
    } else if ((it->second += delta) <= 0) {
        counts->countries.erase(it);
    }
    // Every area field that is set counts (a record normally has one).
    const int fields[] = {r.m_areaJA, r.m_areaK, r.m_areaVE, r.m_areaVK};
    for (int f = 0; f < 4; ++f)
        if (fields[f] >= 0 && fields[f] <= 9) counts->areas[f][fields[f]] += delta;
}

void ContestLog::Append(CInfo record) {
    // Room first, so that once the record is linked nothing can fail.
    if (m_records.size() == m_records.capacity()) m_records.reserve(std::max<size_t>(64, 2 * m_records.capacity()));
    m_chains.MakeRoom();
    const QsoHandle h = m_pool.Add(std::move(record));
    StoredQso& stored = m_pool[h];
    stored.id = m_nextId++;
    stored.callBandHash = CallBandChains::HashOf(stored.record.m_call, stored.record.m_band);
    try {
        Count(stored.record, +1);
    } catch (...) {
        m_pool.Free(h);
        throw;
    }
    m_chains.Link(h);
    m_records.push_back(h);
}

size_t ContestLog::IndexOf(uint32_t id) const {
    auto at = std::lower_bound(m_records.begin(), m_records.end(), id,
                               [this](QsoHandle h, uint32_t wanted) { return m_pool[h].id < wanted; });
    return static_cast<size_t>(at - m_records.begin());
}

void ContestLog::RemoveAt(size_t index) {
    if (index >= m_records.size()) return;
    const QsoHandle h = m_records[index];
    m_chains.Unlink(h);
    Count(m_pool[h].record, -1);
    m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(index));
    m_pool.Free(h);
}

void ContestLog::Clear() {
    for (QsoHandle h : m_records) m_pool.Free(h);
    m_pool.Reset();
    m_records.clear();
    m_nextId = 1;
    m_chains.Clear();
    m_bandCounts.clear();
}

bool ContestLog::HasCallBandMode(std::string_view call, std::string_view band, std::string_view mode) const {
    for (QsoHandle h = m_chains.Head(call, band); h != kNoQso; h = m_pool[h].next)
        if (m_pool[h].record.m_mode == mode) return true;
    return false;
}

bool ContestLog::HasCallBand(std::string_view call, std::string_view band) const {
    return m_chains.Head(call, band) != kNoQso;
}

bool ContestLog::HasBandCountry(std::string_view band, const Text& country) const {
    const BandCounts* counts = CountsOf(band);
    return counts && counts->countries.count(country) != 0;
}

bool ContestLog::HasBandArea(std::string_view band, AreaField field, int digit) const {
    if (field == AreaField::None || digit < 0 || digit > 9) return false;
    const BandCounts* counts = CountsOf(band);
    return counts && counts->areas[static_cast<int>(field)][digit] > 0;
}

long ContestLog::FindFirst(std::string_view call, std::string_view band, std::string_view mode,
                           const DateTime& time) const {
    for (QsoHandle h = m_chains.Head(call, band); h != kNoQso; h = m_pool[h].next) {
        const StoredQso& q = m_pool[h];
        if (q.record.m_mode == mode && q.record.m_time.SameAs(time)) return static_cast<long>(IndexOf(q.id));
    }
    return -1;
}
