#include "testhost/simple_log.h"

#include <cstdlib>
#include <sstream>

namespace {

TextList Fields(const Text& line) {
    TextList fields;
    std::istringstream in(line);
    Text f;
    while (in >> f) fields.push_back(f == "-" ? Text() : f);
    return fields;
}

bool Number(const Text& t, long long lo, long long hi, long long& out) {
    if (t.empty()) return false;
    char* end = nullptr;
    out = std::strtoll(t.c_str(), &end, 10);
    return *end == '\0' && out >= lo && out <= hi;
}

bool ParseTime(const Text& date, const Text& hhmm, DateTime& out) {
    long long y, m, d, hm;
    if (date.size() != 10 || date[4] != '-' || date[7] != '-' || hhmm.size() != 4) return false;
    if (!Number(date.substr(0, 4), 100, 9999, y) || !Number(date.substr(5, 2), 1, 12, m) ||
        !Number(date.substr(8, 2), 1, 31, d) || !Number(hhmm, 0, 2359, hm))
        return false;
    out = DateTime::FromParts(int(y), int(m), int(d), int(hm / 100), int(hm % 100));
    return out.IsValid();
}

}  // namespace

bool ReadSimpleLog(const Text& content, HostLog& log, std::vector<LogProblem>& problems) {
    std::istringstream in(content);
    Text line;
    int number = 0;
    bool station = false;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        TextList f = Fields(line);
        if (f.empty() || f[0][0] == '#') continue;
        auto problem = [&](const char* what) { problems.push_back({number, what}); };
        if (f[0] == "STATION") {
            if (f.size() != 4) { problem("STATION needs call, entity and continent"); continue; }
            log.ownCall = f[1];
            log.ownCountry = f[2];
            log.ownContinent = f[3];
            station = true;
        } else if (f[0] == "PERIOD") {
            DateTime start, end;
            if (f.size() != 5 || !ParseTime(f[1], f[2], start) || !ParseTime(f[3], f[4], end)) {
                problem("PERIOD needs two dates and times");
                continue;
            }
            log.contestStart = start;
            log.contestEnd = end;
        } else if (f[0] == "QSO") {
            if (f.size() != 14) { problem("a QSO line has 13 fields"); continue; }
            HostQso q;
            q.sourceLine = number;
            long long hz;
            if (!ParseTime(f[1], f[2], q.time)) { problem("bad date or time"); continue; }
            if (!Number(f[3], 0, 4294967295LL, hz)) { problem("bad frequency"); continue; }
            q.frequencyHz = static_cast<unsigned>(hz);
            q.band = f[4];
            q.mode = f[5];
            q.call = f[6];
            q.rstSent = f[7];
            q.nrSent = f[8];
            q.rstRcvd = f[9];
            q.nrRcvd = f[10];
            q.country = f[11];
            q.continent = f[12];
            q.areaText = f[13];
            log.qsos.push_back(q);
        } else {
            problem("unknown line");
        }
    }
    return station;
}
