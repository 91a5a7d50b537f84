// Line-based text files.
//
// Files are read and written byte for byte: every line written ends with
// CR LF; a line read loses its LF and a CR just before it, nothing else.
// Files are opened with no sharing restriction and never held open beyond
// the object's life.
#pragma once

#include <cstdint>
#include <cstdio>

#include "platform/text.h"

// Reads every line of a file. False when it cannot be opened.
bool ReadTextLines(const Text& path, TextList& lines);

// Reads a whole file as bytes. False when it cannot be opened.
bool ReadFileBytes(const Text& path, Text& content);

// Writes a file. The bytes are gathered in memory and handed to the system in
// one write when the writer closes (or whenever 64 KiB have gathered), so a
// short file such as one appended line reaches the disk whole, in one call.
// The file is opened with the system's own calls (POSIX or Win32), shared for
// reading, writing and deletion; in Append mode every write lands at the end.
class TextFileWriter {
public:
    enum class Mode { Truncate, Append };

    TextFileWriter() = default;
    TextFileWriter(const Text& path, Mode mode) { Open(path, mode); }
    ~TextFileWriter() { Close(); }
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    bool Open(const Text& path, Mode mode);
    bool IsOpen() const { return m_file != kNoFile; }
    // Writes the text and a CR LF. Nothing happens when the file is not open.
    void WriteLine(const Text& line);
    // Writes bytes as they are.
    void Write(const Text& bytes);
    // Closes the file; false when any write or the close failed.
    bool Close();
    // The system's reason for the first failure of Open, a write or Close
    // ("" while nothing failed).
    const Text& ErrorText() const { return m_error; }

private:
    static constexpr intptr_t kNoFile = -1;  // also INVALID_HANDLE_VALUE
    void Flush();
    void Fail();

    intptr_t m_file = kNoFile;  // a file descriptor or a HANDLE
    Text m_pending;
    bool m_failed = false;
    Text m_error;
};

// The system calls behind TextFileWriter (platform/portable/file_io_posix.cpp,
// platform/win32/file_io_win32.cpp).
namespace file_io {
intptr_t OpenForWriting(const Text& path, bool append);  // -1 on failure
bool WriteAll(intptr_t file, const char* bytes, size_t count);
bool CloseFile(intptr_t file);
Text LastErrorText();  // the reason of the last failed call, never ""
}  // namespace file_io
