#include "host/adif_reader.h"

#include <gtest/gtest.h>

namespace {

const char* const kAdif =
    "Exported for the SARTG test <by hand>\r\n"                                        // 1
    "<ADIF_VER:5>3.1.0 <PROGRAMID:4>test\r\n"                                           // 2
    "<EOH>\r\n"                                                                          // 3
    "<call:6:s>DL1ABC <band:3>20M <freq:7>14.0853 <mode:4>RTTY <qso_date:8>20170819\r\n"  // 4
    "<time_on:6>001205 <rst_sent:3>599 <rst_rcvd:3>599 <stx:1>1 <srx:3>123\r\n"          // 5
    "<STATION_CALLSIGN:6>sm5xyz <OPERATOR:6>SM5ABC <eor>\r\n"                            // 6
    "\r\n"                                                                               // 7
    "<CALL:4>W1AW <BAND:3>80m <MODE:4>RTTY <SUBMODE:4>ASCI <QSO_DATE:8>20170820 <TIME_ON:4>2359\r\n"  // 8
    "<STX_STRING:3>002 <SRX_STRING:3>045 <COMMENT:12>a <b> c\r\nd e <EOR>\r\n";        // 9

TEST(AdifReader, ReadsHeaderAndRecords) {
    HostLog log;
    std::vector<LogProblem> problems;
    ASSERT_TRUE(ReadAdifLog(kAdif, log, problems));
    EXPECT_TRUE(problems.empty()) << problems[0].line << ": " << problems[0].message;
    EXPECT_EQ(log.ownCall, "SM5XYZ");  // STATION_CALLSIGN before OPERATOR
    ASSERT_EQ(log.qsos.size(), 2u);

    const HostQso& q = log.qsos[0];
    EXPECT_EQ(q.sourceLine, 4);
    EXPECT_EQ(q.call, "DL1ABC");
    EXPECT_EQ(q.band, "20m");
    EXPECT_EQ(q.frequencyHz, 14085300u);
    EXPECT_EQ(q.mode, "RTTY");
    EXPECT_EQ(q.time.Format("%Y-%m-%d %H%M%S"), "2017-08-19 001205");
    EXPECT_EQ(q.rstSent, "599");
    EXPECT_EQ(q.rstRcvd, "599");
    EXPECT_EQ(q.nrSent, "1");
    EXPECT_EQ(q.nrRcvd, "123");

    const HostQso& w = log.qsos[1];
    EXPECT_EQ(w.sourceLine, 8);
    EXPECT_EQ(w.band, "80m");
    EXPECT_EQ(w.frequencyHz, 3500000u);  // no FREQ: the band's nominal frequency
    EXPECT_EQ(w.mode, "RTTY");
    EXPECT_EQ(w.time.Format("%Y-%m-%d %H%M%S"), "2017-08-20 235900");
    EXPECT_EQ(w.nrSent, "002");
    EXPECT_EQ(w.nrRcvd, "045");
}

TEST(AdifReader, LengthsCountBytes) {
    // "René" in UTF-8 is five bytes; "Ren\xE9" in Latin-1 is four.
    const char* const text =
        "<NAME:5>Ren\xC3\xA9<CALL:5>DL1AB<QSO_DATE:8>20170819<TIME_ON:4>1200<EOR>\n"
        "<NAME:4>Ren\xE9<CALL:5>DL2AB<QSO_DATE:8>20170819<TIME_ON:4>1201<EOR>\n";
    HostLog log;
    std::vector<LogProblem> problems;
    ASSERT_TRUE(ReadAdifLog(text, log, problems));
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(log.qsos.size(), 2u);
    EXPECT_EQ(log.qsos[0].call, "DL1AB");
    EXPECT_EQ(log.qsos[1].call, "DL2AB");
    EXPECT_EQ(log.qsos[1].sourceLine, 2);
}

TEST(AdifReader, FieldVariants) {
    struct Case {
        const char* fields;
        const char* band;
        unsigned hz;
        const char* mode;
        const char* nrSent;
        const char* nrRcvd;
        const char* problem;  // expected note, the QSO being kept
    } const cases[] = {
        {"<FREQ:5>7.035", "40m", 7035000u, "", "", "", nullptr},
        {"<BAND:3>15m", "15m", 21000000u, "", "", "", nullptr},
        {"<BAND:2>20", "", 0u, "", "", "", "BAND '20' is no band"},
        {"<FREQ:6>14.085<BAND:3>40M", "20m", 14085000u, "", "", "", "does not agree"},
        {"<FREQ:4>13.9<BAND:3>20m", "20m", 13900000u, "", "", "", nullptr},  // off the band: BAND names it
        {"<FREQ:6>14,085<BAND:3>20m", "20m", 14000000u, "", "", "", "FREQ '14,085'"},
        {"<MODE:4>rtty", "", 0u, "RTTY", "", "", nullptr},
        {"<MODE:3>USB", "", 0u, "SSB", "", "", nullptr},
        {"<MODE:2>CW", "", 0u, "CW", "", "", nullptr},
        {"<STX:2>17<STX_STRING:3>599<SRX:1>9<SRX_STRING:5>599 9", "", 0u, "", "17", "9", nullptr},
        {"<STX_STRING:3>017<SRX_STRING:2>09", "", 0u, "", "017", "09", nullptr},
        {"<STX:0><STX_STRING:2>17", "", 0u, "", "17", "", nullptr},
    };
    for (const Case& c : cases) {
        HostLog log;
        std::vector<LogProblem> problems;
        ASSERT_TRUE(ReadAdifLog(Text("<CALL:5>DL1AB<QSO_DATE:8>20170819<TIME_ON:4>1200") + c.fields + "<EOR>",
                                log, problems));
        ASSERT_EQ(log.qsos.size(), 1u) << c.fields;
        const HostQso& q = log.qsos[0];
        EXPECT_EQ(q.band, c.band) << c.fields;
        EXPECT_EQ(q.frequencyHz, c.hz) << c.fields;
        EXPECT_EQ(q.mode, c.mode) << c.fields;
        EXPECT_EQ(q.nrSent, c.nrSent) << c.fields;
        EXPECT_EQ(q.nrRcvd, c.nrRcvd) << c.fields;
        if (c.problem) {
            ASSERT_EQ(problems.size(), 1u) << c.fields;
            EXPECT_EQ(problems[0].line, 1);
            EXPECT_NE(problems[0].message.find(c.problem), Text::npos) << problems[0].message;
        } else {
            EXPECT_TRUE(problems.empty()) << c.fields << ": " << problems[0].message;
        }
    }
}

TEST(AdifReader, MalformedRecordsAreReportedWithTheirFirstLineAndSkipped) {
    struct Case {
        const char* record;
        const char* message;
    } const cases[] = {
        {"<CALL:x>DL1AB <QSO_DATE:8>20170819 <TIME_ON:4>1200 <EOR>", "valid length"},
        {"<CALL:-5>DL1AB <QSO_DATE:8>20170819 <TIME_ON:4>1200 <EOR>", "valid length"},
        {"<CALL:9999999999>DL1AB <QSO_DATE:8>20170819 <TIME_ON:4>1200 <EOR>", "valid length"},
        {"<:5>DL1AB <QSO_DATE:8>20170819 <TIME_ON:4>1200 <EOR>", "valid length"},
        {"<CALL>DL1AB <QSO_DATE:8>20170819 <TIME_ON:4>1200 <EOR>", "without a length"},
        {"<CALL:5 DL1AB <QSO_DATE:8>20170819 <TIME_ON:4>1200 <EOR>", "unfinished tag"},
        {"<QSO_DATE:8>20170819 <TIME_ON:4>1200 <EOR>", "no CALL"},
        {"<CALL:0> <QSO_DATE:8>20170819 <TIME_ON:4>1200 <EOR>", "no CALL"},
        {"<CALL:5>DL1AB <TIME_ON:4>1200 <EOR>", "no QSO_DATE"},
        {"<CALL:5>DL1AB <QSO_DATE:10>2017-08-19 <TIME_ON:4>1200 <EOR>", "not YYYYMMDD"},
        {"<CALL:5>DL1AB <QSO_DATE:8>20170832 <TIME_ON:4>1200 <EOR>", "no such QSO_DATE"},
        {"<CALL:5>DL1AB <QSO_DATE:8>20170819 <EOR>", "no TIME_ON"},
        {"<CALL:5>DL1AB <QSO_DATE:8>20170819 <TIME_ON:4>2460 <EOR>", "no such TIME_ON"},
        {"<CALL:5>DL1AB <QSO_DATE:8>20170819 <TIME_ON:3>120 <EOR>", "not HHMM"},
    };
    const Text good1 = "<CALL:5>OH2BH <QSO_DATE:8>20170819 <TIME_ON:4>1100 <EOR>\n";
    const Text good2 = "<CALL:5>JA1AB <QSO_DATE:8>20170819 <TIME_ON:4>1300 <EOR>\n";
    for (const Case& c : cases) {
        HostLog log;
        std::vector<LogProblem> problems;
        ASSERT_TRUE(ReadAdifLog(good1 + "\n" + c.record + "\n" + good2, log, problems)) << c.record;
        ASSERT_EQ(problems.size(), 1u) << c.record;
        EXPECT_EQ(problems[0].line, 3) << c.record;
        EXPECT_NE(problems[0].message.find(c.message), Text::npos) << c.record << ": " << problems[0].message;
        ASSERT_EQ(log.qsos.size(), 2u) << c.record;
        EXPECT_EQ(log.qsos[0].call, "OH2BH");
        EXPECT_EQ(log.qsos[1].call, "JA1AB");
        EXPECT_EQ(log.qsos[1].sourceLine, 4) << c.record;
    }
}

TEST(AdifReader, TruncatedFilesEndCleanly) {
    const Text good = "<CALL:5>OH2BH <QSO_DATE:8>20170819 <TIME_ON:4>1100 <EOR>\n";
    struct Case {
        const char* tail;
        const char* message;
    } const cases[] = {
        {"<CALL:5>DL1AB <QSO_DATE:8>20170819 <TIME_ON:40>1200", "past the end"},
        {"<CALL:5>DL1AB <QSO_DATE:8>20170819 <TIME_ON:4>1200", "no <EOR>"},
        {"<CALL:5>DL1AB <QSO_DATE:8>2017", "past the end"},
        {"<CALL:5>DL1AB <QSO_DA", "unfinished tag"},
        {"<CALL:5>DL1", "past the end"},
        {"<", "unfinished tag"},
    };
    for (const Case& c : cases) {
        HostLog log;
        std::vector<LogProblem> problems;
        ASSERT_TRUE(ReadAdifLog(good + c.tail, log, problems)) << c.tail;
        ASSERT_EQ(log.qsos.size(), 1u) << c.tail;
        ASSERT_EQ(problems.size(), 1u) << c.tail;
        EXPECT_EQ(problems[0].line, 2) << c.tail;
        EXPECT_NE(problems[0].message.find(c.message), Text::npos) << c.tail << ": " << problems[0].message;
    }
}

TEST(AdifReader, HeaderIsOptional) {
    const Text record = "<CALL:5>DL1AB<QSO_DATE:8>20170819<TIME_ON:4>1200<OPERATOR:6>sm5abc<EOR>";
    struct Case {
        Text text;
        int line;  // of the record
    } const cases[] = {
        {record, 1},
        {"<ADIF_VER:5>3.1.0<eoh>" + record, 1},
        {"free text\n<EOH>\n" + record, 3},
        // a header that begins with a field, even a broken one
        {"<ADIF_VER:5>3.1.0 <PROGRAMID:4>test\n<CREATED>\n<EOH>\n" + record, 4},
        {"<EOR>" + record + "<EOR>", 1},
    };
    for (const Case& c : cases) {
        HostLog log;
        std::vector<LogProblem> problems;
        ASSERT_TRUE(ReadAdifLog(c.text, log, problems)) << c.text;
        EXPECT_TRUE(problems.empty()) << c.text << ": " << problems[0].message;
        ASSERT_EQ(log.qsos.size(), 1u) << c.text;
        EXPECT_EQ(log.qsos[0].call, "DL1AB");
        EXPECT_EQ(log.qsos[0].sourceLine, c.line) << c.text;
        EXPECT_EQ(log.ownCall, "SM5ABC");  // OPERATOR when there is no STATION_CALLSIGN
    }
}

TEST(AdifReader, LineEndsDoNotChangeLineNumbers) {
    for (const char* eol : {"\n", "\r\n", "\r"}) {
        const Text text = Text("header") + eol + "<EOH>" + eol +
                          "<CALL:5>OH2BH <QSO_DATE:8>20170819 <TIME_ON:4>1100 <EOR>" + eol +
                          "<CALL:5>DL1AB <QSO_DATE:8>20170819" + eol + "<TIME_ON:4>2400 <EOR>" + eol +
                          "<CALL:5>JA1AB <QSO_DATE:8>20170819 <TIME_ON:4>1300 <EOR>" + eol;
        HostLog log;
        std::vector<LogProblem> problems;
        ASSERT_TRUE(ReadAdifLog(text, log, problems));
        ASSERT_EQ(log.qsos.size(), 2u);
        EXPECT_EQ(log.qsos[0].sourceLine, 3);
        EXPECT_EQ(log.qsos[1].sourceLine, 6);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_EQ(problems[0].line, 4);
    }
}

TEST(AdifReader, WhatIsNoAdifLog) {
    for (const char* text : {"", "QSO: 14085 RY 2017-08-19 0012 SM5XYZ 599 1 DL1ABC 599 2\n", "a < b > c"}) {
        HostLog log;
        std::vector<LogProblem> problems;
        EXPECT_FALSE(ReadAdifLog(text, log, problems)) << text;
        EXPECT_FALSE(problems.empty()) << text;
        EXPECT_TRUE(log.qsos.empty());
    }
    // A header alone is a log without QSOs.
    HostLog log;
    std::vector<LogProblem> problems;
    EXPECT_TRUE(ReadAdifLog("Header\n<ADIF_VER:5>3.1.0\n<EOH>\n", log, problems));
    EXPECT_TRUE(problems.empty());
    EXPECT_TRUE(log.qsos.empty());
}

}  // namespace
