// A fresh, empty working folder for each test: the engine writes its
// bad-QSO file into the current directory, reads "Vokt2.ini" from it and
// writes its settings to "Plugins/SARTG-WW-RTTY.ini" below it.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace testsupport {

class ScratchDir {
public:
    ScratchDir() {
        const std::string base = std::filesystem::temp_directory_path().string() + "/stats-test-XXXXXX";
        std::string pattern = base;
        if (!mkdtemp(&pattern[0])) std::abort();
        m_path = pattern;
        char old[4096];
        if (!getcwd(old, sizeof old)) std::abort();
        m_previous = old;
        if (chdir(m_path.c_str()) != 0) std::abort();
    }
    ~ScratchDir() {
        if (chdir(m_previous.c_str()) != 0) std::abort();
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path, m_previous;
};

// Whole files as bytes; a missing file reads as "<missing>".
inline std::string ReadFile(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return "<missing>";
    std::string out;
    char buffer[16384];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) out.append(buffer, n);
    std::fclose(f);
    return out;
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::filesystem::path p(path);
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline bool Exists(const std::string& path) { return std::filesystem::exists(path); }

// Test fixture base: every test runs in its own scratch folder.
class ScratchTest : public ::testing::Test {
protected:
    ScratchDir m_scratch;
};

}  // namespace testsupport
