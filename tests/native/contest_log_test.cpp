// The contest log's indexes against a plain scan of its records: random runs
// of appends and removals over a small set of calls and bands, so that chains
// grow long, slots collide, the table grows and chains vanish from the middle
// of probe runs.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/contest_state.h"

namespace {

CInfo Record(const std::string& call, const std::string& band, const std::string& mode, double day) {
    CInfo r;
    r.m_call = call;
    r.m_band = band;
    r.m_mode = mode;
    r.m_country = "C" + std::to_string(call.size() % 3);
    r.m_time = DateTime(day, DateTime::Status::Valid);
    return r;
}

// What the indexes must answer, by walking the records.
struct Scan {
    const ContestLog& log;
    bool HasCallBandMode(const Text& c, const Text& b, const Text& m) const {
        for (const CInfo& r : log)
            if (r.m_call == c && r.m_band == b && r.m_mode == m) return true;
        return false;
    }
    bool HasCallBand(const Text& c, const Text& b) const {
        for (const CInfo& r : log)
            if (r.m_call == c && r.m_band == b) return true;
        return false;
    }
    long FindFirst(const Text& c, const Text& b, const Text& m, const DateTime& t) const {
        for (size_t i = 0; i < log.size(); ++i)
            if (log[i].m_call == c && log[i].m_band == b && log[i].m_mode == m && log[i].m_time.SameAs(t))
                return static_cast<long>(i);
        return -1;
    }
};

TEST(ContestLogIndexes, AgreeWithAScanOfTheRecords) {
    for (unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 random(seed);
        auto pick = [&random](size_t n) { return static_cast<size_t>(random() % n); };
        // Few calls (long chains, many removals of a chain's last QSO) or many
        // (a table that grows and collides), by seed.
        const size_t callCount = seed == 1 ? 7 : 400;
        std::vector<std::string> calls;
        for (size_t i = 0; i < callCount; ++i) calls.push_back("K" + std::to_string(i) + (i % 2 ? "AB" : ""));
        const std::vector<std::string> bands = {"20m", "40m", "20M", ""};
        const std::vector<std::string> modes = {"RTTY", "rtty"};

        ContestLog log;
        Scan scan{log};
        for (int step = 0; step < 6000; ++step) {
            const std::string& call = calls[pick(calls.size())];
            const std::string& band = bands[pick(bands.size())];
            const std::string& mode = modes[pick(modes.size())];
            const double day = static_cast<double>(pick(4));
            if (log.empty() || pick(100) < 60) {
                log.Append(Record(call, band, mode, day));
            } else {
                // Remove a record found by its key, or any record.
                const size_t index = pick(2) ? pick(log.size()) : static_cast<size_t>(-1);
                if (index != static_cast<size_t>(-1)) {
                    log.RemoveAt(index);
                } else {
                    const long found = log.FindFirst(call, band, mode, DateTime(day, DateTime::Status::Valid));
                    if (found >= 0) log.RemoveAt(static_cast<size_t>(found));
                }
            }
            // Every key of the vocabulary, after every step while the log is
            // small, every 50 steps later.
            if (log.size() > 60 && step % 50 != 0) continue;
            for (size_t c = 0; c < calls.size(); c += calls.size() > 20 ? 13 : 1)
                for (const std::string& b : bands) {
                    ASSERT_EQ(log.HasCallBand(calls[c], b), scan.HasCallBand(calls[c], b))
                        << "seed " << seed << " step " << step << " " << calls[c] << " " << b;
                    for (const std::string& m : modes) {
                        ASSERT_EQ(log.HasCallBandMode(calls[c], b, m), scan.HasCallBandMode(calls[c], b, m))
                            << "seed " << seed << " step " << step;
                        const DateTime t(static_cast<double>(pick(4)), DateTime::Status::Valid);
                        ASSERT_EQ(log.FindFirst(calls[c], b, m, t), scan.FindFirst(calls[c], b, m, t))
                            << "seed " << seed << " step " << step;
                    }
                }
        }
        // Emptied by removals, and cleared: nothing is left in the indexes.
        while (!log.empty()) log.RemoveAt(log.size() / 2);
        for (const std::string& c : calls) EXPECT_FALSE(log.HasCallBand(c, "20m")) << c;
        log.Append(Record("K1", "20m", "RTTY", 1.0));
        log.Clear();
        EXPECT_FALSE(log.HasCallBand("K1", "20m"));
        EXPECT_TRUE(log.empty());
    }
}

TEST(ContestLogIndexes, RemovalKeepsTheOrderOfTheRestAndOfEachChain) {
    ContestLog log;
    for (int i = 0; i < 5; ++i) log.Append(Record("SM5AAA", "20m", "RTTY", static_cast<double>(i)));
    log.Append(Record("DL1ZZ", "20m", "RTTY", 9.0));
    log.RemoveAt(2);  // the middle of the chain
    log.RemoveAt(0);  // its head
    log.RemoveAt(2);  // its tail (day 4)
    std::vector<double> days;
    for (const CInfo& r : log) days.push_back(r.m_time.Days());
    EXPECT_EQ(days, (std::vector<double>{1.0, 3.0, 9.0}));
    // The chain still finds its records in log order.
    EXPECT_EQ(log.FindFirst("SM5AAA", "20m", "RTTY", DateTime(3.0, DateTime::Status::Valid)), 1);
    EXPECT_EQ(log.FindFirst("SM5AAA", "20m", "RTTY", DateTime(4.0, DateTime::Status::Valid)), -1);
    log.Append(Record("SM5AAA", "20m", "RTTY", 4.0));
    EXPECT_EQ(log.FindFirst("SM5AAA", "20m", "RTTY", DateTime(4.0, DateTime::Status::Valid)), 3);
}

}  // namespace
