// The settings-file cases run against the real Windows profile functions
// (Wine's), through our Windows profile layer: the same table the portable
// implementation passes natively.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/profile.h"
#include "platform/text_file.h"
#include "tests/common/profile_cases.h"

namespace {

const char* const kPath = "cases\\test.ini";

void Prepare(const char* content) {
    CreateDirectoryA("cases", nullptr);
    DeleteFileA(kPath);
    if (!content) return;
    TextFileWriter out(kPath, TextFileWriter::Mode::Truncate);
    out.Write(content);
}

TEST(ProfileWin32, ReadCases) {
    for (const auto& c : profilecases::kReadCases) {
        Prepare(c.content);
        EXPECT_EQ(ReadProfileText(kPath, c.section, c.key, c.defaultValue, c.bufferSize), c.expected) << c.name;
    }
}

TEST(ProfileWin32, WriteCases) {
    for (const auto& c : profilecases::kWriteCases) {
        Prepare(c.initial);
        EXPECT_TRUE(WriteProfileText(kPath, c.section, c.key, c.value)) << c.name;
        for (const auto& check : c.checks) {
            if (!check.section) continue;
            EXPECT_EQ(ReadProfileText(kPath, check.section, check.key, "<none>"), check.expected)
                << c.name << ": " << check.section << "/" << check.key;
        }
    }
}

TEST(ProfileWin32, FullReadsKeepLongValues) {
    const Text longValue(5000, 'x');
    Prepare(("[Settings]\r\nSoapBox=" + longValue + "\r\n").c_str());
    EXPECT_EQ(ReadProfileTextFull(kPath, "Settings", "SoapBox"), longValue);
    EXPECT_EQ(ReadProfileText(kPath, "Settings", "SoapBox").size(), 99u);
}

TEST(ProfileWin32, WriteIntoAMissingFolderFails) {
    EXPECT_FALSE(WriteProfileText("no-such-folder\\x.ini", "Settings", "Start", "1"));
}

}  // namespace
