#include "host/cty_resolver.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace {

// A country file cut down to what the rules below need.
const char* const kCty =
    "United States:            05:  08:  NA:   37.53:    91.67:     5.0:  K:\n"
    "    AA,K,N,W,=KH6XYZ,=W1AW/MM;\n"
    "Hawaii:                   31:  61:  OC:   21.12:   157.48:    10.0:  KH6:\n"
    "    AH6,KH6,KH7,NH6,WH6;\n"
    "Kure Island:              31:  61:  OC:   29.00:   178.00:    10.0:  KH7K:\n"
    "    AH7K,KH7K,NH7K,WH7K;\n"
    "Germany:                  14:  28:  EU:   51.00:   -10.00:    -1.0:  DL:\n"
    "    DA,DL;\n"
    "France:                   14:  27:  EU:   46.00:    -2.00:    -1.0:  F:\n"
    "    F;\n"
    "England:                  14:  27:  EU:   52.77:     1.47:     0.0:  G:\n"
    "    G,M;\n"
    "Asiatic Turkey:           20:  39:  AS:   39.18:   -35.65:    -2.0:  TA:\n"
    "    TA,TC;\n"
    "European Turkey:          20:  39:  EU:   41.02:   -28.97:    -2.0:  *TA1:\n"
    "    TA1,TC1,=TC100A;\n"
    "Asiatic Russia:           17:  30:  AS:   55.88:   -84.08:    -7.0:  UA9:\n"
    "    UA9,R9(17)[30]<55.0/-73.0>~-6.0~,=RA9XYZ{EU},\n"
    "    R8(18)[31]{as}~-7.0~;\n"
    "Sov Mil Order of Malta:   15:  28:  EU:   41.90:   -12.43:    -1.0:  1A:\n"
    "    1A;\n"
    "Bouvet:                   38:  67:  AF:  -54.42:    -3.38:    -1.0:  3Y/B:\n"
    "    =3Y0J;\n"
    "Antarctica:               13:  74:  SA:  -90.00:     0.00:     0.0:  CE9:\n"
    "    =KC4/W3ASA;\n"
    "Amsterdam & St. Paul Is.: 39:  68:  AF:  -37.85:   -77.53:    -5.0:  FT5Z:\r\n"
    "    FT5Z;\r\n";

CallResolver FixtureResolver() {
    CallResolver resolver;
    Text error;
    EXPECT_TRUE(resolver.LoadFromText(kCty, &error)) << error;
    EXPECT_TRUE(resolver.Problems().empty());
    return resolver;
}

struct Expected {
    const char* call;
    bool found;
    const char* key;
    const char* continent;
    const char* area;
};

void ExpectResolves(const CallResolver& resolver, const Expected& e) {
    const CallResolver::Resolution r = resolver.Resolve(e.call);
    EXPECT_EQ(r.found, e.found) << e.call;
    EXPECT_EQ(r.entityKey, e.key) << e.call;
    EXPECT_EQ(r.continent, e.continent) << e.call;
    EXPECT_EQ(r.areaText, e.area) << e.call;
}

TEST(CallResolverRules, ResolvesByTheContestLoggersRules) {
    const CallResolver resolver = FixtureResolver();
    EXPECT_EQ(resolver.EntityCount(), 12u);  // European Turkey left out
    const Expected cases[] = {
        // longest prefix wins
        {"W1AW", true, "K", "NA", "1"},
        {"KH6ABC", true, "KH6", "OC", "6"},
        {"KH7ABC", true, "KH6", "OC", "7"},
        {"KH7KA", true, "KH7K", "OC", "7"},
        // an exact-call entry beats every prefix, also with a designator after it
        {"KH6XYZ", true, "K", "NA", "6"},
        {"KH6XYZ/P", true, "K", "NA", "6"},
        {"KH6XYZA", true, "KH6", "OC", "6"},
        {"KC4/W3ASA", true, "CE9", "SA", "4"},
        {"KC4/W3ASA/P", true, "CE9", "SA", "4"},
        {"KC4/W3ASB", true, "K", "NA", "4"},
        // /digit keeps the entity and gives the area
        {"K5DJ/1", true, "K", "NA", "1"},
        {"K5DJ/1/P", true, "K", "NA", "1"},
        {"KH6ABC/0", true, "KH6", "OC", "0"},
        // prefix/call and call/prefix: the shorter part that resolves decides
        {"KH6/W1AW", true, "KH6", "OC", "6"},
        {"W1AW/KH6", true, "KH6", "OC", "6"},
        {"F/DL1ABC", true, "F", "EU", ""},
        {"DL1ABC/F", true, "F", "EU", ""},
        {"XYZ/DL1ABC", true, "DL", "EU", "1"},  // "XYZ" is no prefix
        {"KH6/W1AW/P", true, "KH6", "OC", "6"},
        // designators; "M" names England only in front
        {"DL1ABC/P", true, "DL", "EU", "1"},
        {"DL1ABC/M", true, "DL", "EU", "1"},
        {"DL1ABC/A", true, "DL", "EU", "1"},
        {"DL1ABC/QRP", true, "DL", "EU", "1"},
        {"M/DL1ABC", true, "G", "EU", ""},
        {"M0ABC", true, "G", "EU", "0"},
        // maritime and aeronautical mobile: no entity, unless the file lists the call
        {"DL1ABC/MM", false, "", "", "1"},
        {"W1AW/AM", false, "", "", "1"},
        {"W1AW/MM", true, "K", "NA", "1"},
        // WAE-only entities are left out: their calls go to the DXCC entity
        {"TA1ABC", true, "TA", "AS", "1"},
        {"TC100A", true, "TA", "AS", "0"},
        // overrides: only the continent matters, in either case
        {"R9ABC", true, "UA9", "AS", "9"},
        {"RA9XYZ", true, "UA9", "EU", "9"},
        {"R8ABC", true, "UA9", "AS", "8"},
        // keys the plug-in knows under another name
        {"1A0KM", true, "1A0", "EU", "0"},
        {"3Y0J", true, "3Y/b", "AF", "0"},
        {"FT5ZM", true, "FT/z", "AF", "5"},
        // spelling of the call
        {" dl1abc ", true, "DL", "EU", "1"},
        {"Kh6/w1aw", true, "KH6", "OC", "6"},
        {"DL1ABC/", true, "DL", "EU", "1"},
        {"", false, "", "", ""},
        {"/", false, "", "", ""},
        {"//P", false, "", "", ""},
        {"QQ1ABC", false, "", "", "1"},
        {"DL1-ABC", false, "", "", ""},
        {"DL1\xC4" "BC", false, "", "", ""},
    };
    for (const Expected& e : cases) ExpectResolves(resolver, e);
}

TEST(CallResolverRules, EntityKeyForPrimaryPrefix) {
    struct Case {
        const char* primary;
        const char* key;
    } const cases[] = {
        {"DL", "DL"},     {"UA9", "UA9"},   {"*TA1", "TA1"}, {"1A", "1A0"},     {"VK0M", "VK0"},
        {"HK0/m", "HK0"}, {"PY0S", "PY0P"}, {"E5/n", "E5"},  {"E5/s", "E5"},    {"FO/a", "FO0"},
        {"FO/m", "FO0"},  {"FT/z", "FT/z"}, {"FT5Z", "FT/z"}, {"3Y/B", "3Y/b"}, {"JD/O", "JD/o"},
        {"fr/T", "FT/t"}, {" KH5 ", "KH5"},
    };
    for (const Case& c : cases) EXPECT_EQ(CallResolver::EntityKeyFor(c.primary), c.key) << c.primary;
}

TEST(CallResolverLoading, MalformedEntriesAreReportedWithTheirLineAndSkipped) {
    const char* const text =
        "Germany:                  14:  28:  EU:   51.00:   -10.00:    -1.0:  DL:\n"  // 1
        "    DA,DL(14,DO{XY},DR;\n"                                                   // 2: two bad aliases
        "Nowhere:                  14:  28:  EU:   51.00:\n"                          // 3: too few fields
        "    QQ,QR;\n"                                                                // 4: passed over
        "Atlantis:                 14:  28:  XX:    0.00:     0.00:     0.0:  ZZ:\n"  // 5: bad continent
        "    ZZ;\n"                                                                   // 6
        "    KK,KL;\n"                                                                // 7: outside an entity
        "France:                   14:  27:  EU:   46.00:    -2.00:    -1.0:  F:\n"   // 8
        "    F,TM,\n"                                                                 // 9: no ';' ...
        "Italy:                    15:  28:  EU:   42.82:   -12.58:    -1.0:  I:\n"   // 10
        "    I,DA; more\n"                                                            // 11: dupe, text after ';'
        "Spain:                    14:  37:  EU:   40.37:     4.88:    -1.0:  EA:\n"  // 12
        "    EA,\n";                                                                  // 13: no ';' at the end
    CallResolver resolver;
    Text error;
    ASSERT_TRUE(resolver.LoadFromText(text, &error)) << error;
    EXPECT_EQ(resolver.EntityCount(), 4u);

    const std::vector<std::pair<int, const char*>> expected = {
        {2, "unreadable alias 'DL(14'"}, {2, "unreadable alias 'DO{XY}'"}, {3, "eight fields"},
        {5, "continent 'XX'"},           {7, "outside an entity"},         {8, "not ended by ';'"},
        {11, "'DA' already belongs to Germany"},                           {11, "text after ';'"},
        {12, "not ended by ';'"},
    };
    ASSERT_EQ(resolver.Problems().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(resolver.Problems()[i].line, expected[i].first) << i;
        EXPECT_NE(resolver.Problems()[i].message.find(expected[i].second), Text::npos)
            << resolver.Problems()[i].message;
    }

    // What could be read still resolves.
    const Expected cases[] = {
        {"DR1A", true, "DL", "EU", "1"}, {"DA1A", true, "DL", "EU", "1"}, {"TM5A", true, "F", "EU", "5"},
        {"I1AB", true, "I", "EU", "1"},  {"EA3A", true, "EA", "EU", "3"}, {"QQ1A", false, "", "", "1"},
        {"ZZ1A", false, "", "", "1"},    {"KK1A", false, "", "", "1"},    {"DO1A", false, "", "", "1"},
    };
    for (const Expected& e : cases) ExpectResolves(resolver, e);
}

TEST(CallResolverLoading, FailsWithoutEntities) {
    CallResolver resolver;
    Text error;
    EXPECT_FALSE(resolver.LoadFromText("", &error));
    EXPECT_EQ(error, "no entities");
    EXPECT_FALSE(resolver.LoadFromText("just some text\n", &error));
    EXPECT_NE(error.find("line 1"), Text::npos) << error;
    EXPECT_FALSE(resolver.LoadFromText("Shetland: 14: 27: EU: 60.50: 1.50: 0.0: *GM/s:\n  =GB2SLH;\n", &error));

    // A failed load leaves nothing of an earlier one behind.
    ASSERT_TRUE(resolver.LoadFromText(kCty, &error));
    EXPECT_FALSE(resolver.Load("/nonexistent/cty.dat", &error));
    EXPECT_NE(error.find("/nonexistent/cty.dat"), Text::npos) << error;
    EXPECT_EQ(resolver.EntityCount(), 0u);
    EXPECT_FALSE(resolver.Resolve("W1AW").found);
}

TEST(CallResolverLoading, ResolveLogFillsQsosAndOwnStation) {
    const CallResolver resolver = FixtureResolver();
    HostLog log;
    log.ownCall = "DL1ABC";
    for (const char* call : {"KH6/W1AW", "W1AW/MM", "QQ1ABC", "TA1ABC"}) {
        HostQso qso;
        qso.call = call;
        qso.country = qso.continent = qso.areaText = "stale";
        log.qsos.push_back(qso);
    }
    ResolveLog(resolver, log);
    EXPECT_EQ(log.ownCountry, "DL");
    EXPECT_EQ(log.ownContinent, "EU");
    const char* const expected[][3] = {{"KH6", "OC", "6"}, {"K", "NA", "1"}, {"", "", "1"}, {"TA", "AS", "1"}};
    for (size_t i = 0; i < log.qsos.size(); ++i) {
        EXPECT_EQ(log.qsos[i].country, expected[i][0]) << log.qsos[i].call;
        EXPECT_EQ(log.qsos[i].continent, expected[i][1]) << log.qsos[i].call;
        EXPECT_EQ(log.qsos[i].areaText, expected[i][2]) << log.qsos[i].call;
    }
}

// --- The installed country file -------------------------------------------

bool LoadInstalled(CallResolver& resolver) {
    Text error;
    std::ifstream probe(STATS_CTY_DAT);
    if (!probe) return false;
    EXPECT_TRUE(resolver.Load(STATS_CTY_DAT, &error)) << error;
    EXPECT_TRUE(resolver.Problems().empty()) << resolver.Problems()[0].line << ": "
                                             << resolver.Problems()[0].message;
    return true;
}

TEST(CallResolverInstalled, ResolvesCallsOfEveryContinent) {
    CallResolver resolver;
    if (!LoadInstalled(resolver)) GTEST_SKIP() << STATS_CTY_DAT << " is not installed";
    const Expected cases[] = {
        // Europe
        {"DL1ABC", true, "DL", "EU", "1"}, {"2E0ACE", true, "G", "EU", "0"}, {"OH0X", true, "OH0", "EU", "0"},
        {"RA3ABC", true, "UA", "EU", "3"}, {"RA2FA", true, "UA2", "EU", "2"}, {"SM5XYZ", true, "SM", "EU", "5"},
        {"IT9ABC", true, "I", "EU", "9"},    // Sicily counts for WAE only
        {"4U1VIC", true, "OE", "EU", "1"},   // so does the Vienna centre
        // Africa
        {"ZS6ABC", true, "ZS", "AF", "6"}, {"CN8ABC", true, "CN", "AF", "8"}, {"EA8ABC", true, "EA8", "AF", "8"},
        {"SU1ABC", true, "SU", "AF", "1"}, {"VK0EK", true, "VK0H", "AF", "0"},
        // Asia
        {"JA1ABC", true, "JA", "AS", "1"}, {"BY1ABC", true, "BY", "AS", "1"}, {"UA9ABC", true, "UA9", "AS", "9"},
        {"TA1ABC", true, "TA", "AS", "1"},  // European Turkey counts for WAE only
        {"JD1AMA", true, "JD/o", "AS", "1"},
        // North America
        {"W1AW", true, "K", "NA", "1"}, {"VE3ABC", true, "VE", "NA", "3"}, {"KP4ABC", true, "KP4", "NA", "4"},
        {"4U1UN", true, "4U1U", "NA", "1"},
        // South America
        {"PY2ABC", true, "PY", "SA", "2"}, {"LU1ABC", true, "LU", "SA", "1"}, {"HK0NA", true, "HK0", "SA", "0"},
        {"3Y0X", true, "3Y/p", "SA", "0"},
        // Oceania
        {"VK2ABC", true, "VK", "OC", "2"}, {"ZL1ABC", true, "ZL", "OC", "1"}, {"KH6ABC", true, "KH6", "OC", "6"},
        {"E51ABC", true, "E5", "OC", "1"}, {"FO0ERI", true, "FO0", "OC", "0"}, {"VK0MM", true, "VK0", "OC", "0"},
        {"JD1BMM", true, "JD/m", "OC", "1"},
        // portable forms and exact-call entries
        {"K5DJ/1", true, "K", "NA", "1"}, {"KH6/W1AW", true, "KH6", "OC", "6"},
        {"W1AW/KH6", true, "KH6", "OC", "6"}, {"EA8/DL1ABC", true, "EA8", "AF", "8"},
        {"VE3ABC/7", true, "VE", "NA", "7"}, {"DL1ABC/P", true, "DL", "EU", "1"},
        {"W1AW/MM", false, "", "", "1"}, {"4U1ITU", true, "4U1I", "EU", "1"},
        {"4U1ITU/P", true, "4U1I", "EU", "1"}, {"1A0KM", true, "1A0", "EU", "0"},
        {"3Y0J", true, "3Y/b", "AF", "0"}, {"KC4/W3ASA", true, "CE9", "SA", "4"},
        {"II0PN/MM", true, "I", "EU", "0"},  // the file lists this /MM call
    };
    for (const Expected& e : cases) ExpectResolves(resolver, e);
}

// The keys on the six continent pages of the plug-in's windows.
const std::map<Text, const char*> kWindowPages = {
    {"EU", "1A0 3A 4O 4U1I 4U1V 9A 9H C3 CT CU DL E7 EA EA6 EI ER ES EU F G GD GI GJ GM GU GW HA HB HB0 HV I IS IT "
           "JW JX LA LX LY LZ OE OH OH0 OJ0 OK OM ON OY OZ PA R1FJ S5 SM SP SV SV5 SV9 T7 TA1 TF TK UA UA2 UR YL YO "
           "YU Z6 Z3 ZA ZB"},
    {"AF", "3B6 3B8 3B9 3C 3C0 3DA 3V 3W 3X 3Y/b 5A 5H 5N 5R 5T 5U 5V 5X 5Z 6W 7P 7Q 7X 9J 9L 9Q 9U 9X A2 C5 C9 CN "
           "D2 D4 D6 E3 E4 EA8 EA9 EL ET FH FR FT/j FT/t FT/w FT/x FT/z J2 J5 S0 S7 S9 ST SU T5 TJ TL TN TR TT TU TY "
           "TZ VK0H XT Z2 Z8 ZD7 ZD8 ZD9 ZS"},
    {"AS", "1S 3W 4J 4L 4S 4X 5B 7O 8Q 9K 9M2 9N 9V A4 A5 A6 A7 A9 AP BS7 BV BV9P BY E4 EK EP EX EY EZ HL HS HZ JA "
           "JD/o JT JY OD P5 S2 SU TA UA9 UK UN VR VU VU4 VU7 XU XW XX9 XZ YI YK ZC4 YA"},
    {"NA", "4U1U 6Y 8P C6 CM CY0 CY9 FG FJ FM FO/c FP FS HH HI HK0/a HP HR J3 J6 J7 J8 K KG4 KL KP1 KP2 KP4 KP5 OX "
           "PJ5 PJ7 TG TI TI9 V2 V3 V4 VE VP2E VP2M VP2V VP5 VP9 XE XF4 YN YS YV0 ZF"},
    {"SA", "3Y/p 8R 9Y CE CE0X CE0Y CE0Z CP CX FY HC HC8 HK HK0 LU OA P4 PJ2 PJ4 PY PY0F PY0P PY0T PZ VP8 VP8/g "
           "VP8/h VP8/o VP8/s YV ZP"},
    {"OC", "3D2 4W 5W 9M6 A3 C2 DU E5 E6 FK FO FO0 FW H4 H40 JD/m KH0 KH1 KH2 KH3 KH4 KH5 KH5K KH6 KH7K KH8 KH8/s "
           "KH9 P2 T2 T30 T31 T32 T33 T8 V6 V7 V8 VK VK0 VK9C VK9L VK9N VK9W VK9X VP6 YB YJ ZK3 ZL ZL7 ZL8 ZL9 VK9M"},
};

// Keys no call in cty.dat can give, and why.
const std::map<Text, const char*> kUnreachable = {
    {"4U1V", "Vienna International Centre counts for WAE only (*4U1V); its calls resolve to OE"},
    {"IT", "Sicily counts for WAE only (*IT9); its calls resolve to I"},
    {"TA1", "European Turkey counts for WAE only (*TA1); its calls resolve to TA"},
    {"KH5K", "Kingman Reef was deleted from DXCC in 2016 and is no longer in cty.dat"},
};

// Every call and prefix the alias lines of cty.dat name, as written there.
TextList CallsInFile(const Text& path) {
    std::ifstream in(path.c_str(), std::ios::in | std::ios::binary);
    TextList calls;
    Text line;
    while (std::getline(in, line)) {
        if (line.find(':') != Text::npos) continue;  // entity line
        std::istringstream tokens(ReplaceAll(ReplaceAll(line, ",", " "), ";", " "));
        Text token;
        while (tokens >> token) {
            if (token[0] == '=') token.erase(0, 1);
            token = token.substr(0, token.find_first_of("([<{~"));
            if (!token.empty()) calls.push_back(token);
        }
    }
    return calls;
}

TEST(CallResolverInstalled, EveryWindowKeyIsReachable) {
    CallResolver resolver;
    if (!LoadInstalled(resolver)) GTEST_SKIP() << STATS_CTY_DAT << " is not installed";

    std::map<Text, std::set<Text>> reached;  // key -> continents it came with
    for (const Text& call : CallsInFile(STATS_CTY_DAT)) {
        const CallResolver::Resolution r = resolver.Resolve(call);
        if (r.found) reached[r.entityKey].insert(r.continent);
    }
    ASSERT_GT(reached.size(), 300u);

    for (const auto& page : kWindowPages) {
        std::istringstream keys(page.second);
        Text key;
        while (keys >> key) {
            const auto hit = reached.find(key);
            if (kUnreachable.count(key)) {
                EXPECT_TRUE(hit == reached.end()) << key << " is reachable now: take it off the exception list";
                continue;
            }
            if (hit == reached.end()) {
                ADD_FAILURE() << "no call in cty.dat gives " << key << " (" << page.first << " page)";
                continue;
            }
            // "3W", "E4" and "SU" stand on two pages; one of them must be the continent cty.dat gives.
            bool onItsPage = false;
            for (const Text& continent : hit->second) {
                std::istringstream same(kWindowPages.at(continent));
                Text other;
                while (same >> other) onItsPage = onItsPage || other == key;
            }
            EXPECT_TRUE(onItsPage) << key << " resolves to a continent whose page does not list it";
        }
    }
}

}  // namespace
