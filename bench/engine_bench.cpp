// The host's questions on a log of 1,000, 10,000 and 100,000 QSOs, the
// engine beside the literal model of the engine in the same process:
// CheckCall0 (median and 99th percentile of single calls), GetResult0 (one
// whole summary) and RemoveData0 (one removal, with and without the bad-QSO
// file, whose rewrite reads and writes the whole file).
//
// Targets at 100,000 QSOs: CheckCall0 median under 1 us and at least 1,000
// times faster than the model; GetResult0 under 20 ms.
#include <cstdio>
#include <string>

#include "bench/bench_support.h"

namespace {

using namespace bench;

struct Query {
    std::string call, band, area, country, continent;
};

// A mix of what an operator types: calls already worked on the band (dupes),
// new calls of worked and new entities, call-area calls, wrong bands.
std::vector<Query> MakeQueries(const std::vector<SynthQso>& log, size_t count) {
    std::vector<Query> queries;
    queries.reserve(count);
    uint64_t state = 12345;
    auto next = [&state]() {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<unsigned>(state >> 33);
    };
    static const char* const kBands[] = {"80m", "40m", "20m", "15m", "10m"};
    static const char* const kAreaEntities[] = {"K", "JA", "VE", "VK"};
    for (size_t i = 0; i < count; ++i) {
        Query q;
        const unsigned kind = next() % 100;
        const SynthQso& worked = log[next() % log.size()];
        if (kind < 25) {  // worked before on this band
            q = Query{worked.call, worked.band, worked.area, worked.country, worked.continent};
        } else if (kind < 50) {  // a new call of a worked entity
            q = Query{"NEW" + std::to_string(i), worked.band, worked.area, worked.country, worked.continent};
        } else if (kind < 70) {  // a new entity
            q = Query{"NEW" + std::to_string(i), kBands[next() % 5], "", "X" + std::to_string(next() % 50), "AF"};
        } else if (kind < 90) {  // a call area
            const std::string entity = kAreaEntities[next() % 4];
            q = Query{"NEW" + std::to_string(i), kBands[next() % 5], entity + std::to_string(next() % 10), entity,
                      "NA"};
        } else {  // a band the contest does not have
            q = Query{"NEW" + std::to_string(i), "160m", "", "DL", "EU"};
        }
        queries.push_back(q);
    }
    return queries;
}

int CheckEngine(const Query& q) {
    char a[4], b[4];
    return CheckCall0(q.call.c_str(), 0, 0, "RTTY", "", "", "", "", "", "", "", "", q.area.c_str(), q.country.c_str(),
                      0, 0, 0, 0.0, 0.0, "", q.continent.c_str(), "", "", "", q.band.c_str(), nullptr, a, b);
}

int RemoveEngine(const CInfo& key) {
    HostDateTime time = key.m_time.ToHost();
    return RemoveData0("", key.m_call.c_str(), &time, nullptr, nullptr, nullptr, 0, 0, key.m_mode.c_str(), "", "", "",
                       "", "", "", "", "", "", "", "", "", "", "", 0, 0, 0, 0.0, 0.0, "", "", "",
                       key.m_band.c_str(), "");
}

struct Times {
    double median = 0.0, p99 = 0.0;
    size_t calls = 0;
};

template <typename F>
Times TimeEach(size_t calls, F call) {
    std::vector<double> t;
    t.reserve(calls);
    for (size_t i = 0; i < calls; ++i) {
        const Clock::time_point start = Clock::now();
        call(i);
        t.push_back(SecondsSince(start));
    }
    const double median = Percentile(t, 0.5), p99 = Percentile(t, 0.99);
    return Times{median, p99, calls};
}

std::string Us(double seconds) {
    char text[32];
    if (seconds < 1e-3) std::snprintf(text, sizeof text, "%.3f us", seconds * 1e6);
    else std::snprintf(text, sizeof text, "%.3f ms", seconds * 1e3);
    return text;
}

struct Figures {
    double checkMedian, checkRatio, result;
    bool textsAgree;
};

// One log size, run in a fresh process (the library as just loaded).
Figures Measure(size_t n) {
    Figures out{0.0, 0.0, 0.0, true};
    bool& textsAgree = out.textsAgree;
    {
        const std::vector<SynthQso> log = MakeLog(n);
        literal::Model model("ref/");
        ResetBoth(model);
        for (const SynthQso& q : log) AddToEngine(q);
        CopyEngineLogToModel(model);
        std::printf("Log of %zu QSOs (%zu stored)\n", n, g_log.size());

        // CheckCall0.
        const size_t engineCalls = 20000;
        const size_t modelCalls = n >= 100000 ? 300 : (n >= 10000 ? 2000 : 5000);
        const std::vector<Query> queries = MakeQueries(log, engineCalls);
        for (size_t i = 0; i < 2000; ++i) CheckEngine(queries[i]);  // warm up
        const Times engineCheck = TimeEach(engineCalls, [&](size_t i) { CheckEngine(queries[i]); });
        std::vector<int> modelAnswers(modelCalls);
        const Times modelCheck = TimeEach(modelCalls, [&](size_t i) {
            const Query& q = queries[i];
            modelAnswers[i] = model.CheckCall(q.call.c_str(), "RTTY", q.area.c_str(), q.country.c_str(),
                                              q.continent.c_str(), q.band.c_str(), nullptr);
        });
        int disagreements = 0;
        for (size_t i = 0; i < modelCalls; ++i) disagreements += modelAnswers[i] != CheckEngine(queries[i]);
        const double modelMedian = modelCheck.median, modelP99 = modelCheck.p99;
        std::printf("  CheckCall0    engine median %s  p99 %s (%zu calls)   model median %s  p99 %s (%zu calls%s)"
                    "   ratio %.0fx%s\n",
                    Us(engineCheck.median).c_str(), Us(engineCheck.p99).c_str(), engineCalls, Us(modelMedian).c_str(),
                    Us(modelP99).c_str(), modelCalls, modelCalls < engineCalls ? ", sampled" : "",
                    modelMedian / engineCheck.median, disagreements ? "  ANSWERS DIFFER" : "");

        // GetResult0.
        GetResult0(nullptr);  // warm up, and the band order is set
        const int engineRuns = 9, modelRuns = n >= 100000 ? 3 : 5;
        std::string engineText;
        const Times engineResult = TimeEach(engineRuns, [&](size_t) { engineText = GetResult0(nullptr); });
        std::string modelText;
        const Times modelResult = TimeEach(modelRuns, [&](size_t) { modelText = model.GetResult(nullptr); });
        textsAgree = textsAgree && engineText == modelText;
        // The same without the settings-file write (no "Plugins" folder).
        std::filesystem::rename("Plugins", "Plugins.away");
        const Times engineNoIni = TimeEach(engineRuns, [&](size_t) { GetResult0(nullptr); });
        std::filesystem::rename("Plugins.away", "Plugins");
        std::printf("  GetResult0    engine %s (median of %d)   model %s (median of %d)   ratio %.1fx%s\n",
                    Us(engineResult.median).c_str(), engineRuns, Us(modelResult.median).c_str(), modelRuns,
                    modelResult.median / engineResult.median, engineText == modelText ? "" : "  TEXTS DIFFER");
        std::printf("                (engine %s without writing \"Claimed\" to the settings file)\n",
                    Us(engineNoIni.median).c_str());

        // RemoveData0: the same records from both, so both logs stay equal.
        for (bool withFile : {true, false}) {
            if (!withFile) {
                StateLock lock;
                g_badQsoFileName.clear();
                model.badQsoFileName.clear();
            }
            const size_t removals = 200;
            std::vector<CInfo> keys;
            for (size_t i = 0; i < removals; ++i) keys.push_back(g_log[(i * 7919u) % (g_log.size() - removals)]);
            const Times engineRemove = TimeEach(removals, [&](size_t i) { RemoveEngine(keys[i]); });
            const Times modelRemove = TimeEach(removals, [&](size_t i) {
                HostDateTime time = keys[i].m_time.ToHost();
                model.RemoveData(keys[i].m_call.c_str(), &time, keys[i].m_mode.c_str(), keys[i].m_band.c_str());
            });
            std::printf("  RemoveData0   engine median %s   model median %s   ratio %.1fx   (%zu removals, %s)\n",
                        Us(engineRemove.median).c_str(), Us(modelRemove.median).c_str(),
                        modelRemove.median / engineRemove.median, removals,
                        withFile ? "bad-QSO file rewritten" : "no bad-QSO file");
        }
        out.checkMedian = engineCheck.median;
        out.checkRatio = modelMedian / engineCheck.median;
        out.result = engineResult.median;
        std::printf("\n");
    }
    std::fflush(stdout);
    return out;
}

}  // namespace

int main() {
    Scratch scratch;
    std::printf("Engine beside the literal model (linear walks, one pass per band), in the same process;\n");
    std::printf("each log size in a fresh process. Times of single calls.\n\n");
    std::fflush(stdout);
    Figures at100k{};
    for (size_t n : {1000u, 10000u, 100000u}) {
        const Figures f = InChild<Figures>([n] { return Measure(n); });
        if (n == 100000) at100k = f;
    }
    std::printf("Targets at 100,000 QSOs:\n");
    std::printf("  CheckCall0 median under 1 us:        %s   %s\n", Us(at100k.checkMedian).c_str(),
                Verdict(at100k.checkMedian < 1e-6));
    std::printf("  CheckCall0 1,000x faster than model: %.0fx   %s\n", at100k.checkRatio,
                Verdict(at100k.checkRatio >= 1000.0));
    std::printf("  GetResult0 under 20 ms:              %s   %s\n", Us(at100k.result).c_str(),
                Verdict(at100k.result < 0.020));
    std::printf("  summary identical to the model's:    %s\n", at100k.textsAgree ? "yes" : "NO");
    return 0;
}
