// Settings files without the Windows profile functions: the same rules,
// implemented on plain files.
#include "platform/profile.h"
#include "platform/text_file.h"

namespace {

struct Entry {
    size_t line;   // index of the line holding it
    Text value;
};

// The text of a section header line ("[name]"), or false.
bool SectionName(const Text& line, Text& name) {
    Text t = Trim(line);
    if (t.empty() || t[0] != '[') return false;
    size_t close = t.find(']');
    name = t.substr(1, close == Text::npos ? Text::npos : close - 1);
    name = Trim(name);
    return true;
}

bool KeyAndValue(const Text& line, Text& key, Text& value) {
    size_t eq = line.find('=');
    if (eq == Text::npos) return false;
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
    return !key.empty();
}

// Finds the section's header line and the key's line; npos when absent.
void Locate(const TextList& lines, const Text& section, const Text& key, size_t& sectionLine,
            size_t& sectionEnd, size_t& keyLine, Text& value) {
    sectionLine = sectionEnd = keyLine = Text::npos;
    bool inside = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        Text name;
        if (SectionName(lines[i], name)) {
            if (inside) {
                sectionEnd = i;
                return;
            }
            inside = EqualsNoCase(name, section);
            if (inside) sectionLine = i;
            continue;
        }
        if (!inside || keyLine != Text::npos) continue;
        Text k, v;
        if (KeyAndValue(lines[i], k, v) && EqualsNoCase(k, key)) {
            keyLine = i;
            value = v;
        }
    }
    if (inside) sectionEnd = lines.size();
}

// Settings paths are written the Windows way ("Plugins\\x.ini").
Text LocalPath(const Text& path) { return ReplaceAll(path, "\\", "/"); }

Text Unquote(const Text& v) {
    if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) return v.substr(1, v.size() - 2);
    return v;
}

}  // namespace

Text ReadProfileTextFull(const Text& path, const Text& section, const Text& key, const Text& defaultValue) {
    TextList lines;
    if (!ReadTextLines(LocalPath(path), lines)) return defaultValue;
    size_t sectionLine, sectionEnd, keyLine;
    Text value;
    Locate(lines, section, key, sectionLine, sectionEnd, keyLine, value);
    if (keyLine == Text::npos) return defaultValue;
    return Unquote(value);
}

Text ReadProfileText(const Text& path, const Text& section, const Text& key, const Text& defaultValue,
                     size_t bufferSize) {
    if (bufferSize == 0) return Text();
    Text value = ReadProfileTextFull(path, section, key, defaultValue);
    if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
    return value;
}

bool WriteProfileText(const Text& path, const Text& section, const Text& key, const Text& value) {
    if (path.empty() || section.empty() || key.empty()) return false;
    TextList lines;
    ReadTextLines(LocalPath(path), lines);  // a missing file is an empty one
    size_t sectionLine, sectionEnd, keyLine;
    Text old;
    Locate(lines, section, key, sectionLine, sectionEnd, keyLine, old);
    const Text entry = key + "=" + value;
    if (keyLine != Text::npos) {
        lines[keyLine] = entry;
    } else if (sectionLine != Text::npos) {
        // After the last non-blank line of the section.
        size_t at = sectionEnd;
        while (at > sectionLine + 1 && Trim(lines[at - 1]).empty()) --at;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
    } else {
        if (!lines.empty() && !Trim(lines.back()).empty()) lines.push_back(Text());
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    }
    TextFileWriter out(LocalPath(path), TextFileWriter::Mode::Truncate);
    if (!out.IsOpen()) return false;
    for (const Text& line : lines) out.WriteLine(line);
    return out.Close();
}
