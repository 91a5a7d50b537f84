// Directory search through FindFirstFile / FindNextFile.
#include <windows.h>

#include "platform/dir_search.h"

TextList FindFiles(const Text& pattern) {
    TextList names;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.push_back(data.cFileName);
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return names;
}
