// The portable settings-file implementation against the shared table of
// cases (tests/common/profile_cases.h), plus what only the portable build
// promises.
#include <gtest/gtest.h>

#include "common/profile_cases.h"
#include "platform/profile.h"
#include "support/scratch_dir.h"

namespace profilecases {
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }
}  // namespace profilecases

using testsupport::Exists;
using testsupport::ReadFile;
using testsupport::ScratchTest;
using testsupport::WriteFile;

namespace {

// The path the plug-in uses, in the Windows spelling.
const char* const kPath = "Plugins\\SARTG-WW-RTTY.ini";
const char* const kLocalPath = "Plugins/SARTG-WW-RTTY.ini";

class ProfileRead : public ScratchTest, public ::testing::WithParamInterface<profilecases::ReadCase> {};

TEST_P(ProfileRead, GivesTheValueWindowsGives) {
    const profilecases::ReadCase& c = GetParam();
    if (c.content) WriteFile(kLocalPath, c.content);
    EXPECT_EQ(ReadProfileText(kPath, c.section, c.key, c.defaultValue, c.bufferSize), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(SharedCases, ProfileRead, ::testing::ValuesIn(profilecases::kReadCases));

class ProfileWrite : public ScratchTest, public ::testing::WithParamInterface<profilecases::WriteCase> {};

TEST_P(ProfileWrite, ReadsBackWhatWasWritten) {
    const profilecases::WriteCase& c = GetParam();
    std::filesystem::create_directory("Plugins");
    if (c.initial) WriteFile(kLocalPath, c.initial);
    ASSERT_TRUE(WriteProfileText(kPath, c.section, c.key, c.value)) << c.name;
    for (const profilecases::Check& check : c.checks) {
        if (!check.section) continue;
        EXPECT_EQ(ReadProfileText(kPath, check.section, check.key, "<none>"), check.expected)
            << c.name << ": " << check.section << "/" << check.key;
    }
}

INSTANTIATE_TEST_SUITE_P(SharedCases, ProfileWrite, ::testing::ValuesIn(profilecases::kWriteCases));

// ---- Portable build only ----------------------------------------------------------

class PortableProfile : public ScratchTest {};

TEST_F(PortableProfile, ReadsLfFilesAndHighBytes) {
    WriteFile(kLocalPath, "[Settings]\nStart=1\nName=\xC0\xE1\xFF\n");
    EXPECT_EQ(ReadProfileText(kPath, "Settings", "Start"), "1");
    EXPECT_EQ(ReadProfileText(kPath, "Settings", "Name"), "\xC0\xE1\xFF");
}

TEST_F(PortableProfile, FullReadIsNotCut) {
    const std::string longValue(500, 'v');
    WriteFile(kLocalPath, "[Settings]\r\nSoapBox=" + longValue + "\r\n");
    EXPECT_EQ(ReadProfileTextFull(kPath, "Settings", "SoapBox"), longValue);
    EXPECT_EQ(ReadProfileText(kPath, "Settings", "SoapBox").size(), 99u);
}

TEST_F(PortableProfile, WritingNeverCreatesTheFolder) {
    EXPECT_FALSE(WriteProfileText(kPath, "Settings", "Claimed", "1"));
    EXPECT_FALSE(Exists("Plugins"));
}

TEST_F(PortableProfile, WritesCrLfLinesAndKeepsTheRest) {
    WriteFile(kLocalPath, "; note\r\n[Settings]\r\nStart=1\r\n\r\n[Other]\r\nX=2\r\n");
    ASSERT_TRUE(WriteProfileText(kPath, "Settings", "Claimed", "5"));
    EXPECT_EQ(ReadFile(kLocalPath), "; note\r\n[Settings]\r\nStart=1\r\nClaimed=5\r\n\r\n[Other]\r\nX=2\r\n");
    ASSERT_TRUE(WriteProfileText(kPath, "Settings", "Start", "0"));
    EXPECT_EQ(ReadFile(kLocalPath), "; note\r\n[Settings]\r\nStart=0\r\nClaimed=5\r\n\r\n[Other]\r\nX=2\r\n");
}

TEST_F(PortableProfile, RefusesEmptyNames) {
    std::filesystem::create_directory("Plugins");
    EXPECT_FALSE(WriteProfileText(kPath, "", "Claimed", "1"));
    EXPECT_FALSE(WriteProfileText(kPath, "Settings", "", "1"));
    EXPECT_FALSE(WriteProfileText("", "Settings", "Claimed", "1"));
    EXPECT_EQ(ReadProfileText(kPath, "Settings", "Claimed", "d", 0), "");
}

}  // namespace
