// Replaying a log through AddData0: the time per QSO for 1,000, 10,000 and
// 100,000 synthetic QSOs, with the bad-QSO file writes and without them (no
// file name, as before the first reset), beside the literal model of the
// engine (a plain log whose dupe test walks the whole log, and which opens
// the bad-QSO file for every QSO) in the same process.
//
// Target: 100,000 QSOs replayed in under one second including the bad-QSO
// file, and the literal reference at least 100 times slower at 100,000.
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

#include "bench/bench_support.h"

namespace {

using namespace bench;

struct Replay {
    double seconds = 0.0;
    size_t qsos = 0;   // QSOs timed
    size_t lines = 0;  // lines in the bad-QSO file afterwards
};

size_t BadLines();

Replay ReplayEngine(const std::vector<SynthQso>& log, bool withFile) {
    literal::Model unused("ref/");
    ResetBoth(unused);
    if (!withFile) {
        StateLock lock;
        g_badQsoFileName.clear();
    }
    const Clock::time_point start = Clock::now();
    for (const SynthQso& q : log) AddToEngine(q);
    const double seconds = SecondsSince(start);
    return Replay{seconds, log.size(), withFile ? BadLines() : 0};
}

// The literal reference. Its dupe walk makes the cost of a replay grow with
// the square of the log, so above `fullLimit` QSOs it is timed in samples:
// at the middle of each tenth of the replay the model is given the engine's
// log of the QSOs before that point (the engine judges exactly as the model)
// and replays the next `window` QSOs through its walk. The mean over the ten
// windows stands for the whole replay (the midpoint rule: a walk costs more
// per record once the log outgrows the caches). The copied log has room for
// the whole replay, so a window pays for no growth of it. The samples run in
// about a second where the whole replay takes 20 s, but they come out lower
// than it (by about a quarter at 100,000 QSOs here), so the whole replay is
// the default and the samples are only the --quick look.
Replay ReplayModel(const std::vector<SynthQso>& log, bool withFile, size_t fullLimit, size_t window) {
    literal::Model model("ref/");
    ResetBoth(model);
    if (!withFile) model.badQsoFileName.clear();
    if (log.size() <= fullLimit) {
        const Clock::time_point start = Clock::now();
        for (const SynthQso& q : log) AddToModel(model, q);
        return Replay{SecondsSince(start), log.size(), 0};
    }
    Replay sum;
    size_t engineAt = 0;
    for (size_t part = 0; part < 10; ++part) {
        const size_t from = log.size() * (2 * part + 1) / 20;
        const size_t to = std::min(log.size(), from + window);
        for (; engineAt < from; ++engineAt) AddToEngine(log[engineAt]);
        CopyEngineLogToModel(model);
        model.log.reserve(log.size());
        const Clock::time_point start = Clock::now();
        for (size_t i = from; i < to; ++i) AddToModel(model, log[i]);
        sum.seconds += SecondsSince(start);
        sum.qsos += to - from;
    }
    return sum;
}

// The run with the median time per QSO of three.
template <typename F>
Replay MedianOf3(F run) {
    Replay runs[3] = {run(), run(), run()};
    std::sort(std::begin(runs), std::end(runs), [](const Replay& a, const Replay& b) {
        return a.seconds / static_cast<double>(a.qsos) < b.seconds / static_cast<double>(b.qsos);
    });
    return runs[1];
}

size_t BadLines() {
    FILE* f = std::fopen(g_badQsoFileName.c_str(), "rb");
    if (!f) return 0;
    size_t lines = 0;
    int c;
    while ((c = std::fgetc(f)) != EOF) lines += c == '\n';
    std::fclose(f);
    return lines ? lines - 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::string(argv[1]) == "--quick";
    Scratch scratch;
    std::printf("Replay through AddData0: time per QSO, engine beside the literal reference\n");
    std::printf("(reference: linear dupe walk over the whole log, bad-QSO file opened for every QSO;\n");
    std::printf(" every replay runs in a fresh process, from the state of a library just loaded;\n");
    std::printf(" each figure is the median of three runs, but the one reference run at 100,000;\n");
    std::printf(" run with --quick for a reference timed in samples, which comes out lower)\n\n");
    std::printf("%8s  %-12s  %12s  %12s  %14s  %9s  %s\n", "QSOs", "bad-QSO file", "engine total", "engine/QSO",
                "reference/QSO", "ratio", "note");
    const size_t kSizes[] = {1000, 10000, 100000};
    double engine100kWithFile = 0.0, ratio100kWithFile = 0.0;
    for (size_t n : kSizes) {
        const std::vector<SynthQso> log = MakeLog(n);
        for (bool withFile : {true, false}) {
            // Each replay in a process of its own (the library as just loaded),
            // three times; the median of the three is printed.
            const Replay engine = MedianOf3([&] { return InChild<Replay>([&] { return ReplayEngine(log, withFile); }); });
            // The whole reference replay takes about 20 s at 100,000 QSOs: it
            // runs once there (--quick: timed in samples, see ReplayModel).
            auto referenceRun = [&] {
                return InChild<Replay>([&] { return ReplayModel(log, withFile, quick ? 20000 : n, 500); });
            };
            const Replay reference = n > 20000 ? referenceRun() : MedianOf3(referenceRun);
            const bool sampled = reference.qsos < n;
            const size_t lines = engine.lines;
            const double perEngine = engine.seconds / static_cast<double>(engine.qsos);
            const double perReference = reference.seconds / static_cast<double>(reference.qsos);
            const double ratio = perReference / perEngine;
            char note[160];
            if (sampled)
                std::snprintf(note, sizeof note, "reference sampled: 10 x %zu QSOs spread over the replay",
                              reference.qsos / 10);
            else
                note[0] = '\0';
            std::printf("%8zu  %-12s  %10.1f ms  %9.2f us  %11.2f us  %8.0fx  %s%s\n", n,
                        withFile ? "written" : "none", engine.seconds * 1e3, perEngine * 1e6, perReference * 1e6,
                        ratio, note,
                        withFile ? ("  (" + std::to_string(lines) + " bad-QSO lines)").c_str() : "");
            if (n == 100000 && withFile) {
                engine100kWithFile = engine.seconds;
                ratio100kWithFile = ratio;
            }
        }
    }
    std::printf("\nTargets at 100,000 QSOs, bad-QSO file included:\n");
    std::printf("  replay under 1 s:             %8.3f s   %s\n", engine100kWithFile,
                Verdict(engine100kWithFile < 1.0));
    std::printf("  reference at least 100x slower: %6.0fx     %s\n", ratio100kWithFile,
                Verdict(ratio100kWithFile > 100.0));
    return 0;
}
