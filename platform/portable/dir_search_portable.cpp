// Directory search on POSIX systems.
#include "platform/dir_search.h"

#include <dirent.h>
#include <sys/stat.h>

namespace {

unsigned char Fold(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }

bool Matches(const char* pattern, const char* name) {
    if (*pattern == '\0') return *name == '\0';
    if (*pattern == '*') {
        for (const char* rest = name;; ++rest) {
            if (Matches(pattern + 1, rest)) return true;
            if (*rest == '\0') return false;
        }
    }
    if (*name == '\0') return false;
    if (*pattern == '?' || Fold(static_cast<unsigned char>(*pattern)) == Fold(static_cast<unsigned char>(*name)))
        return Matches(pattern + 1, name + 1);
    return false;
}

}  // namespace

TextList FindFiles(const Text& pattern) {
    TextList names;
    Text normal = ReplaceAll(pattern, "\\", "/");
    size_t slash = normal.rfind('/');
    Text folder = slash == Text::npos ? Text(".") : normal.substr(0, slash + 1);
    Text namePattern = slash == Text::npos ? normal : normal.substr(slash + 1);
    if (namePattern.empty()) return names;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return names;
    while (dirent* entry = readdir(dir)) {
        Text name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (Matches(namePattern.c_str(), name.c_str())) names.push_back(name);
    }
    closedir(dir);
    return names;
}
