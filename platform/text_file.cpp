#include "platform/text_file.h"

bool ReadFileBytes(const Text& path, Text& content) {
    content.clear();
    if (path.empty()) return false;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, n);
    std::fclose(f);
    return true;
}

bool ReadTextLines(const Text& path, TextList& lines) {
    lines.clear();
    Text content;
    if (!ReadFileBytes(path, content)) return false;
    size_t pos = 0;
    while (pos < content.size()) {
        size_t end = content.find('\n', pos);
        if (end == Text::npos) {
            lines.push_back(content.substr(pos));
            break;
        }
        size_t stop = end;
        if (stop > pos && content[stop - 1] == '\r') --stop;
        lines.push_back(content.substr(pos, stop - pos));
        pos = end + 1;
    }
    return true;
}

namespace {
constexpr size_t kFlushAt = 64 * 1024;
}

bool TextFileWriter::Open(const Text& path, Mode mode) {
    Close();
    m_failed = false;
    m_error.clear();
    if (path.empty()) {
        m_failed = true;
        m_error = "no file name";
        return false;
    }
    m_file = file_io::OpenForWriting(path, mode == Mode::Append);
    if (m_file == kNoFile) Fail();
    return m_file != kNoFile;
}

void TextFileWriter::Fail() {
    if (m_failed) return;  // the first failure's reason is kept
    m_failed = true;
    m_error = file_io::LastErrorText();
}

void TextFileWriter::Flush() {
    if (m_file == kNoFile || m_pending.empty()) return;
    if (!file_io::WriteAll(m_file, m_pending.data(), m_pending.size())) Fail();
    m_pending.clear();
}

void TextFileWriter::Write(const Text& bytes) {
    if (m_file == kNoFile || bytes.empty()) return;
    m_pending += bytes;
    if (m_pending.size() >= kFlushAt) Flush();
}

void TextFileWriter::WriteLine(const Text& line) {
    if (m_file == kNoFile) return;
    m_pending += line;  // the line and its end go out in one write
    Write("\r\n");
}

bool TextFileWriter::Close() {
    if (m_file == kNoFile) return false;
    Flush();
    if (!file_io::CloseFile(m_file)) Fail();
    m_file = kNoFile;
    m_pending.clear();
    m_pending.shrink_to_fit();
    return !m_failed;
}
