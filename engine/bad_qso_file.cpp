#include "engine/bad_qso_file.h"

#include "platform/text_file.h"

namespace BadQsoFile {

const char* const kHeader = "SARTG-WW-RTTY Contest UBN file";
const char* const kWrongBand = "   WRONG BAND !!!";
const char* const kWrongMode = "   WRONG MODE !!!";
const char* const kNoRxNumber = "   NO RX NUMBER !!!";
const char* const kDupe = "   DUPE !!!";

Text NameFor(const DateTime& contestEnd) {
    return "BadQSO_StatsSARTGWWRTTY_" + contestEnd.Format("%d_%m_%Y") + ".txt";
}

static Text OneLine(const Text& t) {
    if (t.find_first_of("\r\n") == Text::npos) return t;
    Text out = t;
    for (char& c : out)
        if (c == '\r' || c == '\n') c = ' ';
    return out;
}

Text MakeLine(const LineFields& f, const char* reason) {
    Text line = "QSO:  ";
    line += Format("%d", f.freqKHz);
    for (const Text* piece : {&f.mode, &f.time, &f.ownCall, &f.rstSent, &f.nrSent, &f.call, &f.rstRcvd}) {
        line += "  ";
        line += OneLine(*piece);
    }
    line += "  ";
    line += OneLine(f.nrRcvd);
    line += reason;
    return line;
}

void Create(const Text& path) {
    TextFileWriter out(path, TextFileWriter::Mode::Truncate);
    out.WriteLine(kHeader);
}

void Append(const Text& path, const Text& line) {
    TextFileWriter out(path, TextFileWriter::Mode::Append);
    out.WriteLine(line);
}

void RewriteWithout(const Text& path, const char* call, const DateTime& time) {
    const Text timeKey = " " + time.Format("%H%M") + " ";
    TextList lines;
    ReadTextLines(path, lines);  // unreadable: treated as empty
    TextList kept;
    for (size_t i = 1; i < lines.size(); ++i) {
        const Text& line = lines[i];
        if (call && Contains(line, call) && Contains(line, timeKey)) continue;
        kept.push_back(line);
    }
    TextFileWriter out(path, TextFileWriter::Mode::Truncate);
    out.WriteLine(kHeader);
    for (const Text& line : kept) out.WriteLine(line);
}

int CountBad(const Text& path) {
    TextList lines;
    if (!ReadTextLines(path, lines)) return 0;
    int count = 0;
    for (const Text& line : lines) {
        size_t dupe = line.find("DUPE", 1);
        size_t ubn = line.find("UBN", 1);
        if (dupe == Text::npos && ubn == Text::npos) ++count;
    }
    return count;
}

}  // namespace BadQsoFile
