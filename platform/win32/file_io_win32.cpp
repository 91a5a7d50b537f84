// The file writer's system calls on Windows.
#include <windows.h>

#include "platform/text_file.h"

namespace file_io {

intptr_t OpenForWriting(const Text& path, bool append) {
    // FILE_APPEND_DATA without FILE_WRITE_DATA: every write goes to the end.
    const DWORD access = append ? FILE_APPEND_DATA : GENERIC_WRITE;
    const DWORD disposition = append ? OPEN_ALWAYS : CREATE_ALWAYS;
    HANDLE h = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    return h == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<intptr_t>(h);
}

bool WriteAll(intptr_t file, const char* bytes, size_t count) {
    HANDLE h = reinterpret_cast<HANDLE>(file);
    while (count > 0) {
        const DWORD chunk = count > 0x10000000u ? 0x10000000u : static_cast<DWORD>(count);
        DWORD written = 0;
        if (!WriteFile(h, bytes, chunk, &written, nullptr)) return false;
        if (written == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        bytes += written;
        count -= written;
    }
    return true;
}

bool CloseFile(intptr_t file) { return CloseHandle(reinterpret_cast<HANDLE>(file)) != 0; }

Text LastErrorText() {
    const DWORD error = GetLastError();
    char buffer[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, buffer,
                             sizeof buffer, nullptr);
    while (n > 0 && (buffer[n - 1] == '\r' || buffer[n - 1] == '\n' || buffer[n - 1] == ' ' || buffer[n - 1] == '.'))
        --n;
    if (n == 0) return "error " + std::to_string(error);
    return Text(buffer, n);
}

}  // namespace file_io
