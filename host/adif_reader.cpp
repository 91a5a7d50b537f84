#include "host/adif_reader.h"

#include <cstdint>
#include <map>

#include "host/band_plan.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(const Text& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!IsDigit(c)) return false;
    return true;
}

char ToUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

Text UpperAscii(Text text) {
    for (char& c : text) c = ToUpper(c);
    return text;
}

// Position of `needle` (upper case) in `text`, ignoring ASCII case.
size_t FindNoCase(const Text& text, const char* needle) {
    const Text n(needle);
    for (size_t i = 0; i + n.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < n.size() && ToUpper(text[i + k]) == n[k]) ++k;
        if (k == n.size()) return i;
    }
    return Text::npos;
}

// Counts lines as the reading position moves forwards. CR LF, LF and CR
// each end a line.
class LineCounter {
public:
    explicit LineCounter(const Text& text) : m_text(text) {}
    int LineAt(size_t pos) {
        for (; m_pos < pos && m_pos < m_text.size(); ++m_pos) {
            const char c = m_text[m_pos];
            if (c == '\n' || (c == '\r' && (m_pos + 1 >= m_text.size() || m_text[m_pos + 1] != '\n'))) ++m_line;
        }
        return m_line;
    }

private:
    const Text& m_text;
    size_t m_pos = 0;
    int m_line = 1;
};

struct Record {
    int line = 0;             // where its first tag is; 0 while it has none
    Text error;               // why it cannot be read, empty while it can
    std::map<Text, Text> fields;  // by upper-case name; the first of a name counts

    bool Empty() const { return line == 0; }
    void Begin(int at) {
        if (line == 0) line = at;
    }
    void Fail(const Text& why) {
        if (error.empty()) error = why;
    }
    const Text* Field(const char* name) const {
        auto it = fields.find(name);
        return it == fields.end() ? nullptr : &it->second;
    }
    Text Value(const char* name) const {
        const Text* v = Field(name);
        return v ? Trim(*v) : Text();
    }
};

Text ModeName(const Text& adifMode) {
    const Text mode = UpperAscii(adifMode);
    if (mode == "USB" || mode == "LSB") return "SSB";
    return mode;  // RTTY, CW, SSB, ...
}

bool ParseDateTime(const Text& date, const Text& time, DateTime& out, Text& why) {
    if (date.size() != 8 || !AllDigits(date)) {
        why = date.empty() ? Text("no QSO_DATE") : "QSO_DATE '" + date + "' is not YYYYMMDD";
        return false;
    }
    if ((time.size() != 4 && time.size() != 6) || !AllDigits(time)) {
        why = time.empty() ? Text("no TIME_ON") : "TIME_ON '" + time + "' is not HHMM or HHMMSS";
        return false;
    }
    const int year = LeadingDecimal(date.substr(0, 4)), month = LeadingDecimal(date.substr(4, 2)),
              day = LeadingDecimal(date.substr(6, 2));
    if (!DateTime::FromParts(year, month, day).IsValid()) {
        why = "no such QSO_DATE '" + date + "'";
        return false;
    }
    out = DateTime::FromParts(year, month, day, LeadingDecimal(time.substr(0, 2)),
                              LeadingDecimal(time.substr(2, 2)),
                              time.size() == 6 ? LeadingDecimal(time.substr(4, 2)) : 0);
    if (!out.IsValid()) {
        why = "no such TIME_ON '" + time + "'";
        return false;
    }
    return true;
}

void FinishRecord(const Record& record, HostLog& log, Text& ownCall, Text& operatorCall,
                  std::vector<LogProblem>& problems) {
    if (record.Empty()) return;
    auto skip = [&](const Text& why) {
        problems.push_back({record.line, "record skipped: " + why});
    };
    if (!record.error.empty()) return skip(record.error);

    HostQso qso;
    qso.sourceLine = record.line;
    qso.call = UpperAscii(record.Value("CALL"));
    if (qso.call.empty()) return skip("no CALL");
    Text why;
    if (!ParseDateTime(record.Value("QSO_DATE"), record.Value("TIME_ON"), qso.time, why)) return skip(why);

    const Text bandField = record.Value("BAND");
    const Text band = NormalizeBand(bandField);
    if (!bandField.empty() && band.empty())
        problems.push_back({record.line, "BAND '" + bandField + "' is no band"});
    const Text freq = record.Value("FREQ");
    unsigned hz = 0;
    if (!freq.empty() && !ParseFrequencyHz(freq, 1000000, hz)) {
        problems.push_back({record.line, "FREQ '" + freq + "' is not a frequency in MHz -- BAND used"});
        hz = 0;
    }
    if (hz != 0) {
        qso.frequencyHz = hz;
        qso.band = BandFromHz(hz);
        if (qso.band.empty())
            qso.band = band;
        else if (!band.empty() && band != qso.band)
            problems.push_back({record.line, "BAND " + band + " does not agree with FREQ " + freq +
                                                 " MHz -- band " + qso.band + " used"});
    } else {
        qso.band = band;
        qso.frequencyHz = NominalKhz(band) * 1000u;
    }

    qso.mode = ModeName(record.Value("MODE"));
    qso.rstSent = record.Value("RST_SENT");
    qso.rstRcvd = record.Value("RST_RCVD");
    qso.nrSent = record.Value("STX");
    if (qso.nrSent.empty()) qso.nrSent = record.Value("STX_STRING");
    qso.nrRcvd = record.Value("SRX");
    if (qso.nrRcvd.empty()) qso.nrRcvd = record.Value("SRX_STRING");

    if (ownCall.empty()) ownCall = UpperAscii(record.Value("STATION_CALLSIGN"));
    if (operatorCall.empty()) operatorCall = UpperAscii(record.Value("OPERATOR"));
    log.qsos.push_back(qso);
}

}  // namespace

bool ReadAdifLog(const Text& content, HostLog& log, std::vector<LogProblem>& problems) {
    LineCounter lines(content);
    size_t pos = 0;
    bool anyTag = false, anyRecord = false;
    // A file that does not begin with '<' has a header of free text, which
    // may hold anything, up to <EOH>.
    if (!content.empty() && content[0] != '<') {
        const size_t eoh = FindNoCase(content, "<EOH>");
        if (eoh != Text::npos) {
            pos = eoh + 5;
            anyTag = true;
        }
    }

    Text ownCall, operatorCall;
    Record record;
    while (pos < content.size()) {
        const size_t open = content.find('<', pos);
        if (open == Text::npos) break;
        const int line = lines.LineAt(open);
        const size_t close = content.find('>', open + 1);
        const size_t nextOpen = content.find('<', open + 1);
        if (close == Text::npos || (nextOpen != Text::npos && nextOpen < close)) {
            // A stray '<': the record cannot be trusted; go on from the next tag.
            record.Begin(line);
            record.Fail(Format("unfinished tag on line %d", line));
            if (close == Text::npos) break;
            pos = nextOpen;
            continue;
        }
        const Text tag = content.substr(open + 1, close - open - 1);
        pos = close + 1;
        const size_t colon = tag.find(':');
        const Text name = UpperAscii(Trim(tag.substr(0, colon)));
        if (colon == Text::npos) {
            if (name == "EOH") {
                // Whatever came before was the header, unless records did.
                if (!anyRecord) record = Record();
                anyTag = true;
                continue;
            }
            if (name == "EOR") {
                anyTag = true;
                anyRecord = true;
                FinishRecord(record, log, ownCall, operatorCall, problems);
                record = Record();
                continue;
            }
            record.Begin(line);
            record.Fail(Format("tag <%s> without a length on line %d", tag.c_str(), line));
            continue;
        }
        const size_t typeColon = tag.find(':', colon + 1);
        const Text lengthText = Trim(tag.substr(colon + 1, typeColon == Text::npos ? Text::npos : typeColon - colon - 1));
        record.Begin(line);
        if (name.empty() || !AllDigits(lengthText) || lengthText.size() > 9) {
            record.Fail(Format("tag <%s> without a valid length on line %d", tag.c_str(), line));
            continue;
        }
        anyTag = true;
        const size_t length = static_cast<size_t>(LeadingDecimal(lengthText));
        if (length > content.size() - pos) {
            record.Fail(Format("the value of <%s> on line %d runs past the end of the file", tag.c_str(), line));
            break;
        }
        record.fields.emplace(name, content.substr(pos, length));
        pos += length;
    }
    if (!record.Empty()) {
        record.Fail("no <EOR> before the end of the file");
        FinishRecord(record, log, ownCall, operatorCall, problems);
    }
    if (!anyTag) {
        problems.push_back({1, "not an ADIF log (no <NAME:length>value fields)"});
        return false;
    }
    if (!ownCall.empty())
        log.ownCall = ownCall;
    else if (!operatorCall.empty())
        log.ownCall = operatorCall;
    return true;
}
