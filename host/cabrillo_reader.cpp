#include "host/cabrillo_reader.h"

#include <algorithm>

#include "host/band_plan.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

Text UpperAscii(Text text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool AllDigits(const Text& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!IsDigit(c)) return false;
    return true;
}

TextList SplitFields(const Text& text) {
    TextList fields;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        const size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
        if (i > start) fields.push_back(text.substr(start, i - start));
    }
    return fields;
}

Text ModeName(const Text& cabrilloMode) {
    const Text mode = UpperAscii(cabrilloMode);
    if (mode == "RY" || mode == "RTTY") return "RTTY";
    if (mode == "PH" || mode == "SSB") return "SSB";
    if (mode == "DG") return "DIG";
    return mode;  // CW, FM, ...
}

// "2017-08-19" and "1234".
bool ParseDateTime(const Text& date, const Text& time, DateTime& out, Text& why) {
    if (date.size() != 10 || date[4] != '-' || date[7] != '-' || !AllDigits(date.substr(0, 4)) ||
        !AllDigits(date.substr(5, 2)) || !AllDigits(date.substr(8, 2))) {
        why = "date '" + date + "' is not YYYY-MM-DD";
        return false;
    }
    if (time.size() != 4 || !AllDigits(time)) {
        why = "time '" + time + "' is not HHMM";
        return false;
    }
    const int year = LeadingDecimal(date.substr(0, 4)), month = LeadingDecimal(date.substr(5, 2)),
              day = LeadingDecimal(date.substr(8, 2));
    const int hour = LeadingDecimal(time.substr(0, 2)), minute = LeadingDecimal(time.substr(2, 2));
    if (!DateTime::FromParts(year, month, day).IsValid()) {
        why = "no such date '" + date + "'";
        return false;
    }
    out = DateTime::FromParts(year, month, day, hour, minute);
    if (!out.IsValid()) {
        why = "no such time '" + time + "'";
        return false;
    }
    return true;
}

// A frequency in kHz, or a band in MHz; a frequency outside every band is
// kept with an empty band.
bool ParseFrequency(const Text& field, HostQso& qso) {
    unsigned hz = 0;
    const bool number = ParseFrequencyHz(field, 1000, hz);
    if (number && !BandFromHz(hz).empty()) {
        qso.frequencyHz = hz;
        qso.band = BandFromHz(hz);
        return true;
    }
    const Text band = NormalizeBand(field);
    if (!band.empty()) {
        qso.band = band;
        qso.frequencyHz = NominalKhz(band) * 1000u;
        return true;
    }
    if (number) {
        qso.frequencyHz = hz;
        qso.band.clear();
        return true;
    }
    return false;
}

bool ReadQso(const TextList& f, int lineNumber, HostQso& qso, Text& why) {
    // freq mo date time sent-call rst nr rcvd-call rst [nr [t]]
    if (f.size() < 9) {
        why = Format("QSO: line with %u fields, at least 9 needed (freq mode date time call rst nr call rst nr)",
                     static_cast<unsigned>(f.size()));
        return false;
    }
    if (f.size() > 11) {
        why = Format("QSO: line with %u fields, at most 11 expected", static_cast<unsigned>(f.size()));
        return false;
    }
    if (f.size() == 11 && !AllDigits(f[10])) {
        why = "transmitter number '" + f[10] + "' is not a number";
        return false;
    }
    qso = HostQso();
    qso.sourceLine = lineNumber;
    if (!ParseFrequency(f[0], qso)) {
        why = "frequency '" + f[0] + "' is neither kHz nor a band";
        return false;
    }
    if (!ParseDateTime(f[2], f[3], qso.time, why)) return false;
    qso.mode = ModeName(f[1]);
    qso.rstSent = f[5];
    qso.nrSent = f[6];
    qso.call = UpperAscii(f[7]);
    qso.rstRcvd = f[8];
    if (f.size() >= 10) qso.nrRcvd = f[9];
    return true;
}

bool IsTagChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || IsDigit(c) || c == '-' || c == '_';
}

}  // namespace

bool ReadCabrilloLog(const Text& content, HostLog& log, std::vector<LogProblem>& problems) {
    bool sawStart = false, sawQso = false, ended = false;
    Text callsign, firstSentCall;
    int lineNumber = 0;
    size_t pos = 0;
    if (content.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;  // UTF-8 byte order mark
    while (pos < content.size()) {
        size_t end = content.find_first_of("\r\n", pos);
        if (end == Text::npos) end = content.size();
        const Text line = Trim(content.substr(pos, end - pos));
        pos = (end + 1 < content.size() && content[end] == '\r' && content[end + 1] == '\n') ? end + 2 : end + 1;
        ++lineNumber;
        if (line.empty()) continue;

        if (ended) {
            problems.push_back({lineNumber, "text after END-OF-LOG: -- ignored up to the end"});
            break;
        }
        const size_t colon = line.find(':');
        const Text tag = UpperAscii(Trim(line.substr(0, colon)));
        if (colon == Text::npos || tag.empty() || !std::all_of(tag.begin(), tag.end(), IsTagChar)) {
            problems.push_back({lineNumber, "not a Cabrillo line (no TAG:) -- skipped"});
            continue;
        }
        const Text value = Trim(line.substr(colon + 1));
        if (tag == "START-OF-LOG") {
            sawStart = true;
        } else if (tag == "END-OF-LOG") {
            ended = true;
        } else if (tag == "CALLSIGN") {
            callsign = UpperAscii(value);
        } else if (tag == "QSO") {
            sawQso = true;
            const TextList fields = SplitFields(value);
            HostQso qso;
            Text why;
            if (!ReadQso(fields, lineNumber, qso, why)) {
                problems.push_back({lineNumber, why + " -- skipped"});
                continue;
            }
            if (firstSentCall.empty()) firstSentCall = UpperAscii(fields[4]);
            log.qsos.push_back(qso);
        }
        // X-QSO: (a QSO the station itself excluded) and all other tags: nothing to read.
    }
    if (!sawStart && !sawQso) {
        problems.push_back({1, "not a Cabrillo log (neither START-OF-LOG: nor QSO: lines)"});
        return false;
    }
    if (!callsign.empty())
        log.ownCall = callsign;
    else if (!firstSentCall.empty())
        log.ownCall = firstSentCall;
    return true;
}
