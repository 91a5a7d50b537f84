// Support for the tests that drive the real Stats.dll: a fixture that gives
// every test a fresh working folder (with its "Plugins" folder) and a freshly
// loaded library, so no state survives from one test to the next.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/text_file.h"
#include "testhost/plugin_api.h"

inline Text PluginPath() {
    const char* env = getenv("STATS_DLL");
    return env && *env ? Text(env) : Text("Stats.dll");
}

class PluginTest : public ::testing::Test {
protected:
    void SetUp() override {
        char base[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, base);
        m_home = base;
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = m_home + "\\" + info->test_suite_name() + "." + info->name();
        for (char& c : m_folder)
            if (c == '/') c = '_';
        RemoveTree(m_folder);
        CreateDirectoryA(m_folder.c_str(), nullptr);
        ASSERT_TRUE(SetCurrentDirectoryA(m_folder.c_str()));
        CreateDirectoryA("Plugins", nullptr);
        Text error;
        ASSERT_TRUE(m_library.Load(PluginPath(), &error)) << error;
    }
    void TearDown() override {
        m_library.Unload();
        SetCurrentDirectoryA(m_home.c_str());
    }

    const PluginApi& Api() const { return m_library.Api(); }
    PluginCalls Calls() const { return PluginCalls(m_library.Api()); }
    // The folder with a trailing separator, as the host passes it.
    Text HostFolder() const { return m_folder + "\\"; }

    static Text ReadFile(const Text& path) {
        Text content;
        ReadFileBytes(path, content);
        return content;
    }
    static void WriteFile(const Text& path, const Text& bytes) {
        TextFileWriter out(path, TextFileWriter::Mode::Truncate);
        out.Write(bytes);
    }

private:
    static void RemoveTree(const Text& folder) {
        WIN32_FIND_DATAA data;
        HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &data);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                Text name = data.cFileName;
                if (name == "." || name == "..") continue;
                Text path = folder + "\\" + name;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
                else DeleteFileA(path.c_str());
            } while (FindNextFileA(h, &data));
            FindClose(h);
        }
        RemoveDirectoryA(folder.c_str());
    }

    Text m_home, m_folder;
    PluginLibrary m_library;
};
