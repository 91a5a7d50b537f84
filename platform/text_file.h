// Line-based text files.
//
// Files are read and written byte for byte: every line written ends with
// CR LF; a line read loses its LF and a CR just before it, nothing else.
// Files are opened with no sharing restriction and never held open beyond
// the object's life.
#pragma once

#include <cstdio>

#include "platform/text.h"

// Reads every line of a file. False when it cannot be opened.
bool ReadTextLines(const Text& path, TextList& lines);

// Reads a whole file as bytes. False when it cannot be opened.
bool ReadFileBytes(const Text& path, Text& content);

class TextFileWriter {
public:
    enum class Mode { Truncate, Append };

    TextFileWriter() = default;
    TextFileWriter(const Text& path, Mode mode) { Open(path, mode); }
    ~TextFileWriter() { Close(); }
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    bool Open(const Text& path, Mode mode);
    bool IsOpen() const { return m_file != nullptr; }
    // Writes the text and a CR LF. Nothing happens when the file is not open.
    void WriteLine(const Text& line);
    // Writes bytes as they are.
    void Write(const Text& bytes);
    // Closes the file; false when any write or the close failed.
    bool Close();

private:
    FILE* m_file = nullptr;
    bool m_failed = false;
};
