// What the benchmarks share: a synthetic contest log, the host's calls with
// their full argument lists, a scratch folder, a clock, and the step that
// gives the literal model the same log as the engine.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/contest_state.h"
#include "model/literal_model.h"
#include "platform/date_time.h"
#include "plugin/exports.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The benchmark runs in a fresh temporary folder, removed at the end.
class Scratch {
public:
    Scratch() {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/stats-bench-XXXXXX";
        if (!mkdtemp(&pattern[0])) std::abort();
        m_path = pattern;
        m_previous = std::filesystem::current_path().string();
        std::filesystem::current_path(m_path);
        std::filesystem::create_directory("ref");
        std::filesystem::create_directory("Plugins");
    }
    ~Scratch() {
        std::filesystem::current_path(m_previous);
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

private:
    std::string m_path, m_previous;
};

// One synthetic QSO with every text the host passes.
struct SynthQso {
    std::string call, band, mode, nrSent, nrRcvd, area, country, continent;
    HostDateTime time;
    unsigned frequencyHz;
};

// A log of n QSOs over the 48 hours of the contest: five bands, a few
// hundred entities, the four call-area entities with their areas, about 3 %
// dupes and 1 % refused QSOs (wrong band, wrong mode, no number).
inline std::vector<SynthQso> MakeLog(size_t n, unsigned seed = 1) {
    std::vector<SynthQso> log;
    log.reserve(n);
    uint64_t state = seed * 0x9E3779B97F4A7C15ull + 1;
    auto next = [&state]() {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<unsigned>(state >> 33);
    };
    static const char* const kBands[] = {"20m", "20m", "20m", "40m", "40m", "80m", "15m", "15m", "10m"};
    static const unsigned kFreqs[] = {14085000, 14085000, 14085000, 7040000, 7040000, 3580000, 21080000, 21080000, 28080000};
    static const char* const kAreaEntities[] = {"K", "K", "JA", "VE", "VK"};
    static const char* const kContinents[] = {"EU", "NA", "AS", "SA", "AF", "OC"};
    const double start = DateTime::FromParts(2017, 8, 19, 12, 0).Days();
    for (size_t i = 0; i < n; ++i) {
        SynthQso q;
        const unsigned r = next();
        const int b = static_cast<int>(r % 9);
        q.band = kBands[b];
        q.frequencyHz = kFreqs[b] + (r >> 8) % 20000;
        q.mode = "RTTY";
        q.nrSent = std::to_string(i + 1);
        q.nrRcvd = std::to_string(1 + next() % 3000);
        const unsigned kind = next() % 1000;
        if (kind < 30 && !log.empty()) {
            // A dupe: an earlier call on the same band again.
            const SynthQso& earlier = log[next() % log.size()];
            q.call = earlier.call;
            q.band = earlier.band;
            q.country = earlier.country;
            q.continent = earlier.continent;
            q.area = earlier.area;
        } else {
            const size_t k = i;
            char call[16];
            std::snprintf(call, sizeof call, "%c%c%u%c%c%c", 'A' + static_cast<int>(k % 26),
                          'A' + static_cast<int>(k / 26 % 26), static_cast<unsigned>(k / 676 % 10),
                          'A' + static_cast<int>(k / 6760 % 26), 'A' + static_cast<int>(k / 175760 % 26),
                          'A' + static_cast<int>(next() % 26));
            q.call = call;
            const unsigned e = next() % 100;
            if (e < 25) {
                q.country = kAreaEntities[e % 5];
                q.continent = q.country == "JA" ? "AS" : (q.country == "VK" ? "OC" : "NA");
                q.area = q.country + std::to_string(next() % 10);
            } else if (e < 35) {
                q.country = "DL";
                q.continent = "EU";
            } else {
                q.country = "E" + std::to_string(next() % 300);
                q.continent = kContinents[next() % 6];
            }
        }
        if (kind >= 990) {
            const unsigned what = kind % 3;
            if (what == 0) q.band = "160m";
            else if (what == 1) q.mode = "CW";
            else q.nrRcvd.clear();
        }
        q.time = DateTime(start + 2.0 * static_cast<double>(i) / static_cast<double>(n), DateTime::Status::Valid)
                     .ToHost();
        log.push_back(q);
    }
    return log;
}

inline HostDateTime g_junkTime{1.0, 0, 0};

inline int AddToEngine(const SynthQso& q) {
    HostDateTime time = q.time;
    return AddData0("DL0TST", q.call.c_str(), &time, &g_junkTime, &g_junkTime, &g_junkTime, 0, q.frequencyHz,
                    q.mode.c_str(), "599", "599", q.nrSent.c_str(), q.nrRcvd.c_str(), "", "", "", "", "", "", "", "",
                    q.area.c_str(), q.country.c_str(), 0, 0, 0, 0.0, 0.0, "", q.continent.c_str(), "",
                    q.band.c_str(), "");
}

inline int AddToModel(literal::Model& model, const SynthQso& q) {
    return model.AddData("DL0TST", q.call.c_str(), &q.time, q.frequencyHz, q.mode.c_str(), "599", "599",
                         q.nrSent.c_str(), q.nrRcvd.c_str(), q.area.c_str(), q.country.c_str(), q.continent.c_str(),
                         q.band.c_str());
}

inline void ResetBoth(literal::Model& model) {
    HostDateTime start = DateTime::FromParts(2017, 8, 19, 12, 0).ToHost();
    HostDateTime end = DateTime::FromParts(2017, 8, 20, 12, 0).ToHost();
    ResetStats0("", 0, "DL0TST", &start, &end, "", "", "", "", "", "", "", "", "", "DL", 0, 0, 0, 0.0, 0.0, "", "EU",
                "");
    model.ResetStats("", 0, "DL0TST", &start, &end, "DL", "EU");
}

// Gives the model exactly the engine's log (records, bands, bad-QSO file).
inline void CopyEngineLogToModel(literal::Model& model) {
    StateLock lock;
    model.log.clear();
    model.log.reserve(g_log.size());
    for (const CInfo& e : g_log) {
        literal::Record r;
        r.call = e.m_call;
        r.country = e.m_country;
        r.continent = e.m_continent;
        r.band = e.m_band;
        r.mode = e.m_mode;
        r.rstRcvd = e.m_rstRcvd;
        r.rstSent = e.m_rstSent;
        r.nrRcvd = e.m_nrRcvd;
        r.nrSent = e.m_nrSent;
        r.freqKHz = e.m_freqKHz;
        r.notCounted = e.m_notCounted;
        r.bad = e.m_bad;
        r.dupe = e.m_dupe;
        r.areaJA = e.m_areaJA;
        r.areaK = e.m_areaK;
        r.areaVE = e.m_areaVE;
        r.areaVK = e.m_areaVK;
        r.time = e.m_time;
        model.log.push_back(r);
    }
    model.bandsUsed = g_bandsUsed;
    if (!g_badQsoFileName.empty() && !model.badQsoFileName.empty())
        std::filesystem::copy_file(g_badQsoFileName, model.BadQsoPath(),
                                   std::filesystem::copy_options::overwrite_existing);
}

// A percentile of a set of times (sorted in place), in seconds.
inline double Percentile(std::vector<double>& times, double p) {
    if (times.empty()) return 0.0;
    std::sort(times.begin(), times.end());
    const size_t index = std::min(times.size() - 1, static_cast<size_t>(p * static_cast<double>(times.size())));
    return times[index];
}

// Runs `body` in a child process, which starts from this process's state
// (the library as just loaded, when this process has not used it), and
// returns what it returns (a plain struct).
template <typename R, typename F>
R InChild(F body) {
    int fds[2];
    if (pipe(fds) != 0) std::abort();
    const pid_t pid = fork();
    if (pid < 0) std::abort();
    if (pid == 0) {
        close(fds[0]);
        const R result = body();
        const ssize_t written = write(fds[1], &result, sizeof result);
        _exit(written == static_cast<ssize_t>(sizeof result) ? 0 : 1);
    }
    close(fds[1]);
    R result{};
    const ssize_t got = read(fds[0], &result, sizeof result);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (got != static_cast<ssize_t>(sizeof result) || !WIFEXITED(status) || WEXITSTATUS(status) != 0) std::abort();
    return result;
}

inline const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

}  // namespace bench
