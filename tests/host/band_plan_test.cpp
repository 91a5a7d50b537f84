#include "host/band_plan.h"

#include <gtest/gtest.h>

namespace {

TEST(BandPlan, BandFromKhzIncludesEdgesOnly) {
    struct Case {
        double khz;
        const char* band;
    } const cases[] = {
        {1799.9, ""},   {1800, "160m"},  {2000, "160m"}, {2000.1, ""},
        {3499.9, ""},   {3500, "80m"},   {4000, "80m"},  {4000.5, ""},
        {5354, "60m"},  {7000, "40m"},   {7300, "40m"},  {7300.1, ""},
        {10140, "30m"}, {10150.1, ""},   {14000, "20m"}, {14350, "20m"},
        {14350.5, ""},  {18100, "17m"},  {21000, "15m"}, {21450, "15m"},
        {21451, ""},    {24915, "12m"},  {28000, "10m"}, {29700, "10m"},
        {29700.1, ""},  {50100, "6m"},   {144300, "2m"}, {432100, "70cm"},
        {0, ""},        {-14000, ""},    {1e12, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(BandFromKhz(c.khz), c.band) << c.khz << " kHz";
    EXPECT_EQ(BandFromHz(14085300u), "20m");
    EXPECT_EQ(BandFromHz(13999999u), "");
}

TEST(BandPlan, NormalizeBandReadsLogNames) {
    struct Case {
        const char* text;
        const char* band;
    } const cases[] = {
        {"20m", "20m"},  {"20M", "20m"},  {" 40m ", "40m"}, {"160M", "160m"},
        {"70CM", "70cm"}, {"1.25m", "1.25m"},
        // Cabrillo's band in MHz
        {"1.8", "160m"}, {"3.5", "80m"},  {"7", "40m"},    {"14", "20m"},
        {"21", "15m"},   {"28", "10m"},   {"50", "6m"},    {"144", "2m"},
        {"432", "70cm"}, {"1.2g", "23cm"},
        // not bands
        {"", ""},        {"20", ""},      {"13", ""},      {"14085", ""},
        {"m", ""},       {"20mm", ""},    {"2O M", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(NormalizeBand(c.text), c.band) << "'" << c.text << "'";
}

TEST(BandPlan, NominalFrequencyLiesOnItsBand) {
    const char* const bands[] = {"2190m", "630m", "160m", "80m", "60m", "40m", "30m", "20m", "17m", "15m",
                                 "12m",   "10m",  "6m",   "4m",  "2m",  "1.25m", "70cm", "33cm", "23cm"};
    for (const char* band : bands) {
        const unsigned khz = NominalKhz(band);
        EXPECT_EQ(BandFromKhz(khz), band) << band << " -> " << khz << " kHz";
    }
    EXPECT_EQ(NominalKhz("14"), 14000u);
    EXPECT_EQ(NominalKhz("20M"), 14000u);
    EXPECT_EQ(NominalKhz("11m"), 0u);
    EXPECT_EQ(NominalKhz(""), 0u);
}

TEST(BandPlan, ParseFrequencyHz) {
    struct Case {
        const char* text;
        unsigned unitHz;
        bool ok;
        unsigned hz;
    } const cases[] = {
        {"14085", 1000, true, 14085000u},
        {"14085.5", 1000, true, 14085500u},
        {" 7035 ", 1000, true, 7035000u},
        {"14.0853", 1000000, true, 14085300u},
        {"3.58", 1000000, true, 3580000u},
        {"7.", 1000000, true, 7000000u},
        {".5", 1000000, true, 500000u},
        {"14.08530049", 1000000, true, 14085300u},  // below 1 Hz: rounded
        {"14.0853005", 1000000, true, 14085301u},
        {"4294.967295", 1000000, true, 4294967295u},
        {"4294.967296", 1000000, false, 0},  // past 32 bits
        {"99999999999", 1000, false, 0},
        {"", 1000, false, 0},
        {".", 1000, false, 0},
        {"14.08.5", 1000000, false, 0},
        {"14,085", 1000000, false, 0},
        {"-7035", 1000, false, 0},
        {"+7035", 1000, false, 0},
        {"1e4", 1000, false, 0},
        {"7 035", 1000, false, 0},
    };
    for (const Case& c : cases) {
        unsigned hz = 0;
        EXPECT_EQ(ParseFrequencyHz(c.text, c.unitHz, hz), c.ok) << "'" << c.text << "'";
        if (c.ok) {
            EXPECT_EQ(hz, c.hz) << "'" << c.text << "'";
        }
    }
}

}  // namespace
