// The window thread reads the log and the per-slot tables while the host's
// thread writes them: readers take the state lock and copy what they need.
// Run under ThreadSanitizer (preset native-tsan) this test must be clean.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>

#include "support/host_calls.h"

namespace {

using namespace testsupport;

// The window thread's side of a refresh: what the display update does with
// the shared state, under the lock.
struct WindowSnapshot {
    TextList mults, areasJA, bandsUsed;
    size_t logSize = 0;
    Text lastCall;
    int lastFreq = 0;
    DateTime lastTime;
};

WindowSnapshot TakeSnapshot(int slot) {
    StateLock lock;
    WindowSnapshot s;
    s.mults = g_slotMults[slot];
    s.areasJA = g_slotAreasJA[slot];
    s.bandsUsed = g_bandsUsed;
    s.logSize = g_log.size();
    if (s.logSize) {
        const CInfo& last = g_log[s.logSize - 1];
        s.lastCall = last.m_call;
        s.lastFreq = last.m_freqKHz;
        s.lastTime = last.m_time;
    }
    // The display update also writes its own fields.
    g_currentCall = s.lastCall;
    g_workedWithRows[slot] = {g_bandRules[static_cast<size_t>(slot)], "   -", "   -", "   -", "   -"};
    return s;
}

class Concurrency : public EngineTest {};

TEST_F(Concurrency, WindowThreadReadsWhileTheHostThreadReplaysALog) {
    std::atomic<bool> done{false};
    std::atomic<long> snapshots{0}, inconsistent{0};
    g_setupWindow = DummyWindow();

    std::thread window([&] {
        int slot = 0;
        while (!done.load()) {
            const WindowSnapshot s = TakeSnapshot(slot);
            // A snapshot taken under the lock is a finished table: every JA
            // area of the slot is also among its multipliers, none twice.
            const std::set<Text> unique(s.mults.begin(), s.mults.end());
            if (unique.size() != s.mults.size()) ++inconsistent;
            for (const Text& area : s.areasJA)
                if (!unique.count(area)) ++inconsistent;
            ++snapshots;
            slot = (slot + 1) % kBandSlotCount;
            // A posted refresh has been handled: the next check may post again.
            if (m_hooks.posts.load() > 0) g_refreshPending = 1;
        }
    });

    static const char* const kBandsCycle[] = {"80m", "40m", "20m", "15m", "10m", "20M"};
    static const char* const kEntities[] = {"JA", "K", "DL", "VE", "VK", "UA9", "SM"};
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(DoReset(Reset()), 1);
        for (int i = 0; i < 1500; ++i) {
            const std::string call = "C" + std::to_string(i % 700);
            const std::string area = std::to_string(i % 10);
            const Qso q = Qso()
                              .Call(call.c_str())
                              .Band(kBandsCycle[i % 6])
                              .From(kEntities[i % 7], i % 3 ? "EU" : "AS")
                              .Area(area.c_str())
                              .Time(Plus(Utc(12, 0), 20 * i));
            Add(q);
            if (i % 25 == 0) Result();
            CallCheck(Check().Call(call.c_str()).Country("JA").Area(area.c_str()).Band(kBandsCycle[(i + 1) % 6]));
            if (i % 40 == 39) Remove(q);
            if (i % 300 == 0) Add(Qso().Band("160m"));
        }
        Result();
    }
    done = true;
    window.join();

    EXPECT_GT(snapshots.load(), 0);
    EXPECT_EQ(inconsistent.load(), 0);
    EXPECT_GT(m_hooks.posts.load(), 1);
}

}  // namespace
