#include "host/cabrillo_reader.h"

#include <gtest/gtest.h>

namespace {

const char* const kLog3 =
    "START-OF-LOG: 3.0\r\n"
    "CONTEST: SARTG-RTTY\r\n"
    "CALLSIGN: sm5xyz\r\n"
    "CATEGORY-MODE: RTTY\r\n"
    "SOAPBOX: 73: see you\r\n"
    "QSO: 14085 RY 2017-08-19 0012 SM5XYZ        599 001    DL1ABC        599 123\r\n"
    "X-QSO: 14086 RY 2017-08-19 0013 SM5XYZ       599 002    DL2ABC        599 124\r\n"
    "QSO:  3581 RY 2017-08-20 2359 SM5XYZ        599 002    w1aw/kh6      599 045    1\r\n"
    "END-OF-LOG:\r\n";

TEST(CabrilloReader, ReadsHeaderAndQsos) {
    HostLog log;
    std::vector<LogProblem> problems;
    ASSERT_TRUE(ReadCabrilloLog(kLog3, log, problems));
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(log.ownCall, "SM5XYZ");
    ASSERT_EQ(log.qsos.size(), 2u);  // the X-QSO: is not one

    const HostQso& q = log.qsos[0];
    EXPECT_EQ(q.sourceLine, 6);
    EXPECT_EQ(q.call, "DL1ABC");
    EXPECT_EQ(q.band, "20m");
    EXPECT_EQ(q.mode, "RTTY");
    EXPECT_EQ(q.frequencyHz, 14085000u);
    EXPECT_EQ(q.time.Format("%Y-%m-%d %H%M"), "2017-08-19 0012");
    EXPECT_EQ(q.rstSent, "599");
    EXPECT_EQ(q.nrSent, "001");
    EXPECT_EQ(q.rstRcvd, "599");
    EXPECT_EQ(q.nrRcvd, "123");
    EXPECT_TRUE(q.country.empty() && q.continent.empty() && q.areaText.empty());  // not resolved here

    const HostQso& last = log.qsos[1];
    EXPECT_EQ(last.sourceLine, 8);
    EXPECT_EQ(last.call, "W1AW/KH6");
    EXPECT_EQ(last.band, "80m");
    EXPECT_EQ(last.time.Format("%Y-%m-%d %H%M"), "2017-08-20 2359");
    EXPECT_EQ(last.nrRcvd, "045");
}

HostQso ReadOneQso(const Text& qsoLine, std::vector<LogProblem>& problems) {
    HostLog log;
    EXPECT_TRUE(ReadCabrilloLog("START-OF-LOG: 3.0\nCALLSIGN: SM5XYZ\n" + qsoLine + "\nEND-OF-LOG:\n", log, problems));
    return log.qsos.size() == 1 ? log.qsos[0] : HostQso();
}

TEST(CabrilloReader, QsoLineVariants) {
    struct Case {
        const char* fields;  // after "QSO: "
        const char* band;
        unsigned hz;
        const char* mode;
        const char* call;
        const char* nrRcvd;
    } const cases[] = {
        {"14085.5 RY 2017-08-19 1200 SM5XYZ 599 7 DL1ABC 599 12", "20m", 14085500u, "RTTY", "DL1ABC", "12"},
        {"14 RY 2017-08-19 1200 SM5XYZ 599 7 DL1ABC 599 12", "20m", 14000000u, "RTTY", "DL1ABC", "12"},
        {"3.5 RY 2017-08-19 1200 SM5XYZ 599 7 DL1ABC 599 12", "80m", 3500000u, "RTTY", "DL1ABC", "12"},
        {"7 RY 2017-08-19 1200 SM5XYZ 599 7 DL1ABC 599 12", "40m", 7000000u, "RTTY", "DL1ABC", "12"},
        {"10140 RY 2017-08-19 1200 SM5XYZ 599 7 DL1ABC 599 12", "30m", 10140000u, "RTTY", "DL1ABC", "12"},
        // outside every band: kept, the plug-in decides
        {"13999 RY 2017-08-19 1200 SM5XYZ 599 7 DL1ABC 599 12", "", 13999000u, "RTTY", "DL1ABC", "12"},
        {"14085 CW 2017-08-19 1200 SM5XYZ 599 7 DL1ABC 599 12", "20m", 14085000u, "CW", "DL1ABC", "12"},
        {"14285 PH 2017-08-19 1200 SM5XYZ 59 7 DL1ABC 59 12", "20m", 14285000u, "SSB", "DL1ABC", "12"},
        {"14085 DG 2017-08-19 1200 SM5XYZ 599 7 DL1ABC 599 12", "20m", 14085000u, "DIG", "DL1ABC", "12"},
        {"14085 ry 2017-08-19 1200 SM5XYZ 599 7 dl1abc 599 12", "20m", 14085000u, "RTTY", "DL1ABC", "12"},
        // no received serial: still a QSO
        {"14085 RY 2017-08-19 1200 SM5XYZ 599 7 DL1ABC 599", "20m", 14085000u, "RTTY", "DL1ABC", ""},
        // transmitter number, tabs
        {"14085\tRY\t2017-08-19\t1200\tSM5XYZ\t599\t7\tDL1ABC\t599\t12\t0", "20m", 14085000u, "RTTY", "DL1ABC",
         "12"},
    };
    for (const Case& c : cases) {
        std::vector<LogProblem> problems;
        const HostQso q = ReadOneQso(Text("QSO: ") + c.fields, problems);
        EXPECT_TRUE(problems.empty()) << c.fields << ": " << (problems.empty() ? "" : problems[0].message);
        EXPECT_EQ(q.band, c.band) << c.fields;
        EXPECT_EQ(q.frequencyHz, c.hz) << c.fields;
        EXPECT_EQ(q.mode, c.mode) << c.fields;
        EXPECT_EQ(q.call, c.call) << c.fields;
        EXPECT_EQ(q.nrRcvd, c.nrRcvd) << c.fields;
        EXPECT_EQ(q.nrSent, "7") << c.fields;
    }
}

TEST(CabrilloReader, UnreadableLinesAreReportedAndSkipped) {
    struct Case {
        const char* line;
        const char* message;
    } const cases[] = {
        {"QSO: 14085 RY 2017-08-19 1200 SM5XYZ 599 7 DL1ABC", "8 fields"},
        {"QSO:", "0 fields"},
        {"QSO: 14085 RY 2017-08-19 1200 SM5XYZ 599 7 DL1ABC 599 12 0 X", "12 fields"},
        {"QSO: 14085 RY 2017-08-19 1200 SM5XYZ 599 7 DL1ABC 599 12 A", "transmitter"},
        {"QSO: 14085 RY 2017-13-19 1200 SM5XYZ 599 7 DL1ABC 599 12", "no such date"},
        {"QSO: 14085 RY 2017-02-29 1200 SM5XYZ 599 7 DL1ABC 599 12", "no such date"},
        {"QSO: 14085 RY 19-08-2017 1200 SM5XYZ 599 7 DL1ABC 599 12", "not YYYY-MM-DD"},
        {"QSO: 14085 RY 20170819 1200 SM5XYZ 599 7 DL1ABC 599 12", "not YYYY-MM-DD"},
        {"QSO: 14085 RY 2017-08-19 2460 SM5XYZ 599 7 DL1ABC 599 12", "no such time"},
        {"QSO: 14085 RY 2017-08-19 12:00 SM5XYZ 599 7 DL1ABC 599 12", "not HHMM"},
        {"QSO: 14085 RY 2017-08-19 120 SM5XYZ 599 7 DL1ABC 599 12", "not HHMM"},
        {"QSO: 14O85 RY 2017-08-19 1200 SM5XYZ 599 7 DL1ABC 599 12", "frequency"},
        {"QSO: -14085 RY 2017-08-19 1200 SM5XYZ 599 7 DL1ABC 599 12", "frequency"},
        {"14085 RY 2017-08-19 1200 SM5XYZ 599 7 DL1ABC 599 12", "no TAG"},
        {"QSO 14085 RY 2017-08-19 1200 SM5XYZ 599 7 DL1ABC 599 12", "no TAG"},
    };
    for (const Case& c : cases) {
        const Text good = "QSO: 7035 RY 2017-08-19 0100 SM5XYZ 599 1 OH2BH 599 5";
        HostLog log;
        std::vector<LogProblem> problems;
        ASSERT_TRUE(ReadCabrilloLog("START-OF-LOG: 3.0\r\n" + good + "\r\n" + c.line + "\r\n" + good + "\r\n", log,
                                    problems));
        ASSERT_EQ(problems.size(), 1u) << c.line;
        EXPECT_EQ(problems[0].line, 3) << c.line;
        EXPECT_NE(problems[0].message.find(c.message), Text::npos) << c.line << ": " << problems[0].message;
        ASSERT_EQ(log.qsos.size(), 2u) << c.line;
        EXPECT_EQ(log.qsos[1].sourceLine, 4) << c.line;
    }
}

TEST(CabrilloReader, LineEndsDoNotChangeLineNumbers) {
    for (const char* eol : {"\n", "\r\n", "\r"}) {
        const Text log2 = Text("START-OF-LOG: 2.0") + eol + "CONTEST: SARTG-RTTY" + eol + eol +
                          "QSO:  7035 RY 2017-08-19 0100 SM5XYZ 599 1 OH2BH 599 5" + eol + "QSO: bad" + eol +
                          "QSO: 14085 RY 2017-08-19 0101 SM5XYZ 599 2 JA1ABC 599 9" + eol + "END-OF-LOG:" + eol;
        HostLog log;
        std::vector<LogProblem> problems;
        ASSERT_TRUE(ReadCabrilloLog(log2, log, problems));
        ASSERT_EQ(log.qsos.size(), 2u);
        EXPECT_EQ(log.qsos[0].sourceLine, 4);
        EXPECT_EQ(log.qsos[1].sourceLine, 6);
        EXPECT_EQ(log.qsos[1].nrRcvd, "9");  // no CR left on the last field
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_EQ(problems[0].line, 5);
        // No CALLSIGN: the sent call of the first QSO stands for it.
        EXPECT_EQ(log.ownCall, "SM5XYZ");
    }
}

TEST(CabrilloReader, WhatIsNoCabrilloLog) {
    HostLog log;
    std::vector<LogProblem> problems;
    EXPECT_FALSE(ReadCabrilloLog("", log, problems));
    ASSERT_EQ(problems.size(), 1u);
    problems.clear();
    EXPECT_FALSE(ReadCabrilloLog("<CALL:5>DL1AB<EOR>\n", log, problems));
    EXPECT_FALSE(problems.empty());

    // A QSO: line without START-OF-LOG: is enough; so is a header with no QSOs.
    problems.clear();
    EXPECT_TRUE(ReadCabrilloLog("\xEF\xBB\xBFQSO: 7035 RY 2017-08-19 0100 SM5XYZ 599 1 OH2BH 599 5\n", log, problems));
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(log.qsos.size(), 1u);
    HostLog empty;
    EXPECT_TRUE(ReadCabrilloLog("START-OF-LOG: 3.0\nCALLSIGN: SM5XYZ\nEND-OF-LOG:\n", empty, problems));
    EXPECT_TRUE(empty.qsos.empty());
    EXPECT_EQ(empty.ownCall, "SM5XYZ");
}

TEST(CabrilloReader, TextAfterEndOfLogIsReported) {
    HostLog log;
    std::vector<LogProblem> problems;
    ASSERT_TRUE(ReadCabrilloLog("START-OF-LOG: 3.0\nEND-OF-LOG:\n\n"
                                "QSO: 7035 RY 2017-08-19 0100 SM5XYZ 599 1 OH2BH 599 5\n",
                                log, problems));
    EXPECT_TRUE(log.qsos.empty());
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].line, 4);
}

}  // namespace
