// The small exports, the exchange test, the name tables, the call-area rule
// and the language rule.
#include <gtest/gtest.h>

#include "engine/call_area.h"
#include "support/host_calls.h"

namespace {

using namespace testsupport;

int Exchange(const char* text) {
    return IsValidExchg0(text, junk::Str(2), junk::Str(3), junk::Str(4), junk::kInt, junk::kInt, junk::kInt);
}

TEST(IsValidExchange, OneToFourAsciiDigitsButNot599) {
    struct { const char* text; int expected; } cases[] = {
        {"1", 1}, {"0", 1}, {"0599", 1}, {"5990", 1}, {"9999", 1}, {"017", 1},
        {"599", 0}, {"", 0}, {nullptr, 0}, {"12345", 0}, {"00000", 0}, {"12a", 0}, {" 12", 0}, {"12 ", 0},
        {"-1", 0}, {"+1", 0}, {"1.5", 0}, {"\xB9", 0}, {"1\xB2", 0}, {"\xD9\xA3", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Exchange(c.text), c.expected) << (c.text ? c.text : "(null)");
        EXPECT_EQ(IsValidExchange(c.text), c.expected) << (c.text ? c.text : "(null)");
    }
}

TEST(SmallExports, NamesCountsAndVersion) {
    EXPECT_EQ(GetNumberOfSets(), 1);
    EXPECT_STREQ(GetSetName(0), "SARTG-WW-RTTY (C)");
    for (int index : {1, -1, 2, 1000}) {
        ASSERT_NE(GetSetName(index), nullptr) << index;
        EXPECT_STREQ(GetSetName(index), "") << index;
    }
    g_htmlOutput = 0;
    EXPECT_EQ(setVersion(nullptr), 0u);
    EXPECT_EQ(g_htmlOutput, 1);
    EXPECT_EQ(setVersion("2.20"), 0u);
    EXPECT_EQ(g_htmlOutput, 1);
    SetupSet0();  // natively there is no one to show the message to
    g_htmlOutput = 0;
}

TEST(ContestRules, BandAndModeTablesIgnoreCaseOnly) {
    struct { const char* name; int band, mode; } cases[] = {
        {"80m", 1, 0}, {"80M", 1, 0}, {"40m", 1, 0}, {"20M", 1, 0}, {"15m", 1, 0}, {"10M", 1, 0},
        {"160m", 0, 0}, {"6m", 0, 0}, {"", 0, 0}, {nullptr, 0, 0}, {"20m ", 0, 0}, {"20", 0, 0},
        {"RTTY", 0, 1}, {"rtty", 0, 1}, {"RtTy", 0, 1}, {"RTTY ", 0, 0}, {"CW", 0, 0}, {"RTT", 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(g_bandRules.Contains(c.name), c.band) << (c.name ? c.name : "(null)");
        EXPECT_EQ(g_modeRules.Contains(c.name), c.mode) << (c.name ? c.name : "(null)");
    }
    ASSERT_EQ(g_bandRules.size(), 6u);
    EXPECT_EQ(g_bandRules[0], "80m");
    EXPECT_EQ(g_bandRules[1], "80m");
}

TEST(SetCallArea, LastDigitOfTheAreaTextForTheFourAreaEntities) {
    struct { const char* country; const char* area; int ja, k, ve, vk; } cases[] = {
        {"JA", "1", 1, -1, -1, -1},
        {"JA", "JA1ABC", 1, -1, -1, -1},
        {"K", "W2ABC/7", -1, 7, -1, -1},
        {"K", "0", -1, 0, -1, -1},
        {"VE", "VE3", -1, -1, 3, -1},
        {"VK", "x9y", -1, -1, -1, 9},
        {"VE", "abc", -1, -1, -1, -1},
        {"VK", "", -1, -1, -1, -1},
        {"ja", "1", -1, -1, -1, -1},
        {"W", "3", -1, -1, -1, -1},
        {"DL", "5", -1, -1, -1, -1},
        {"K ", "5", -1, -1, -1, -1},
        {"KH6", "6", -1, -1, -1, -1},
        {"", "5", -1, -1, -1, -1},
        {"JA", "\xB9\xB2", -1, -1, -1, -1},  // superscript digits are no digits
    };
    for (const auto& c : cases) {
        CInfo r;
        SetCallArea(r, c.country, c.area);
        EXPECT_EQ(r.m_areaJA, c.ja) << c.country << " " << c.area;
        EXPECT_EQ(r.m_areaK, c.k) << c.country << " " << c.area;
        EXPECT_EQ(r.m_areaVE, c.ve) << c.country << " " << c.area;
        EXPECT_EQ(r.m_areaVK, c.vk) << c.country << " " << c.area;
    }
}

TEST(UsesRussianUi, ExactEntityKeys) {
    for (const char* key : {"UA", "UA2", "UA2/f", "UA9", "UN", "UR", "EU"}) EXPECT_EQ(UsesRussianUi(key), 1) << key;
    for (const char* key : {"ua", "UA2/F", "UA9 ", "DL", "", "UA1", "EA"}) EXPECT_EQ(UsesRussianUi(key), 0) << key;
}

}  // namespace
