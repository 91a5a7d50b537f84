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

bool TextFileWriter::Open(const Text& path, Mode mode) {
    Close();
    m_failed = false;
    if (path.empty()) return false;
    m_file = std::fopen(path.c_str(), mode == Mode::Truncate ? "wb" : "ab");
    return m_file != nullptr;
}

void TextFileWriter::Write(const Text& bytes) {
    if (!m_file || bytes.empty()) return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) m_failed = true;
}

void TextFileWriter::WriteLine(const Text& line) {
    Write(line);
    Write("\r\n");
}

bool TextFileWriter::Close() {
    if (!m_file) return false;
    bool ok = !m_failed;
    if (std::fclose(m_file) != 0) ok = false;
    m_file = nullptr;
    return ok;
}
