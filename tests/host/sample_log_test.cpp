// The committed sample log (written by host/make_sample.cpp) holds what the
// plug-in's trials rely on.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <utility>

#include "host/cabrillo_reader.h"
#include "host/cty_resolver.h"

namespace {

TEST(SampleLog, ReadsCleanlyAndHoldsTheAdvertisedCases) {
    std::ifstream in(STATS_SAMPLES_DIR "/sartg-2017-sample.cbr", std::ios::in | std::ios::binary);
    ASSERT_TRUE(in) << STATS_SAMPLES_DIR "/sartg-2017-sample.cbr";
    std::ostringstream content;
    content << in.rdbuf();

    HostLog log;
    std::vector<LogProblem> problems;
    ASSERT_TRUE(ReadCabrilloLog(content.str(), log, problems));
    EXPECT_TRUE(problems.empty()) << problems[0].line << ": " << problems[0].message;
    EXPECT_EQ(log.ownCall, "SM5XYZ");
    ASSERT_GT(log.qsos.size(), 2800u);
    ASSERT_LT(log.qsos.size(), 3200u);

    // The three periods: Saturday 00-08, Saturday 16-24, Sunday 08-16 UTC.
    const double periods[][2] = {
        {DateTime::FromParts(2017, 8, 19, 0).Days(), DateTime::FromParts(2017, 8, 19, 8).Days()},
        {DateTime::FromParts(2017, 8, 19, 16).Days(), DateTime::FromParts(2017, 8, 20, 0).Days()},
        {DateTime::FromParts(2017, 8, 20, 8).Days(), DateTime::FromParts(2017, 8, 20, 16).Days()},
    };
    int noSerial = 0, wrongBand = 0, dupes = 0;
    std::set<std::pair<Text, Text>> worked;
    double previous = 0;
    for (size_t i = 0; i < log.qsos.size(); ++i) {
        const HostQso& q = log.qsos[i];
        EXPECT_EQ(q.nrSent, Format("%03u", static_cast<unsigned>(i + 1))) << q.sourceLine;
        EXPECT_EQ(q.mode, "RTTY") << q.sourceLine;
        bool inPeriod = false;
        for (const auto& p : periods) inPeriod = inPeriod || (q.time.Days() >= p[0] && q.time.Days() < p[1]);
        EXPECT_TRUE(inPeriod) << q.sourceLine;
        EXPECT_GE(q.time.Days(), previous) << q.sourceLine;
        previous = q.time.Days();
        if (q.nrRcvd.empty()) ++noSerial;
        if (q.band == "30m" || q.band == "160m")
            ++wrongBand;
        else
            EXPECT_TRUE(q.band == "80m" || q.band == "40m" || q.band == "20m" || q.band == "15m" || q.band == "10m")
                << q.sourceLine << " " << q.band;
        if (!worked.insert(std::make_pair(q.call, q.band)).second) ++dupes;
    }
    EXPECT_EQ(noSerial, 2);
    EXPECT_EQ(wrongBand, 5);
    EXPECT_GE(dupes, 5);
    EXPECT_LE(dupes, 30);

    std::ifstream cty(STATS_CTY_DAT);
    if (!cty) return;
    CallResolver resolver;
    Text error;
    ASSERT_TRUE(resolver.Load(STATS_CTY_DAT, &error)) << error;
    ResolveLog(resolver, log);
    EXPECT_EQ(log.ownCountry, "SM");
    for (const HostQso& q : log.qsos) EXPECT_FALSE(q.country.empty()) << q.sourceLine << " " << q.call;
}

}  // namespace
