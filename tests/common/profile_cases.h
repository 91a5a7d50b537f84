// One table of settings-file (INI) cases for both implementations of
// platform/profile.h: the portable one (native tests) and the Windows
// profile functions (the same table run under Wine). The cases keep to what
// the Windows functions certainly do; nothing here depends on a test
// framework.
//
// How to run a case:
// - Read case: write `content` byte for byte to a fresh file (nothing at all
//   when `content` is null), then read `section`/`key` with `defaultValue`
//   into a buffer of `bufferSize` bytes and compare with `expected`.
// - Write case: as above with `initial`, write `value` to `section`/`key`,
//   then read back every check (default "<none>", buffer of 100 bytes).
// Use a path with a folder part (for example "cases\\test.ini"): the Windows
// functions look for a bare file name in the Windows folder.
#pragma once

#include <cstddef>

namespace profilecases {

struct ReadCase {
    const char* name;
    const char* content;  // null: no file
    const char* section;
    const char* key;
    const char* defaultValue;
    size_t bufferSize;
    const char* expected;
};

// A 150-character value and its first 99 characters.
#define PROFILE_CASES_X10 "0123456789"
#define PROFILE_CASES_X50 PROFILE_CASES_X10 PROFILE_CASES_X10 PROFILE_CASES_X10 PROFILE_CASES_X10 PROFILE_CASES_X10
#define PROFILE_CASES_150 PROFILE_CASES_X50 PROFILE_CASES_X50 PROFILE_CASES_X50
#define PROFILE_CASES_99 PROFILE_CASES_X50 PROFILE_CASES_X10 PROFILE_CASES_X10 PROFILE_CASES_X10 PROFILE_CASES_X10 "012345678"

inline const ReadCase kReadCases[] = {
    {"plain value", "[Settings]\r\nStart=1\r\n", "Settings", "Start", "", 100, "1"},
    {"section name ignores case", "[settings]\r\nStart=1\r\n", "SETTINGS", "Start", "", 100, "1"},
    {"key name ignores case", "[Settings]\r\nsetup_X=120\r\n", "Settings", "SETUP_x", "", 100, "120"},
    {"blanks around the equals sign", "[Settings]\r\nDXCC = 1\r\n", "Settings", "DXCC", "", 100, "1"},
    {"blanks around the value", "[Settings]\r\nName=   Ann Example   \r\n", "Settings", "Name", "", 100,
     "Ann Example"},
    {"blanks before the key", "[Settings]\r\n   Club=Radio Club\r\n", "Settings", "Club", "", 100, "Radio Club"},
    {"double quotes stripped", "[Settings]\r\nSoapBox=\"Hello there\"\r\n", "Settings", "SoapBox", "", 100,
     "Hello there"},
    {"single quotes stripped", "[Settings]\r\nSoapBox='Hello'\r\n", "Settings", "SoapBox", "", 100, "Hello"},
    {"quotes inside the value stay", "[Settings]\r\nName=a \"b\" c\r\n", "Settings", "Name", "", 100,
     "a \"b\" c"},
    {"empty value is not the default", "[Settings]\r\nEmail=\r\n", "Settings", "Email", "dflt", 100, ""},
    {"value cut to 99 characters", "[Settings]\r\nSoapBox=" PROFILE_CASES_150 "\r\n", "Settings", "SoapBox", "",
     100, PROFILE_CASES_99},
    {"value of exactly 99 characters", "[Settings]\r\nSoapBox=" PROFILE_CASES_99 "\r\n", "Settings", "SoapBox",
     "", 100, PROFILE_CASES_99},
    {"small buffer", "[Settings]\r\nName=abcdefgh\r\n", "Settings", "Name", "", 5, "abcd"},
    {"missing file gives the default", nullptr, "Settings", "Start", "dflt", 100, "dflt"},
    {"missing file, empty default", nullptr, "Settings", "Start", "", 100, ""},
    {"missing section gives the default", "[Other]\r\nStart=1\r\n", "Settings", "Start", "dflt", 100, "dflt"},
    {"missing key gives the default", "[Settings]\r\nStart=1\r\n", "Settings", "Stop", "dflt", 100, "dflt"},
    {"key of another section is not seen", "[Other]\r\nClaimed=5\r\n[Settings]\r\nStart=1\r\n", "Settings",
     "Claimed", "dflt", 100, "dflt"},
    {"key in the second section", "[Other]\r\nStart=5\r\n[Settings]\r\nStart=1\r\n", "Settings", "Start", "",
     100, "1"},
    {"first of duplicate keys wins", "[Settings]\r\nStart=1\r\nStart=2\r\n", "Settings", "Start", "", 100, "1"},
    {"last line without line end", "[Settings]\r\nStart=7", "Settings", "Start", "", 100, "7"},
    {"value holding an equals sign", "[Settings]\r\nContest=a=b\r\n", "Settings", "Contest", "", 100, "a=b"},
};

struct Check {
    const char* section;  // null: no check
    const char* key;
    const char* expected;  // "<none>" when the key must be absent
};

struct WriteCase {
    const char* name;
    const char* initial;  // null: no file before the write
    const char* section;
    const char* key;
    const char* value;
    Check checks[3];
};

inline const WriteCase kWriteCases[] = {
    {"new file", nullptr, "Settings", "Claimed", "12345", {{"Settings", "Claimed", "12345"}}},
    {"new key in an existing section",
     "[Settings]\r\nStart=1\r\n",
     "Settings",
     "Claimed",
     "99",
     {{"Settings", "Claimed", "99"}, {"Settings", "Start", "1"}}},
    {"new section beside an old one",
     "[Other]\r\nClaimed=5\r\n",
     "Settings",
     "Claimed",
     "77",
     {{"Settings", "Claimed", "77"}, {"Other", "Claimed", "5"}}},
    {"existing key replaced",
     "[Settings]\r\nStart=1\r\nClaimed=5\r\nName=Ann\r\n",
     "Settings",
     "Claimed",
     "6000000000",
     {{"Settings", "Claimed", "6000000000"}, {"Settings", "Start", "1"}, {"Settings", "Name", "Ann"}}},
    {"existing key found ignoring case",
     "[settings]\r\nclaimed=5\r\n",
     "Settings",
     "Claimed",
     "8",
     {{"Settings", "Claimed", "8"}, {"SETTINGS", "CLAIMED", "8"}}},
    {"key written into the right section",
     "[Settings]\r\nStart=1\r\n[Other]\r\nStart=2\r\n",
     "Other",
     "Claimed",
     "3",
     {{"Other", "Claimed", "3"}, {"Settings", "Claimed", "<none>"}, {"Other", "Start", "2"}}},
    {"empty value written",
     "[Settings]\r\nName=Ann\r\n",
     "Settings",
     "Name",
     "",
     {{"Settings", "Name", ""}}},
};

}  // namespace profilecases
