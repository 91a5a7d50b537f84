// Bad input from the host: null pointers everywhere, 64 KiB texts, bytes
// above 127, and a bad-QSO file that cannot be written.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "support/host_calls.h"

namespace {

using namespace testsupport;

class BadInput : public EngineTest {};

int AddAllNull() {
    return AddData0(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr,
                    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                    0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr, nullptr, nullptr);
}

TEST_F(BadInput, NullPointersEverywhere) {
    EXPECT_EQ(AddAllNull(), 0);
    EXPECT_EQ(g_log.size(), 0u);
    EXPECT_EQ(BadFile(), BadFileWith({"QSO:  0" + std::string(16, ' ') + "   WRONG BAND !!!"}));

    // Only band, mode and the numbers given: stored with empty texts and a
    // null time; the copy is a dupe.
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(AddData0(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, "RTTY", nullptr, nullptr, "1",
                           "2", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr, "20m", nullptr),
                  1);
    ASSERT_EQ(g_log.size(), 2u);
    EXPECT_EQ(g_log[0].m_call, "");
    EXPECT_EQ(g_log[0].m_country, "");
    EXPECT_EQ(g_log[0].m_time.GetStatus(), DateTime::Status::Null);
    EXPECT_EQ(g_log[1].m_dupe, 1);
    EXPECT_EQ(BadFile(), BadFileWith({"QSO:  0" + std::string(16, ' ') + "   WRONG BAND !!!",
                                      "QSO:  0  RTTY        1      2   DUPE !!!"}));

    char out27[4] = "abc", out28[4] = "def";
    EXPECT_EQ(CheckCall0(nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr),
              4);
    EXPECT_EQ(CheckCall0(nullptr, 0, 0, "RTTY", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr, nullptr, nullptr,
                         "20m", nullptr, out27, out28),
              1);  // empty entity

    EXPECT_EQ(RemoveData0(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr, nullptr, nullptr),
              1);
    EXPECT_EQ(g_log.size(), 2u);  // an empty band and mode match nothing stored
    EXPECT_EQ(RemoveData0(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, "RTTY", nullptr, nullptr,
                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr, "20m", nullptr),
              1);
    EXPECT_EQ(g_log.size(), 1u);  // the null call and time match the first record
    // A null call keeps every line.
    EXPECT_EQ(BadFile(), BadFileWith({"QSO:  0" + std::string(16, ' ') + "   WRONG BAND !!!",
                                      "QSO:  0  RTTY        1      2   DUPE !!!"}));

    EXPECT_NE(GetResult0(nullptr), nullptr);
    EXPECT_EQ(setVersion(nullptr), 0u);
    EXPECT_NE(GetResult0(nullptr), nullptr);

    EXPECT_EQ(ResetStats0(nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr),
              1);
    EXPECT_EQ(g_badQsoFileName, "BadQSO_StatsSARTGWWRTTY_.txt");
    EXPECT_EQ(ReadFile("BadQSO_StatsSARTGWWRTTY_.txt"), kHeader);
    EXPECT_EQ(g_startDate, "");
    EXPECT_EQ(g_ownCall, "");
    EXPECT_EQ(g_hostVersion, "Vokt");
}

TEST_F(BadInput, LongTextsPassThroughUnharmed) {
    const std::string call(65536, 'C'), country(65536, 'E'), own(65536, 'O'), number(65536, '7');
    ASSERT_EQ(DoReset(Reset().OwnCall(own.c_str())), 1);
    const Qso q = Qso().OwnCall(own.c_str()).Call(call.c_str()).Country(country.c_str()).NrRcvd(number.c_str());
    ASSERT_EQ(Add(q), 1);
    ASSERT_EQ(Add(q), 1);
    ASSERT_EQ(g_log.size(), 2u);
    EXPECT_EQ(g_log[0].m_call, call);
    EXPECT_EQ(g_log[0].m_country, country);
    EXPECT_EQ(g_log[0].m_nrRcvd, number);
    EXPECT_EQ(g_log[1].m_dupe, 1);
    EXPECT_EQ(BadFile(), BadFileWith({"QSO:  14085  RTTY  2017-08-19 1234  " + own + "  599  001  " + call + "  599  " +
                                      number + "   DUPE !!!"}));
    EXPECT_EQ(CallCheck(Check().Call(call.c_str()).Country("DL")), 0);
    EXPECT_EQ(CallCheck(Check().Call("X").Country(country.c_str())), 1);

    const std::string summary = Result();
    EXPECT_NE(summary.find("Contestant: " + own + "\r\n"), std::string::npos);
    EXPECT_EQ(g_slotMults[3], (TextList{country}));

    ASSERT_EQ(Remove(q), 1);
    EXPECT_EQ(g_log.size(), 1u);
    EXPECT_EQ(BadFile(), kHeader);  // the line held the call and " 1234 "

    const std::string band(65536, 'm'), mode(65536, 'R');
    EXPECT_EQ(Add(Qso().Band(band.c_str())), 0);
    EXPECT_EQ(Add(Qso().Mode(mode.c_str())), 0);
    EXPECT_EQ(CallCheck(Check().Band(band.c_str())), 4);
    EXPECT_EQ(BadFile(), BadFileWith({"QSO:  14085  RTTY  2017-08-19 1234  DL0TST  599  001  SM5AAA  599  017   WRONG BAND !!!",
                                      "QSO:  14085  " + mode + "  2017-08-19 1234  DL0TST  599  001  SM5AAA  599  017   WRONG MODE !!!"}));
}

TEST_F(BadInput, BytesAbove127PassThroughUnharmed) {
    const char* call = "\xC4\xD6\xDC\xFF\x80";
    const char* country = "\xC0\xC1";  // Windows-1251 capitals
    const char* continent = "\xC5\xC2";
    ASSERT_EQ(DoReset(Reset().OwnCall("\xD0\xC0\xC4\xC8\xCE").OwnCountry(country).OwnContinent(continent)), 1);
    const Qso q = Qso().OwnCall("\xD0\xC0\xC4\xC8\xCE").Call(call).From(country, continent).RstRcvd("5\xB9" "9");
    ASSERT_EQ(Add(q), 1);
    ASSERT_EQ(Add(q), 1);
    EXPECT_EQ(g_log[0].m_call, call);
    EXPECT_EQ(g_log[0].m_country, country);
    EXPECT_EQ(g_log[0].m_rstRcvd, "5\xB9" "9");
    EXPECT_EQ(BadFile(), BadFileWith({"QSO:  14085  RTTY  2017-08-19 1234  \xD0\xC0\xC4\xC8\xCE  599  001  \xC4\xD6\xDC"
                                      "\xFF\x80  5\xB9" "9  017   DUPE !!!"}));
    EXPECT_EQ(CallCheck(Check().Call(call).Country(country)), 0);
    EXPECT_EQ(CallCheck(Check().Call("X").Country(country)), 1);
    EXPECT_EQ(CallCheck(Check().Call("X").Country("\xE0\xE1")), 2);  // small letters: another entity

    const std::string summary = Result();
    EXPECT_NE(summary.find("20m\t 1\t 5\t 1\t 0\t 0\t 0\t 0\r\n"), std::string::npos) << summary;  // own entity
    EXPECT_EQ(g_slotMults[3], (TextList{country}));

    EXPECT_EQ(Add(Qso().Band("2\xD0m")), 0);
    EXPECT_EQ(Add(Qso().Mode("RTTY\xA0")), 0);
    EXPECT_EQ(Add(Qso().Mode("\xD2TTY")), 0);
}

TEST_F(BadInput, UnwritableBadQsoFileLosesOnlyTheLines) {
    std::filesystem::remove(kBadFile);
    std::filesystem::create_directory(kBadFile);
    EXPECT_EQ(Add(Qso().Band("160m")), 0);
    EXPECT_EQ(Add(Qso()), 1);
    EXPECT_EQ(Add(Qso()), 1);
    ASSERT_EQ(g_log.size(), 2u);
    EXPECT_EQ(g_log[1].m_dupe, 1);
    EXPECT_EQ(g_bandsUsed, (TextList{"20m"}));
    EXPECT_EQ(CallCheck(Check()), 0);

    const std::string summary = Result();
    EXPECT_NE(summary.find("Dupe\t 1\r\nBad QSO\t 0\r\n"), std::string::npos) << summary;

    EXPECT_EQ(Remove(Qso()), 1);
    EXPECT_EQ(g_log.size(), 1u);
    EXPECT_EQ(DoReset(Reset()), 1);
    EXPECT_TRUE(std::filesystem::is_directory(kBadFile));
    EXPECT_EQ(Add(Qso()), 1);
}

}  // namespace
