#include "model/literal_model.h"

#include <dirent.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace literal {

const char* const kCredit = "Scored by Stats.dll, SARTG-WW-RTTY";

namespace {

const char* const kBandRules[] = {"80m", "80m", "40m", "20m", "15m", "10m"};
const char* const kModeRules[] = {"RTTY"};
const char* const kSlotLabels[] = {"160m", "80m", "40m", "20m", "15m", "10m"};

const char* const kHeader = "SARTG-WW-RTTY Contest UBN file";

std::string S(const char* text) { return text ? std::string(text) : std::string(); }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

// CContestRules::Contains: the first entry equal ignoring case.
int Contains(const char* const* table, int count, const char* name) {
    const std::string n = S(name);
    for (int i = 0; i < count; ++i)
        if (SameIgnoringCase(table[i], n)) return 1;
    return 0;
}
int BandValid(const char* band) { return Contains(kBandRules, 6, band); }
int ModeValid(const char* mode) { return Contains(kModeRules, 1, mode); }

bool HasText(const std::string& haystack, const std::string& needle) {
    return haystack.find(needle) != std::string::npos;
}

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(&out[0], out.size(), format, again);
    va_end(again);
    out.resize(static_cast<size_t>(n));
    return out;
}

void SetCallArea(Record& r, const std::string& country, const std::string& areaText) {
    int* field;
    if (country == "K") field = &r.areaK;
    else if (country == "VE") field = &r.areaVE;
    else if (country == "VK") field = &r.areaVK;
    else if (country == "JA") field = &r.areaJA;
    else return;
    for (size_t i = 0; i < areaText.size(); ++i)
        if (areaText[i] >= '0' && areaText[i] <= '9') *field = areaText[i] - '0';
}

int UsesRussianUi(const std::string& country) {
    return country == "UA" || country == "UA2" || country == "UA2/f" || country == "UA9" || country == "UN" ||
           country == "UR" || country == "EU";
}

bool TimesEqual(const DateTime& a, const DateTime& b) {
    if (a.GetStatus() == DateTime::Status::Valid && b.GetStatus() == DateTime::Status::Valid)
        return a.Days() == b.Days();
    return a.GetStatus() == DateTime::Status::Null && b.GetStatus() == DateTime::Status::Null;
}

std::string Blanked(std::string text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\r' || text[i] == '\n') text[i] = ' ';
    return text;
}

// The file's lines as a text-mode reader gives them: without the LF and
// without a CR just before it. False when the file cannot be opened.
bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    if (path.empty()) return false;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::string content;
    char buffer[16384];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, n);
    std::fclose(f);
    std::string line;
    for (size_t i = 0; i < content.size(); ++i) {
        if (content[i] == '\n') {
            if (!line.empty() && line[line.size() - 1] == '\r') line.erase(line.size() - 1);
            lines.push_back(line);
            line.clear();
        } else {
            line += content[i];
        }
    }
    if (!line.empty()) lines.push_back(line);
    return true;
}

void WriteLine(FILE* f, const std::string& line) {
    if (!f) return;
    std::fwrite(line.data(), 1, line.size(), f);
    std::fwrite("\r\n", 1, 2, f);
}

// The host's settings file is looked for with the pattern hostFolder +
// "*.ini"; the folder is what stands before the last "/" or "\".
bool HostFolderHasVoktIni(const std::string& hostFolder) {
    std::string folder = ".", prefix = hostFolder;
    const size_t cut = hostFolder.find_last_of("/\\");
    if (cut != std::string::npos) {
        folder = hostFolder.substr(0, cut + 1);
        prefix = hostFolder.substr(cut + 1);
        for (size_t i = 0; i < folder.size(); ++i)
            if (folder[i] == '\\') folder[i] = '/';
    }
    DIR* dir = opendir(folder.c_str());
    if (!dir) return false;
    bool matched = false;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() < prefix.size() + 4) continue;
        if (!SameIgnoringCase(name.substr(0, prefix.size()), prefix)) continue;
        if (!SameIgnoringCase(name.substr(name.size() - 4), ".ini")) continue;
        if (HasText(name, "Vokt2.ini")) {
            matched = true;
            break;
        }
    }
    closedir(dir);
    return matched;
}

}  // namespace

Model::Model(std::string folder) : fileFolder(std::move(folder)) {}

int Model::AddData(const char* ownCallArg, const char* call, const HostDateTime* qsoTime, unsigned frequencyHz,
                   const char* mode, const char* rstSent, const char* rstRcvd, const char* nrSent,
                   const char* nrRcvd, const char* areaText, const char* country, const char* continent,
                   const char* band) {
    // 1. Open the bad-QSO file for appending.
    FILE* file = badQsoFileName.empty() ? nullptr : std::fopen(BadQsoPath().c_str(), "ab");
    // 2. A fresh record.
    Record r;
    r.time = DateTime::FromHost(qsoTime);
    r.freqKHz = static_cast<int>(frequencyHz / 1000u);
    r.notCounted = 0;
    r.dupe = 0;
    r.bad = 0;
    const std::string when = r.time.Format("%Y-%m-%d %H%M");
    auto badLine = [&](const char* reason) {
        std::string line = "QSO:  " + Printf("%d", r.freqKHz) + "  " + Blanked(S(mode)) + "  " + Blanked(when) +
                           "  " + Blanked(S(ownCallArg)) + "  " + Blanked(S(rstSent)) + "  " +
                           Blanked(S(nrSent)) + "  " + Blanked(S(call)) + "  " + Blanked(S(rstRcvd)) + "  " +
                           Blanked(S(nrRcvd)) + reason;
        WriteLine(file, line);
    };
    auto finish = [&](int result) {
        if (file) std::fclose(file);
        return result;
    };
    // 3 to 5. Band, mode and numbers.
    if (!BandValid(band)) {
        badLine("   WRONG BAND !!!");
        return finish(0);
    }
    if (!ModeValid(mode)) {
        badLine("   WRONG MODE !!!");
        return finish(0);
    }
    if (S(nrRcvd).empty() || S(nrSent).empty()) {
        badLine("   NO RX NUMBER !!!");
        return finish(0);
    }
    // 6. The band, once.
    bool known = false;
    for (size_t i = 0; i < bandsUsed.size(); ++i)
        if (bandsUsed[i] == S(band)) known = true;
    if (!known) bandsUsed.push_back(S(band));
    // 7. The record.
    r.call = S(call);
    r.band = S(band);
    r.mode = S(mode);
    r.continent = S(continent);
    r.rstRcvd = S(rstRcvd);
    r.rstSent = S(rstSent);
    r.nrRcvd = S(nrRcvd);
    r.nrSent = S(nrSent);
    r.country = S(country);
    SetCallArea(r, S(country), S(areaText));
    // 8. Dupe walk.
    for (size_t i = 0; i < log.size(); ++i) {
        if (log[i].call == r.call && log[i].band == r.band && log[i].mode == r.mode) {
            r.dupe = 1;
            r.notCounted = 1;
            badLine("   DUPE !!!");
            break;
        }
    }
    // 9, 10.
    log.push_back(r);
    return finish(1);
}

int Model::RemoveData(const char* call, const HostDateTime* qsoTime, const char* mode, const char* band) {
    const std::string keyCall = S(call), keyBand = S(band), keyMode = S(mode);
    const DateTime keyTime = DateTime::FromHost(qsoTime);
    for (size_t i = 0; i < log.size(); ++i) {
        if (log[i].call == keyCall && log[i].band == keyBand && log[i].mode == keyMode &&
            TimesEqual(log[i].time, keyTime)) {
            if (callAreaWindowOpen) ++callAreaResets;
            log.erase(log.begin() + static_cast<long>(i));
            break;
        }
    }
    // Rewrite: read, (tables), write.
    const std::string timeKey = " " + keyTime.Format("%H%M") + " ";
    std::vector<std::string> lines, kept;
    ReadLines(BadQsoPath(), lines);
    for (size_t i = 1; i < lines.size(); ++i) {
        if (call != nullptr && HasText(lines[i], keyCall) && HasText(lines[i], timeKey)) continue;
        kept.push_back(lines[i]);
    }
    if (log.empty()) {
        bandsUsed.clear();
        for (int s = 0; s < 6; ++s) {
            slotMults[s].clear();
            slotAreasJA[s].clear();
            slotAreasK[s].clear();
            slotAreasVE[s].clear();
            slotAreasVK[s].clear();
        }
    }
    if (!badQsoFileName.empty()) {
        FILE* f = std::fopen(BadQsoPath().c_str(), "wb");
        if (f) {
            WriteLine(f, kHeader);
            for (size_t i = 0; i < kept.size(); ++i) WriteLine(f, kept[i]);
            std::fclose(f);
        }
    }
    refreshPending = 1;
    if (setupWindowOpen) ++postsSent;
    return 1;
}

int Model::CheckCall(const char* call, const char* mode, const char* areaText, const char* country,
                     const char* continent, const char* band, const char* compareBand) {
    // 1. Heartbeat.
    if (setupWindowOpen && refreshPending == 1) {
        refreshPending = 0;
        ++postsSent;
    }
    // 2 to 4.
    const int cannotJudge = (hostVersion == "2.19" || hostVersion == "2.20") ? 1 : 4;
    if (band != nullptr && compareBand != nullptr && !SameIgnoringCase(band, compareBand)) return cannotJudge;
    if (!BandValid(band) || !ModeValid(mode)) return cannotJudge;
    // 5, 6.
    Record r;
    r.call = S(call);
    r.band = S(band);
    r.mode = S(mode);
    r.continent = S(continent);
    r.country = S(country);
    if (r.country.empty()) return 1;
    // 7.
    SetCallArea(r, S(country), S(areaText));
    // 8. Dupe.
    for (size_t i = 0; i < log.size(); ++i)
        if (log[i].call == r.call && log[i].band == r.band) return 0;
    // 9. Entity.
    bool entityWorked = false;
    for (size_t i = 0; i < log.size(); ++i) {
        if (log[i].band == r.band && log[i].country == r.country) {
            entityWorked = true;
            break;
        }
    }
    if (!entityWorked) return 2;
    // 10.
    if (r.country != "K" && r.country != "VE" && r.country != "VK" && r.country != "JA") return 1;
    // 11. Call area.
    int answer = 1;
    for (size_t i = 0; i < log.size(); ++i) {
        const Record& e = log[i];
        if (e.band != r.band) continue;
        if (r.areaJA != -1 && r.areaJA == e.areaJA) return 1;
        if (r.areaVE != -1 && r.areaVE == e.areaVE) return 1;
        if (r.areaVK != -1 && r.areaVK == e.areaVK) return 1;
        if (r.areaK != -1 && r.areaK == e.areaK) return 1;
        answer = 3;
    }
    return answer;
}

int Model::ResetStats(const char* hostFolderArg, int cabrilloExport, const char* ownCallArg,
                      const HostDateTime* contestStart, const HostDateTime* contestEnd, const char* ownCountryArg,
                      const char* ownContinentArg) {
    // 1, 2.
    hostFolder = S(hostFolderArg);
    const DateTime start = DateTime::FromHost(contestStart);
    const DateTime end = DateTime::FromHost(contestEnd);
    startDate = start.Format("%d.%m");
    contestYear = start.Format("%Y");
    endDate = end.Format("%d.%m.%Y");
    // 3. Host version.
    if (!HostFolderHasVoktIni(hostFolder)) {
        hostVersion = "Vokt";
    } else {
        std::vector<std::string> lines;
        if (ReadLines("Vokt2.ini", lines)) {
            for (size_t i = 0; i < lines.size(); ++i) {
                if (HasText(lines[i], "Vokt=")) {
                    hostVersion = lines[i].substr(5);
                    break;
                }
            }
        }
    }
    // 4.
    log.clear();
    bandsUsed.clear();
    for (int s = 0; s < 6; ++s) {
        slotMults[s].clear();
        slotAreasJA[s].clear();
        slotAreasK[s].clear();
        slotAreasVE[s].clear();
        slotAreasVK[s].clear();
    }
    // 5, 6.
    ownCountry = S(ownCountryArg);
    ownContinent = S(ownContinentArg);
    ownCall = S(ownCallArg);
    if (UsesRussianUi(S(ownCountryArg))) russianUi = 1;
    // 7.
    for (int s = 0; s < 6; ++s) {
        workedWithRows[s].clear();
        workedWithRows[s].push_back(kBandRules[s]);
        for (int k = 0; k < 4; ++k) workedWithRows[s].push_back("-");
    }
    // 8 (9: no header editor and no windows here).
    outputMode = cabrilloExport;
    // 10, 11.
    badQsoFileName = "BadQSO_StatsSARTGWWRTTY_" + end.Format("%d_%m_%Y") + ".txt";
    FILE* f = std::fopen(BadQsoPath().c_str(), "wb");
    if (f) {
        WriteLine(f, kHeader);
        std::fclose(f);
    }
    return 1;
}

const std::string& Model::GetResult(int* result) {
    // 1. Start.
    std::string& out = resultText;
    out.clear();
    const size_t n = log.size();
    double reference = 0.0;
    if (!outputMode && n >= 1) reference = log[n - 1].time.Days();

    // 2. Heading.
    const std::string title = "    SARTG-WW-RTTY Contest " + startDate + "-" + endDate;
    if (html) {
        out += "<html><head><style>table{ width:100%; }table, th, td{ border: 1px solid black; border-collapse: "
               "collapse; }th, td{ padding: 1px; text-align: middle; }th,td{ background-color: #fffac6; color: "
               "black}</style></head><body>";
        out += Printf("<center><b>%s</b></center><center>Contestant:  <b>%s</center></b><table>", title.c_str(),
                      ownCall.c_str());
        out += Printf("<tr><th> %s</th><th> %s</th><th> %s</th><th> %s</th><th> %s</th><th> %s</th><th> "
                      "%s</th><th> %s</th></tr>",
                      "Band", "QSOs", "Points", "DXCC", "K", "JA", "VE", "VK");
    } else {
        out += Printf("\t   SARTG-WW-RTTY Contest %s-%s \r\n\t       Contestant: %s\r\nBand\tQSOs\tPoints\tDXCC\t K "
                      "\tJA\tVE\tVK\r\n",
                      startDate.c_str(), endDate.c_str(), ownCall.c_str());
    }

    // 3. Band order: exchange sort on the names filled with "0" to 20.
    if (bandsUsed.size() >= 2) {
        for (size_t i = 0; i + 1 < bandsUsed.size(); ++i) {
            for (size_t j = i + 1; j < bandsUsed.size(); ++j) {
                std::string a = bandsUsed[i], b = bandsUsed[j];
                while (a.size() < 20) a = "0" + a;
                while (b.size() < 20) b = "0" + b;
                if (std::strcmp(a.c_str(), b.c_str()) < 0) std::swap(bandsUsed[i], bandsUsed[j]);
            }
        }
    }

    // 4. Bad QSOs.
    badQsoCount = 0;
    std::vector<std::string> fileLines;
    if (ReadLines(BadQsoPath(), fileLines)) {
        for (size_t k = 0; k < fileLines.size(); ++k) {
            const std::string& line = fileLines[k];
            bool marked = false;
            for (size_t pos = 1; pos < line.size(); ++pos)
                if (line.compare(pos, 4, "DUPE") == 0 || line.compare(pos, 3, "UBN") == 0) marked = true;
            if (!marked) ++badQsoCount;
        }
    }

    // 5. One pass per band.
    int totalQsos = 0, totalPoints = 0, totalDupes = 0, totalEntities = 0;
    int totalJA = 0, totalK = 0, totalVE = 0, totalVK = 0;
    int hourQsos = 0, hourPoints = 0, tenQsos = 0, tenPoints = 0;
    int lastPoints = 0;
    for (size_t b = 0; b < bandsUsed.size(); ++b) {
        const std::string& band = bandsUsed[b];
        int slot = -1;
        for (int s = 0; s < 6; ++s)
            if (band == kSlotLabels[s]) slot = s;
        if (slot >= 0) {
            slotMults[slot].clear();
            slotAreasJA[slot].clear();
            slotAreasK[slot].clear();
            slotAreasVE[slot].clear();
            slotAreasVK[slot].clear();
        }
        std::vector<std::string> entities, areasJA, areasK, areasVE, areasVK;
        int qsos = 0, own = 0, continent = 0, other = 0, dupes = 0;
        int distinctEntities = 0, distinctJA = 0, distinctK = 0, distinctVE = 0, distinctVK = 0;
        const std::string lastBand = n ? log[n - 1].band : std::string();

        for (size_t k = 0; k < n; ++k) {
            const Record& e = log[k];
            if (e.band != band || e.call.empty()) continue;
            dupes += e.dupe;
            if (e.notCounted != 0) continue;
            ++qsos;
            int points;
            if (e.country == ownCountry) {
                ++own;
                points = 5;
            } else if (e.continent == ownContinent) {
                ++continent;
                points = 10;
            } else {
                ++other;
                points = 15;
            }
            if (e.band == lastBand) lastPoints = points;
            if (!outputMode && n >= 1) {
                const double diff = reference - e.time.Days();
                const double half = diff < 0 ? -5.787037037037037e-6 : 5.787037037037037e-6;
                const double age = std::trunc((diff + half) * 1440.0);  // whole minutes
                if (age < 60) {
                    ++hourQsos;
                    hourPoints += points;
                }
                if (age < 10) {
                    ++tenQsos;
                    tenPoints += points;
                }
            }
            bool seen = false;
            for (size_t m = 0; m < entities.size(); ++m)
                if (entities[m] == e.country) seen = true;
            if (!seen) {
                entities.push_back(e.country);
                if (slot >= 0) slotMults[slot].push_back(e.country);
                ++distinctEntities;
            }
            struct Family {
                int area;
                const char* prefix;
                std::vector<std::string>* seenList;
                std::vector<std::string>* slotList;
                int* count;
            };
            Family families[4] = {
                {e.areaJA, "JA", &areasJA, slot >= 0 ? &slotAreasJA[slot] : nullptr, &distinctJA},
                {e.areaK, "K", &areasK, slot >= 0 ? &slotAreasK[slot] : nullptr, &distinctK},
                {e.areaVE, "VE", &areasVE, slot >= 0 ? &slotAreasVE[slot] : nullptr, &distinctVE},
                {e.areaVK, "VK", &areasVK, slot >= 0 ? &slotAreasVK[slot] : nullptr, &distinctVK},
            };
            for (int f = 0; f < 4; ++f) {
                if (families[f].area == -1) continue;
                const std::string areaText = Printf("%i", families[f].area);
                bool areaSeen = false;
                for (size_t m = 0; m < families[f].seenList->size(); ++m)
                    if ((*families[f].seenList)[m] == areaText) areaSeen = true;
                if (!areaSeen) {
                    families[f].seenList->push_back(areaText);
                    if (slot >= 0) {
                        slotMults[slot].push_back(families[f].prefix + areaText);
                        families[f].slotList->push_back(families[f].prefix + areaText);
                    }
                    ++*families[f].count;
                }
                break;  // first match only
            }
        }
        const int points = 5 * own + 10 * continent + 15 * other;
        if (html)
            out += Printf("<tr><th> <center>%s</center></th><td><center>%i</center></td><td><center>%i</center></"
                          "td><td><center>%i</center></td><td><center>%i</center></td><td><center>%i</center></"
                          "td><td><center>%i</center></td><td><center>%i</center></td></tr>",
                          band.c_str(), qsos, points, distinctEntities, distinctK, distinctJA, distinctVE, distinctVK);
        else
            out += Printf("%s\t %i\t %i\t %i\t %i\t %i\t %i\t %i\r\n", band.c_str(), qsos, points, distinctEntities,
                          distinctK, distinctJA, distinctVE, distinctVK);
        totalQsos += qsos;
        totalPoints += points;
        totalDupes += dupes;
        totalEntities += distinctEntities;
        totalJA += distinctJA;
        totalK += distinctK;
        totalVE += distinctVE;
        totalVK += distinctVK;
    }

    // 6. Score, in 64 bits.
    const long long score = static_cast<long long>(totalPoints) *
                            (static_cast<long long>(totalEntities) + totalK + totalJA + totalVE + totalVK);

    // 7. Tail.
    if (html) {
        out += Printf("<tr><th> <center>%s</center></th><td><center>%i</center></td><td><center>%i</center></"
                      "td><td><center>%i</center></td><td><center>%i</center></td><td><center>%i</center></"
                      "td><td><center>%i</center></td><td><center>%i</center></td></tr>",
                      "Total", totalQsos, totalPoints, totalEntities, totalK, totalJA, totalVE, totalVK);
        out += Printf("<tr><th> <center>%s</center></th><td><center>%i</center></td><td colspan=8> </td></tr>",
                      "Dupe", totalDupes);
        out += Printf("<tr><th> <center>%s</center></th><td><center>%i</center></td><td colspan=8> </td></tr>",
                      "Bad QSO", badQsoCount);
        out += Printf("<tr><th>%s</th><td colspan=9><center>%i * (%i + %i + %i + %i + %i ) = %lld</center></td></tr>",
                      "Score:", totalPoints, totalEntities, totalK, totalJA, totalVE, totalVK, score);
        out += Printf("<tr><th>%s</small></th><td colspan=9><center>%5i</center></td></tr>", "Last QSO points:",
                      lastPoints);
        out += Printf("<th colspan=10><center>%s</center></th></tr>", "Rate");
        out += Printf("<tr><th> %s </th><td colspan=9><center>%5i /%i</center></td></tr>",
                      "Hourly (10min/1 hour) QSO rate:", hourQsos, 6 * tenQsos);
        out += Printf("<tr><th> %s </th><td colspan=9><center>%5i /%i</center></td></tr>",
                      "Hourly (10min/1 hour) pts rate:", hourPoints, 6 * tenPoints);
        out += "</table><h6 align=right>";
        out += kCredit;
        out += "</h6></body></html>";
    } else {
        out += Printf("Total\t %i\t %i\t %i\t %i\t %i\t %i\t %i\r\nDupe\t %i\r\nBad QSO\t %i\r\n\r\nScore: "
                      "%i*(%i+%i+%i+%i+%i) = %lld\r\n",
                      totalQsos, totalPoints, totalEntities, totalK, totalJA, totalVE, totalVK, totalDupes,
                      badQsoCount, totalPoints, totalEntities, totalK, totalJA, totalVE, totalVK, score);
        if (!outputMode && n >= 1) {
            out += Printf("\r\nHourly (10min) QSO rate: %5i (%i) QSOs/hour\r\nHourly (10min) pts rate: %5i (%i) "
                          "points/hour\r\n\r\nLast QSO: %i points\r\n\r\n",
                          hourQsos, 6 * tenQsos, hourPoints, 6 * tenPoints, lastPoints);
            out += kCredit;
        }
    }

    // 8 (the settings file is the engine's business), 10.
    claimedScore = score;
    if (result) *result = -1;
    return out;
}

}  // namespace literal
