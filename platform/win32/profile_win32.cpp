// Settings files through the Windows profile functions.
#include <windows.h>

#include <vector>

#include "platform/profile.h"

Text ReadProfileText(const Text& path, const Text& section, const Text& key, const Text& defaultValue,
                     size_t bufferSize) {
    if (bufferSize == 0) return Text();
    std::vector<char> buffer(bufferSize, '\0');
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                       static_cast<DWORD>(bufferSize), path.c_str());
    if (n >= bufferSize) n = static_cast<DWORD>(bufferSize - 1);
    return Text(buffer.data(), n);
}

Text ReadProfileTextFull(const Text& path, const Text& section, const Text& key, const Text& defaultValue) {
    // The function reports a cut value by returning size - 1: grow until it fits.
    for (size_t size = 256; size <= (size_t(1) << 24); size *= 4) {
        std::vector<char> buffer(size, '\0');
        DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                           static_cast<DWORD>(size), path.c_str());
        if (n < size - 1) return Text(buffer.data(), n);
    }
    return ReadProfileText(path, section, key, defaultValue, size_t(1) << 24);
}

bool WriteProfileText(const Text& path, const Text& section, const Text& key, const Text& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}
