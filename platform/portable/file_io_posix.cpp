// The file writer's system calls on POSIX systems.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/text_file.h"

namespace file_io {

intptr_t OpenForWriting(const Text& path, bool append) {
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
    int fd;
    do fd = ::open(path.c_str(), flags, 0666);
    while (fd < 0 && errno == EINTR);
    return fd < 0 ? -1 : fd;
}

bool WriteAll(intptr_t file, const char* bytes, size_t count) {
    while (count > 0) {
        const ssize_t n = ::write(static_cast<int>(file), bytes, count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        bytes += n;
        count -= static_cast<size_t>(n);
    }
    return true;
}

bool CloseFile(intptr_t file) { return ::close(static_cast<int>(file)) == 0; }

Text LastErrorText() {
    const int error = errno;
    const char* text = error ? std::strerror(error) : nullptr;
    return text && *text ? Text(text) : Text("unknown error");
}

}  // namespace file_io
