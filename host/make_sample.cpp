// make-sample: writes a synthetic SARTG WW RTTY log (Cabrillo 3.0) of about
// 3,000 QSOs for trying the plug-in on a contest of realistic size.
//
// samples/sartg-2017-sample.cbr was made, from the top of the tree, with
//     make-sample /usr/share/hamradio-files/MASTER.SCP /usr/share/hamradio-files/cty.dat
//                 samples/sartg-2017-sample.cbr
// (one command line; make-sample is the native build's host/make-sample)
// using MASTER.SCP release 2023.05.02.00 and cty.dat of Debian's
// hamradio-files 20230502. The arguments shown are also the defaults.
//
// The output depends on nothing but those two files: the tool draws its own
// random numbers from a fixed seed (no <random>, whose distributions differ
// between libraries), so every machine writes the same log.
//
// What the log holds: the calls are real (from MASTER.SCP), the QSOs are made
// up. Own call SM5XYZ, 19-20 August 2017, the contest's three periods
// (Saturday 00-08, Saturday 16-24, Sunday 08-16 UTC), 80 to 10 m on RTTY
// frequencies with band choice following the time of day, sent serials
// rising by one per QSO, received serials growing with each station's own
// rate, a dozen or so dupes, five QSOs on a wrong band (30 m and 160 m) and
// two without the received serial.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <utility>
#include <vector>

#include "host/cty_resolver.h"
#include "platform/text.h"

namespace {

const char* const kOwnCall = "SM5XYZ";

// splitmix64: small, fast, and the same on every compiler.
class Random {
public:
    explicit Random(uint64_t seed) : m_state(seed) {}
    uint64_t Next() {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    unsigned Below(unsigned n) { return n == 0 ? 0 : static_cast<unsigned>(Next() % n); }
    unsigned Between(unsigned low, unsigned high) { return low + Below(high - low + 1); }
    bool Percent(unsigned p) { return Below(100) < p; }
    // An index drawn with the given weights.
    size_t Weighted(const std::vector<unsigned>& weights) {
        unsigned total = 0;
        for (unsigned w : weights) total += w;
        unsigned pick = Below(total);
        for (size_t i = 0; i < weights.size(); ++i) {
            if (pick < weights[i]) return i;
            pick -= weights[i];
        }
        return weights.size() - 1;
    }

private:
    uint64_t m_state;
};

enum Continent { EU, NA, AS, SA, AF, OC, kContinents };
const char* const kContinentNames[kContinents] = {"EU", "NA", "AS", "SA", "AF", "OC"};
// How many stations of each continent take part.
const unsigned kActive[kContinents] = {1500, 380, 260, 70, 40, 60};

enum BandIndex { B80, B40, B20, B15, B10, kBands };
struct BandInfo {
    const char* name;
    unsigned lowKhz, highKhz;  // where RTTY contest stations are found
};
const BandInfo kBandInfo[kBands] = {
    {"80m", 3570, 3600}, {"40m", 7030, 7080}, {"20m", 14070, 14120}, {"15m", 21070, 21130}, {"10m", 28070, 28130},
};

// Band weights (80 40 20 15 10) for each hour of the three periods.
const unsigned kBandWeights[3][8][kBands] = {
    // Saturday 00-08: night in Europe, evening in America.
    {{40, 45, 15, 0, 0}, {45, 45, 10, 0, 0}, {50, 45, 5, 0, 0}, {50, 45, 5, 0, 0},
     {40, 50, 10, 0, 0}, {30, 45, 25, 0, 0}, {15, 35, 50, 0, 0}, {5, 25, 60, 10, 0}},
    // Saturday 16-24: afternoon and evening in Europe.
    {{0, 10, 50, 35, 5}, {0, 15, 55, 30, 0}, {5, 25, 55, 15, 0}, {10, 40, 45, 5, 0},
     {20, 50, 30, 0, 0}, {35, 50, 15, 0, 0}, {45, 45, 10, 0, 0}, {50, 45, 5, 0, 0}},
    // Sunday 08-16: daytime in Europe.
    {{0, 15, 50, 30, 5}, {0, 10, 45, 35, 10}, {0, 10, 40, 40, 10}, {0, 10, 40, 40, 10},
     {0, 10, 45, 35, 10}, {0, 15, 50, 30, 5}, {0, 20, 55, 25, 0}, {5, 25, 55, 15, 0}},
};

// Continent weights (EU NA AS SA AF OC) by band and period.
const unsigned kContinentWeights[3][kBands][kContinents] = {
    {{85, 10, 2, 1, 1, 1}, {75, 16, 4, 2, 2, 1}, {50, 30, 10, 4, 2, 4}, {60, 20, 8, 6, 4, 2}, {70, 10, 5, 8, 7, 0}},
    {{88, 6, 3, 1, 1, 1}, {78, 10, 7, 2, 2, 1}, {62, 18, 12, 4, 2, 2}, {60, 15, 12, 7, 5, 1}, {65, 10, 8, 10, 7, 0}},
    {{90, 2, 5, 1, 1, 1}, {85, 2, 8, 2, 2, 1}, {68, 8, 16, 3, 2, 3}, {62, 10, 15, 5, 5, 3}, {60, 12, 10, 10, 8, 0}},
};

// Mean QSOs per minute in each hour of the three periods (in hundredths).
const unsigned kRate[3][8] = {
    {260, 230, 200, 170, 160, 170, 190, 200},
    {240, 230, 220, 230, 230, 210, 190, 170},
    {230, 220, 210, 200, 200, 190, 200, 220},
};
const int kPeriodStartDay[3] = {19, 19, 20};
const int kPeriodStartHour[3] = {0, 16, 8};

struct Station {
    Text call;
    unsigned ratePerHour;  // its own QSO rate, which sets its serials
    unsigned startMinute;  // contest minute it starts at
    unsigned lastNr = 0;
};

struct Qso {
    unsigned khz;
    int day, hour, minute;
    Text call;
    unsigned nrSent, nrRcvd;
    bool noNrRcvd = false;
};

bool ReadFile(const Text& path, Text& content) {
    std::ifstream in(path.c_str(), std::ios::in | std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    content = s.str();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const Text scpPath = argc > 1 ? argv[1] : "/usr/share/hamradio-files/MASTER.SCP";
    const Text ctyPath = argc > 2 ? argv[2] : "/usr/share/hamradio-files/cty.dat";
    const Text outPath = argc > 3 ? argv[3] : "samples/sartg-2017-sample.cbr";

    CallResolver resolver;
    Text error;
    if (!resolver.Load(ctyPath, &error)) {
        std::fprintf(stderr, "make-sample: %s\n", error.c_str());
        return 1;
    }
    Text scp;
    if (!ReadFile(scpPath, scp)) {
        std::fprintf(stderr, "make-sample: cannot read %s\n", scpPath.c_str());
        return 1;
    }

    // The calls of MASTER.SCP by continent, in file order.
    std::vector<Text> byContinent[kContinents];
    std::istringstream lines(scp);
    Text line;
    while (std::getline(lines, line)) {
        const Text call = Trim(line);
        if (call.empty() || call[0] == '#' || call == kOwnCall) continue;
        const CallResolver::Resolution r = resolver.Resolve(call);
        if (!r.found) continue;
        for (int c = 0; c < kContinents; ++c)
            if (r.continent == kContinentNames[c]) byContinent[c].push_back(call);
    }

    Random random(20170819);

    // The stations taking part: a random choice from each continent, the
    // first ones the busiest (worked more often, higher serials).
    std::vector<Station> stations[kContinents];
    for (int c = 0; c < kContinents; ++c) {
        std::vector<Text>& calls = byContinent[c];
        const size_t n = std::min<size_t>(kActive[c], calls.size());
        for (size_t i = 0; i < n; ++i) {  // partial Fisher-Yates
            std::swap(calls[i], calls[i + random.Below(static_cast<unsigned>(calls.size() - i))]);
            Station s;
            s.call = calls[i];
            s.ratePerHour = i < n / 20 ? random.Between(60, 120) : random.Between(8, 60);
            s.startMinute = random.Percent(70) ? random.Below(30) : random.Below(1200);
            stations[c].push_back(s);
        }
    }

    std::vector<Qso> qsos;
    std::set<std::pair<Text, int>> worked;  // (call, band)
    std::vector<std::pair<size_t, int>> recent[kBands];  // (station index, continent) per band
    unsigned nrSent = 0;
    for (int period = 0; period < 3; ++period) {
        int band = B40;
        unsigned runKhz = 0, minutesLeftOnBand = 0;
        bool running = false;
        for (int minute = 0; minute < 8 * 60; ++minute) {
            const int hourOfPeriod = minute / 60;
            if (minutesLeftOnBand == 0) {
                std::vector<unsigned> weights(kBandWeights[period][hourOfPeriod],
                                              kBandWeights[period][hourOfPeriod] + kBands);
                band = static_cast<int>(random.Weighted(weights));
                minutesLeftOnBand = random.Between(10, 50);
                running = random.Percent(60);
                const BandInfo& b = kBandInfo[band];
                runKhz = random.Between(b.lowKhz, b.highKhz);
            }
            --minutesLeftOnBand;

            // Up to four QSOs a minute, averaging the hour's rate.
            unsigned count = 0;
            for (int t = 0; t < 4; ++t)
                if (random.Below(400) < kRate[period][hourOfPeriod]) ++count;
            for (unsigned k = 0; k < count; ++k) {
                const unsigned contestMinute = static_cast<unsigned>(period * 480 + minute);
                std::vector<unsigned> weights(kContinentWeights[period][band], kContinentWeights[period][band] + kContinents);
                int continent = static_cast<int>(random.Weighted(weights));
                size_t index = 0;
                bool found = false, dupe = false;
                if (!recent[band].empty() && random.Below(1000) < 4) {
                    // A dupe: someone worked on this band not long ago.
                    const auto& again = recent[band][random.Below(static_cast<unsigned>(recent[band].size()))];
                    index = again.first;
                    continent = again.second;
                    found = dupe = true;
                }
                for (int attempt = 0; !found && attempt < 40; ++attempt) {
                    const auto& pool = stations[continent];
                    if (pool.empty()) break;
                    // Busy stations come first in the pool: favour low indices.
                    const unsigned size = static_cast<unsigned>(pool.size());
                    index = random.Percent(50) ? random.Below(size / 5 + 1) : random.Below(size);
                    if (index >= pool.size()) index = pool.size() - 1;
                    found = pool[index].startMinute <= contestMinute &&
                            !worked.count(std::make_pair(pool[index].call, band));
                }
                if (!found) continue;
                Station& station = stations[continent][index];
                worked.insert(std::make_pair(station.call, band));
                if (!dupe) {
                    recent[band].push_back(std::make_pair(index, continent));
                    if (recent[band].size() > 30) recent[band].erase(recent[band].begin());
                }

                const unsigned elapsed = contestMinute - std::min(contestMinute, station.startMinute);
                unsigned nr = 1 + station.ratePerHour * elapsed / 60 + random.Below(4);
                if (nr <= station.lastNr) nr = station.lastNr + 1 + random.Below(3);
                station.lastNr = nr;

                Qso q;
                const BandInfo& b = kBandInfo[band];
                q.khz = running ? runKhz : random.Between(b.lowKhz, b.highKhz);
                const int hour = kPeriodStartHour[period] + hourOfPeriod;
                q.day = kPeriodStartDay[period];
                q.hour = hour;
                q.minute = minute % 60;
                q.call = station.call;
                q.nrSent = ++nrSent;
                q.nrRcvd = nr;
                qsos.push_back(q);
            }
        }
    }

    // A few QSOs on bands the contest does not use, and two without the
    // received serial, at fixed places spread over the log.
    const size_t n = qsos.size();
    const unsigned wrongBandKhz[] = {10142, 10138, 1842, 10145, 1838};
    const size_t wrongBandAt[] = {n / 9, n / 4, n / 3 + 17, 3 * n / 5, 4 * n / 5 + 5};
    for (size_t i = 0; i < 5; ++i) qsos[wrongBandAt[i]].khz = wrongBandKhz[i];
    qsos[n / 6].noNrRcvd = true;
    qsos[2 * n / 3 + 3].noNrRcvd = true;

    std::ostringstream out;
    out << "START-OF-LOG: 3.0\r\n"
           "CONTEST: SARTG-RTTY\r\n"
        << "CALLSIGN: " << kOwnCall << "\r\n"
        << "LOCATION: DX\r\n"
           "CATEGORY-OPERATOR: SINGLE-OP\r\n"
           "CATEGORY-ASSISTED: NON-ASSISTED\r\n"
           "CATEGORY-BAND: ALL\r\n"
           "CATEGORY-MODE: RTTY\r\n"
           "CATEGORY-POWER: HIGH\r\n"
           "CATEGORY-STATION: FIXED\r\n"
           "CATEGORY-TRANSMITTER: ONE\r\n"
           "CREATED-BY: make-sample\r\n"
           "SOAPBOX: Synthetic log for testing: the calls are real, the QSOs are made up.\r\n";
    for (const Qso& q : qsos) {
        Text line = Format("QSO: %5u RY 2017-08-%02d %02d%02d %-13s 599 %-6s %-13s 599", q.khz, q.day, q.hour,
                           q.minute, kOwnCall, Format("%03u", q.nrSent).c_str(), q.call.c_str());
        if (!q.noNrRcvd) line += Format(" %03u", q.nrRcvd);
        out << line << "\r\n";
    }
    out << "END-OF-LOG:\r\n";

    std::ofstream file(outPath.c_str(), std::ios::out | std::ios::binary | std::ios::trunc);
    file << out.str();
    if (!file.flush()) {
        std::fprintf(stderr, "make-sample: cannot write %s\n", outPath.c_str());
        return 1;
    }
    std::printf("make-sample: %u QSOs written to %s\n", static_cast<unsigned>(qsos.size()), outPath.c_str());
    return 0;
}
