// Replaying a log through AddData0: the time per QSO for 1,000, 10,000 and
// 100,000 synthetic QSOs, with the bad-QSO file writes and without them (no
// file name, as before the first reset), beside the literal model of the
// engine (a plain log whose dupe test walks the whole log, and which opens
// the bad-QSO file for every QSO) in the same process.
//
// Target: 100,000 QSOs replayed in under one second including the bad-QSO
// file, and the literal reference at least 100 times slower at 100,000.
#include <cstdio>

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

// The literal reference. Its dupe walk makes a replay cost grow with the
// square of the log; above `fullLimit` QSOs only a sample is timed: the
// model is given the engine's log of the first half of the QSOs and then
// replays the next `sample` QSOs through the literal walk. A linear walk
// over a log of n/2 QSOs is the mean cost of a whole replay of n.
Replay ReplayModel(const std::vector<SynthQso>& log, bool withFile, size_t fullLimit, size_t sample) {
    literal::Model model("ref/");
    ResetBoth(model);
    if (!withFile) model.badQsoFileName.clear();
    const bool sampled = log.size() > fullLimit;
    size_t from = 0, to = log.size();
    if (sampled) {
        from = log.size() / 2;
        to = from + sample;
        // The engine's log of the first half (it judges exactly as the model).
        literal::Model unused("ref/");
        ResetBoth(unused);
        for (size_t i = 0; i < from; ++i) AddToEngine(log[i]);
        CopyEngineLogToModel(model);
    }
    const Clock::time_point start = Clock::now();
    for (size_t i = from; i < to; ++i) AddToModel(model, log[i]);
    return Replay{SecondsSince(start), to - from, 0};
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

int main() {
    Scratch scratch;
    std::printf("Replay through AddData0: time per QSO, engine beside the literal reference\n");
    std::printf("(reference: linear dupe walk over the whole log, bad-QSO file opened for every QSO;\n");
    std::printf(" every replay runs in a fresh process, from the state of a library just loaded)\n\n");
    std::printf("%8s  %-12s  %12s  %12s  %14s  %9s  %s\n", "QSOs", "bad-QSO file", "engine total", "engine/QSO",
                "reference/QSO", "ratio", "note");
    const size_t kSizes[] = {1000, 10000, 100000};
    double engine100kWithFile = 0.0, ratio100kWithFile = 0.0;
    for (size_t n : kSizes) {
        const std::vector<SynthQso> log = MakeLog(n);
        for (bool withFile : {true, false}) {
            // Each replay in a process of its own: the library as just loaded.
            const Replay engine = InChild<Replay>([&] { return ReplayEngine(log, withFile); });
            const Replay reference = InChild<Replay>([&] { return ReplayModel(log, withFile, 20000, 2000); });
            const bool sampled = reference.qsos < n;
            const size_t lines = engine.lines;
            const double perEngine = engine.seconds / static_cast<double>(engine.qsos);
            const double perReference = reference.seconds / static_cast<double>(reference.qsos);
            const double ratio = perReference / perEngine;
            char note[160];
            if (sampled)
                std::snprintf(note, sizeof note, "reference sampled: %zu QSOs after %zu logged", reference.qsos,
                              n / 2);
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
