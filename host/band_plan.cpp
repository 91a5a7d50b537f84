#include "host/band_plan.h"

#include <cstdint>

namespace {

struct Band {
    const char* name;
    double lowKhz, highKhz;
    unsigned nominalKhz;
    const char* megahertz[3];  // how Cabrillo logs write the band in MHz
};

// Edges as wide as any region's allocation, so that no legal QSO falls out.
const Band kBands[] = {
    {"2190m", 135.7, 137.8, 136, {"0.136", nullptr, nullptr}},
    {"630m", 472, 479, 472, {"0.472", nullptr, nullptr}},
    {"160m", 1800, 2000, 1800, {"1.8", nullptr, nullptr}},
    {"80m", 3500, 4000, 3500, {"3.5", nullptr, nullptr}},
    {"60m", 5060, 5450, 5351, {"5", "5.3", nullptr}},
    {"40m", 7000, 7300, 7000, {"7", nullptr, nullptr}},
    {"30m", 10100, 10150, 10100, {"10", "10.1", nullptr}},
    {"20m", 14000, 14350, 14000, {"14", nullptr, nullptr}},
    {"17m", 18068, 18168, 18068, {"18", nullptr, nullptr}},
    {"15m", 21000, 21450, 21000, {"21", nullptr, nullptr}},
    {"12m", 24890, 24990, 24890, {"24", nullptr, nullptr}},
    {"10m", 28000, 29700, 28000, {"28", nullptr, nullptr}},
    {"6m", 50000, 54000, 50000, {"50", nullptr, nullptr}},
    {"4m", 70000, 71000, 70000, {"70", nullptr, nullptr}},
    {"2m", 144000, 148000, 144000, {"144", nullptr, nullptr}},
    {"1.25m", 222000, 225000, 222000, {"222", nullptr, nullptr}},
    {"70cm", 420000, 450000, 420000, {"432", nullptr, nullptr}},
    {"33cm", 902000, 928000, 902000, {"902", nullptr, nullptr}},
    {"23cm", 1240000, 1300000, 1240000, {"1.2G", nullptr, nullptr}},
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

Text BandFromKhz(double khz) {
    for (const Band& band : kBands)
        if (khz >= band.lowKhz && khz <= band.highKhz) return band.name;
    return Text();
}

Text BandFromHz(unsigned hz) { return BandFromKhz(hz / 1000.0); }

Text NormalizeBand(const Text& band) {
    const Text text = Trim(band);
    if (text.empty()) return Text();
    for (const Band& b : kBands) {
        if (EqualsNoCase(text, b.name)) return b.name;
        for (const char* mhz : b.megahertz)
            if (mhz && EqualsNoCase(text, mhz)) return b.name;
    }
    return Text();
}

unsigned NominalKhz(const Text& band) {
    const Text name = NormalizeBand(band);
    for (const Band& b : kBands)
        if (name == b.name) return b.nominalKhz;
    return 0;
}

bool ParseFrequencyHz(const Text& text, unsigned unitHz, unsigned& hz) {
    const Text t = Trim(text);
    if (t.empty() || unitHz == 0) return false;
    uint64_t whole = 0, fraction = 0, fractionScale = 1;
    bool anyDigit = false, inFraction = false;
    for (char c : t) {
        if (c == '.') {
            if (inFraction) return false;
            inFraction = true;
        } else if (IsDigit(c)) {
            anyDigit = true;
            if (!inFraction) {
                whole = whole * 10 + static_cast<uint64_t>(c - '0');
                if (whole > UINT32_MAX) return false;
            } else if (fractionScale < 1000000000ull) {  // further digits are below 1 Hz
                fraction = fraction * 10 + static_cast<uint64_t>(c - '0');
                fractionScale *= 10;
            }
        } else {
            return false;
        }
    }
    if (!anyDigit) return false;
    const uint64_t value = whole * unitHz + (fraction * unitHz + fractionScale / 2) / fractionScale;
    if (value > UINT32_MAX) return false;
    hz = static_cast<unsigned>(value);
    return true;
}
