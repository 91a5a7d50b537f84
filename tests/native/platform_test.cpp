// The platform layer: date-time values, texts, text files, directory search.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>

#include "platform/date_time.h"
#include "platform/dir_search.h"
#include "platform/short_text.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "support/scratch_dir.h"

using testsupport::ReadFile;
using testsupport::ScratchTest;
using testsupport::WriteFile;

namespace {

DateTime Valid(double days) { return DateTime(days, DateTime::Status::Valid); }
constexpr double kAug19 = 42966.0;  // 19 August 2017, 00:00
constexpr double kSecond = 1.0 / 86400.0;

// ---- Date-time ---------------------------------------------------------------

struct FormatCase {
    const char* what;
    DateTime value;
    const char* pattern;
    const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.what; }

class DateTimeFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(DateTimeFormat, FormatsAsExpected) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(c.value.Format(c.pattern), c.expected) << c.what;
}

const FormatCase kFormatCases[] = {
    // Patterns the plug-in uses.
    {"QSO time", DateTime::FromParts(2017, 8, 19, 12, 34, 56), "%Y-%m-%d %H%M", "2017-08-19 1234"},
    {"contest end", DateTime::FromParts(2017, 8, 20, 0, 0), "%d.%m.%Y", "20.08.2017"},
    {"contest start", DateTime::FromParts(2017, 8, 19, 12, 0), "%d.%m", "19.08"},
    {"file name date", DateTime::FromParts(2017, 8, 20), "%d_%m_%Y", "20_08_2017"},
    {"hour and minute", DateTime::FromParts(2017, 8, 19, 7, 5), "%H:%M", "07:05"},
    {"time key", DateTime::FromParts(2017, 8, 19, 0, 0), "%H%M", "0000"},
    {"the rest of the patterns", DateTime::FromParts(2017, 8, 19, 1, 2, 3), "%y %S %j 100%%", "17 03 231 100%"},
    {"other characters copied", DateTime::FromParts(2017, 8, 19), "at %Q and %", "at %Q and %"},
    {"day count of 19 August 2017", Valid(kAug19 + 0.5), "%Y-%m-%d %H:%M:%S", "2017-08-19 12:00:00"},
    {"day 0", Valid(0.0), "%Y-%m-%d %H:%M:%S", "1899-12-30 00:00:00"},
    {"leap day", DateTime::FromParts(2016, 2, 29, 23, 59, 59), "%Y-%m-%d %H:%M:%S %j", "2016-02-29 23:59:59 060"},
    // Rounding to the nearest second.
    {"just under half a second rounds down", Valid(kAug19 + (12 * 3600 + 34 * 60 + 59.4) * kSecond), "%H:%M:%S",
     "12:34:59"},
    {"over half a second rounds up into the next minute", Valid(kAug19 + (12 * 3600 + 34 * 60 + 59.6) * kSecond),
     "%H%M:%S", "1235:00"},
    {"rounding up into the next year", Valid(43100.0 + 86399.7 * kSecond), "%Y-%m-%d %H:%M:%S",
     "2018-01-01 00:00:00"},
    // Negative day counts: whole days backwards, the fraction forwards.
    {"-1.25 is 29 December 1899, 06:00", Valid(-1.25), "%Y-%m-%d %H:%M", "1899-12-29 06:00"},
    {"-0.5 is noon of day 0", Valid(-0.5), "%Y-%m-%d %H:%M", "1899-12-30 12:00"},
    {"-1.0", Valid(-1.0), "%Y-%m-%d %H:%M", "1899-12-29 00:00"},
    {"-2.75", Valid(-2.75), "%Y-%m-%d %H:%M", "1899-12-28 18:00"},
    {"negative count rounding up to the next day", Valid(-1.9999999), "%Y-%m-%d %H:%M:%S", "1899-12-30 00:00:00"},
    {"built from parts before 1899", DateTime::FromParts(1850, 3, 1, 18, 30), "%Y-%m-%d %H:%M", "1850-03-01 18:30"},
    // Status.
    {"invalid", DateTime::Invalid(), "%Y-%m-%d %H%M", "Invalid DateTime"},
    {"invalid with a plausible count", DateTime(kAug19, DateTime::Status::Invalid), "%H%M", "Invalid DateTime"},
    {"null", DateTime::Null(), "%Y-%m-%d %H%M", ""},
    {"null with a plausible count", DateTime(kAug19, DateTime::Status::Null), "%d.%m.%Y", ""},
    // Range: the years 100 to 9999.
    {"first moment of year 100", DateTime::FromParts(100, 1, 1), "%Y-%m-%d %H:%M", "0100-01-01 00:00"},
    {"noon of 1 January 100", DateTime::FromParts(100, 1, 1, 12, 0), "%Y-%m-%d %H:%M", "0100-01-01 12:00"},
    {"last second of year 9999", DateTime::FromParts(9999, 12, 31, 23, 59, 59), "%Y-%m-%d %H:%M:%S",
     "9999-12-31 23:59:59"},
    {"year 10000", Valid(2958466.0), "%Y", "Invalid DateTime"},
    {"rounding into year 10000", Valid(2958465.0 + 86399.6 * kSecond), "%Y", "Invalid DateTime"},
    {"year 99", Valid(-657435.0), "%Y", "Invalid DateTime"},
    {"far out", Valid(1e300), "%Y", "Invalid DateTime"},
    {"not a number", Valid(std::numeric_limits<double>::quiet_NaN()), "%Y", "Invalid DateTime"},
    {"infinity", Valid(-std::numeric_limits<double>::infinity()), "%Y", "Invalid DateTime"},
};

INSTANTIATE_TEST_SUITE_P(Cases, DateTimeFormat, ::testing::ValuesIn(kFormatCases));

TEST(DateTime, FromPartsRefusesImpossibleDates) {
    struct { int y, mo, d, h, mi, s; } bad[] = {
        {2017, 13, 1, 0, 0, 0}, {2017, 0, 1, 0, 0, 0}, {2017, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0},
        {2017, 4, 31, 0, 0, 0}, {2017, 8, 0, 0, 0, 0}, {2017, 8, 19, 24, 0, 0}, {2017, 8, 19, 0, 60, 0},
        {2017, 8, 19, 0, 0, 60}, {2017, 8, 19, -1, 0, 0}, {99, 12, 31, 0, 0, 0}, {10000, 1, 1, 0, 0, 0},
    };
    for (const auto& p : bad) {
        const DateTime t = DateTime::FromParts(p.y, p.mo, p.d, p.h, p.mi, p.s);
        EXPECT_EQ(t.GetStatus(), DateTime::Status::Invalid) << p.y << "-" << p.mo << "-" << p.d << " " << p.h;
    }
    EXPECT_TRUE(DateTime::FromParts(2000, 2, 29).IsValid());
}

TEST(DateTime, FromPartsGivesTheHostsDayCounts) {
    EXPECT_DOUBLE_EQ(DateTime::FromParts(2017, 8, 19).Days(), kAug19);
    EXPECT_DOUBLE_EQ(DateTime::FromParts(2017, 8, 19, 18, 0).Days(), kAug19 + 0.75);
    EXPECT_DOUBLE_EQ(DateTime::FromParts(1899, 12, 30).Days(), 0.0);
    EXPECT_DOUBLE_EQ(DateTime::FromParts(1899, 12, 29, 6, 0).Days(), -1.25);
    EXPECT_DOUBLE_EQ(DateTime::FromParts(1899, 12, 28, 18, 0).Days(), -2.75);
}

// The host hands over a pointer to its own 16-byte object: the day count at
// offset 0, the status at offset 8.
TEST(DateTime, ReadsTheHostsObjectLayout) {
    static_assert(offsetof(HostDateTime, m_dt) == 0, "day count at offset 0");
    static_assert(offsetof(HostDateTime, m_status) == 8, "status at offset 8");
    struct { int32_t status; const char* expected; } cases[] = {
        {0, "2017-08-19 1200"}, {1, "Invalid DateTime"}, {2, ""}, {3, "Invalid DateTime"}, {-1, "Invalid DateTime"},
    };
    for (const auto& c : cases) {
        alignas(8) unsigned char raw[16];
        std::memset(raw, 0xA5, sizeof raw);  // the padding is junk
        const double days = kAug19 + 0.5;
        std::memcpy(raw, &days, sizeof days);
        std::memcpy(raw + 8, &c.status, sizeof c.status);
        const auto* host = reinterpret_cast<const HostDateTime*>(raw);
        EXPECT_EQ(DateTime::FromHost(host).Format("%Y-%m-%d %H%M"), c.expected) << "status " << c.status;
    }
    EXPECT_EQ(DateTime::FromHost(nullptr).GetStatus(), DateTime::Status::Null);
    EXPECT_EQ(DateTime::FromHost(nullptr).Format("%H%M"), "");

    const HostDateTime back = DateTime(kAug19, DateTime::Status::Null).ToHost();
    EXPECT_EQ(back.m_dt, kAug19);
    EXPECT_EQ(back.m_status, 2);
}

TEST(DateTime, SameAsComparesValidValuesAndNulls) {
    const DateTime a = Valid(kAug19 + 0.5);
    EXPECT_TRUE(a.SameAs(Valid(kAug19 + 0.5)));
    EXPECT_FALSE(a.SameAs(Valid(kAug19 + 0.5 + kSecond)));
    EXPECT_TRUE(DateTime(1.0, DateTime::Status::Null).SameAs(DateTime(2.0, DateTime::Status::Null)));
    EXPECT_FALSE(DateTime::Invalid().SameAs(DateTime::Invalid()));
    EXPECT_FALSE(a.SameAs(DateTime(kAug19 + 0.5, DateTime::Status::Invalid)));
    EXPECT_FALSE(a.SameAs(DateTime(kAug19 + 0.5, DateTime::Status::Null)));
    EXPECT_FALSE(DateTime::Null().SameAs(Valid(0.0)));
}

// ---- Texts -------------------------------------------------------------------

TEST(LeadingDecimal, ReadsTheNumberAtTheStart) {
    struct { const char* text; int expected; } cases[] = {
        {"42", 42}, {"  42abc", 42}, {"\t\r\n 7", 7}, {"-7", -7}, {"+5", 5}, {"007", 7}, {"12 34", 12},
        {"", 0}, {"abc", 0}, {"- 5", 0}, {"+", 0}, {"x12", 0}, {"1.5", 1}, {"0x1F", 0},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"99999999999999999999", 2147483647}, {"-99999999999999999999", -2147483647 - 1},
    };
    for (const auto& c : cases) EXPECT_EQ(LeadingDecimal(c.text), c.expected) << "\"" << c.text << "\"";
}

TEST(ReplaceAll, ReplacesLeftToRightWithoutLookingAgain) {
    struct { const char* text; const char* from; const char* to; const char* expected; } cases[] = {
        {"a/b/c", "/", "_", "a_b_c"},
        {"aaa", "aa", "b", "ba"},                // non-overlapping, from the left
        {"abc", "b", "bb", "abbc"},              // the inserted text is not searched again
        {"x<CR><LF>y", "<CR>", "\r", "x\r<LF>y"},
        {"line1\r\nline2", "\r", "<CR>", "line1<CR>\nline2"},
        {"same", "same", "same", "same"},
        {"abc", "", "x", "abc"},                 // an empty pattern changes nothing
        {"", "a", "b", ""},
        {"abc", "abcd", "x", "abc"},
        {"\xC0\xC1\xC0", "\xC0", "\xFF", "\xFF\xC1\xFF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceAll(c.text, c.from, c.to), c.expected) << c.text << " / " << c.from;
}

TEST(Texts, CaseFoldingTouchesAsciiLettersOnly) {
    EXPECT_TRUE(EqualsNoCase("80M", "80m"));
    EXPECT_TRUE(EqualsNoCase("rTtY", "RTTY"));
    EXPECT_FALSE(EqualsNoCase("RTTY", "RTTY "));
    EXPECT_FALSE(EqualsNoCase("\xE0", "\xC0"));  // a-grave and A-grave in Windows-1252 stay apart
    EXPECT_FALSE(EqualsNoCase("[", "{"));        // 0x5B and 0x7B differ by 32 but are no letters
    EXPECT_TRUE(EqualsNoCase("", ""));
}

TEST(Texts, FromHostTrimAndListContains) {
    EXPECT_EQ(FromHost(nullptr), "");
    EXPECT_EQ(FromHost("\xFF\x80"), "\xFF\x80");
    EXPECT_EQ(Trim(" \t\r\n\v\f x y \r\n"), "x y");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_TRUE(ListContains({"20m", "40m"}, "40m"));
    EXPECT_FALSE(ListContains({"20m", "40m"}, "40M"));
    EXPECT_TRUE(Contains("QSO:  14085", ""));
    const Text big(70000, 'x');
    EXPECT_EQ(Format("<%s>", big.c_str()).size(), big.size() + 2);  // no length limit
}

// ---- Short texts ------------------------------------------------------------------

TEST(ShortText, KeepsEveryTextByteForByteOnBothSidesOfTheInlineLimit) {
    const Text cases[] = {"", "K", Text(14, 'a'), Text(15, 'b'), Text(16, 'c'), Text(65536, 'd'),
                          "\xC0\xFF\x80 high", Text("zero\0inside", 11), Text(15, '\xFF')};
    for (const Text& t : cases) {
        const ShortText s(t);
        EXPECT_EQ(s.size(), t.size());
        EXPECT_EQ(s.str(), t);
        EXPECT_TRUE(s == t && t == s && !(s != t));
        EXPECT_EQ(s.c_str()[s.size()], '\0') << "not terminated at " << t.size();
        ShortText copy = s;  // copies, moves and assignments across the limit
        EXPECT_EQ(copy, s);
        ShortText moved = std::move(copy);
        EXPECT_EQ(moved, s);
        EXPECT_TRUE(copy.empty());
        for (const Text& other : cases) {
            ShortText target(other);
            target = s;
            EXPECT_EQ(target, t);
            target = other;
            EXPECT_EQ(target, other);
            target = std::move(moved);
            EXPECT_EQ(target, t);
            moved = target;
        }
    }
}

TEST(ShortText, ComparesExactlyAndTakesNullAsEmpty) {
    const char* nothing = nullptr;
    EXPECT_TRUE(ShortText(nothing).empty());
    EXPECT_TRUE(ShortText("") == nothing);
    EXPECT_TRUE(ShortText("20m") != "20M");
    EXPECT_TRUE(ShortText("20m") != Text("20m "));
    EXPECT_TRUE(ShortText(Text(15, 'x')) != ShortText(Text(16, 'x')));
    ShortText self("a text longer than fifteen bytes");
    self = self;
    EXPECT_EQ(self, "a text longer than fifteen bytes");
    self = self.view().substr(2, 4);  // from its own bytes
    EXPECT_EQ(self, "text");
    Text joined = "QSO ";
    joined += ShortText("DL1ABC");
    EXPECT_EQ(joined, "QSO DL1ABC");
}

// ---- Text files ----------------------------------------------------------------

class TextFiles : public ScratchTest {};

TEST_F(TextFiles, LinesAreWrittenWithCrLfByteForByte) {
    {
        TextFileWriter out("f.txt", TextFileWriter::Mode::Truncate);
        out.WriteLine("first");
        out.WriteLine("");
        out.WriteLine("\xC0\xFF end");
    }
    EXPECT_EQ(ReadFile("f.txt"), "first\r\n\r\n\xC0\xFF end\r\n");
    {
        TextFileWriter out("f.txt", TextFileWriter::Mode::Append);
        out.WriteLine("more");
    }
    EXPECT_EQ(ReadFile("f.txt"), "first\r\n\r\n\xC0\xFF end\r\nmore\r\n");
    {
        // More than the writer gathers before it writes: nothing lost or reordered.
        TextFileWriter out("f.txt", TextFileWriter::Mode::Append);
        for (int i = 0; i < 20000; ++i) out.WriteLine(std::to_string(i));
        EXPECT_TRUE(out.Close());
        EXPECT_TRUE(out.ErrorText().empty());
    }
    TextList lines;
    ASSERT_TRUE(ReadTextLines("f.txt", lines));
    ASSERT_EQ(lines.size(), 4u + 20000u);
    for (int i = 0; i < 20000; ++i) ASSERT_EQ(lines[4 + static_cast<size_t>(i)], std::to_string(i));
    {
        TextFileWriter out("f.txt", TextFileWriter::Mode::Truncate);
    }
    EXPECT_EQ(ReadFile("f.txt"), "");
}

TEST_F(TextFiles, ReadingDropsLfAndTheCrBeforeIt) {
    struct { const char* bytes; std::vector<std::string> lines; } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\r\nb", {"a\r", "b"}},
        {"a\rb\r\n", {"a\rb"}},
        {"\r\n\r\n", {"", ""}},
        {"", {}},
    };
    for (const auto& c : cases) {
        WriteFile("r.txt", c.bytes);
        TextList lines;
        ASSERT_TRUE(ReadTextLines("r.txt", lines));
        EXPECT_EQ(lines, c.lines) << testing::PrintToString(std::string(c.bytes));
    }
    TextList lines{"stale"};
    EXPECT_FALSE(ReadTextLines("missing.txt", lines));
    EXPECT_TRUE(lines.empty());
    EXPECT_FALSE(ReadTextLines("", lines));
}

TEST_F(TextFiles, WriterWithoutFileDoesNothing) {
    TextFileWriter nowhere("no/such/folder/f.txt", TextFileWriter::Mode::Append);
    EXPECT_FALSE(nowhere.IsOpen());
    EXPECT_FALSE(nowhere.ErrorText().empty());  // the system's reason
    nowhere.WriteLine("lost");
    EXPECT_FALSE(nowhere.Close());
    TextFileWriter unnamed("", TextFileWriter::Mode::Truncate);
    EXPECT_FALSE(unnamed.IsOpen());
}

// ---- Directory search ------------------------------------------------------------

class DirSearch : public ScratchTest {};

TEST_F(DirSearch, MatchesNamesIgnoringCaseInTheGivenFolder) {
    for (const char* f : {"Vokt2.ini", "other.INI", "notes.txt", "ini", "host/Vokt2.ini", "host/a.ini.bak"})
        WriteFile(f, "x");
    auto sorted = [](TextList names) {
        std::sort(names.begin(), names.end());
        return names;
    };
    EXPECT_EQ(sorted(FindFiles("*.ini")), (TextList{"Vokt2.ini", "other.INI"}));
    EXPECT_EQ(sorted(FindFiles("./*.ini")), (TextList{"Vokt2.ini", "other.INI"}));
    EXPECT_EQ(FindFiles("host/*.ini"), (TextList{"Vokt2.ini"}));
    EXPECT_EQ(FindFiles("host\\*.ini"), (TextList{"Vokt2.ini"}));
    EXPECT_EQ(FindFiles("v*.INI"), (TextList{"Vokt2.ini"}));
    EXPECT_EQ(FindFiles("Vokt?.ini"), (TextList{"Vokt2.ini"}));
    EXPECT_TRUE(FindFiles("missing/*.ini").empty());
    EXPECT_TRUE(FindFiles("host/").empty());
}

}  // namespace
