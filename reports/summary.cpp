// The statistics summary: one pass over the log gives every band's row, the
// score, the rates and the per-slot multiplier tables.
#include <bitset>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "engine/bad_qso_file.h"
#include "engine/contest_state.h"
#include "engine/engine.h"
#include "platform/profile.h"
#include "reports/cabrillo_log.h"
#include "reports/summary.h"

namespace {

const char* const kCredit = "Scored by Stats.dll, SARTG-WW-RTTY";

const char* const kHtmlHead =
    "<html><head><style>table{ width:100%; }table, th, td{ border: 1px solid black; border-collapse: "
    "collapse; }th, td{ padding: 1px; text-align: middle; }th,td{ background-color: #fffac6; color: "
    "black}</style></head><body>";
const char* const kHtmlTitle = "<center><b>%s</b></center><center>Contestant:  <b>%s</center></b><table>";
const char* const kHtmlHeader =
    "<tr><th> %s</th><th> %s</th><th> %s</th><th> %s</th><th> %s</th><th> %s</th><th> %s</th><th> "
    "%s</th></tr>";
const char* const kHtmlRow =
    "<tr><th> <center>%s</center></th><td><center>%i</center></td><td><center>%i</center></td><td><center>%i</"
    "center></td><td><center>%i</center></td><td><center>%i</center></td><td><center>%i</center></"
    "td><td><center>%i</center></td></tr>";
const char* const kHtmlCount = "<tr><th> <center>%s</center></th><td><center>%i</center></td><td colspan=8> </td></tr>";
const char* const kHtmlScore =
    "<tr><th>%s</th><td colspan=9><center>%i * (%i + %i + %i + %i + %i ) = %lld</center></td></tr>";
const char* const kHtmlLast = "<tr><th>%s</small></th><td colspan=9><center>%5i</center></td></tr>";
const char* const kHtmlRateHead = "<th colspan=10><center>%s</center></th></tr>";
const char* const kHtmlRate = "<tr><th> %s </th><td colspan=9><center>%5i /%i</center></td></tr>";
const char* const kHtmlFoot = "</table><h6 align=right>";
const char* const kHtmlEnd = "</h6></body></html>";

constexpr double kHalfSecond = 5.787037037037037e-6;  // days

// Fill a band name on the left with "0" up to 20 characters.
Text SortKey(const Text& band) {
    return band.size() >= 20 ? band : Text(20 - band.size(), '0') + band;
}

struct BandTally {
    int qsos = 0, own = 0, continent = 0, other = 0, dupes = 0;
    int entities = 0;
    int areas[4] = {0, 0, 0, 0};  // JA, K, VE, VK
    std::unordered_set<Text> seenEntities;
    std::bitset<10> seenAreas[4];
    int slot = -1;
    int Points() const { return 5 * own + 10 * continent + 15 * other; }
};

// The area families in the order the pass tries them, with their prefixes.
struct AreaFamily {
    const char* prefix;
    SlotTable* table;
};

}  // namespace

void SortBandsUsed(TextList& bands) {
    for (size_t i = 0; i + 1 < bands.size(); ++i)
        for (size_t j = i + 1; j < bands.size(); ++j)
            if (SortKey(bands[i]) < SortKey(bands[j])) std::swap(bands[i], bands[j]);
}

int SummarySlotOf(const Text& band) { return BandSlotOf(band); }

const char* GetResult(int* result) {
    bool exportRun = false;
    {
        StateLock lock;
        const bool html = g_htmlOutput != 0;
        const bool outputMode = g_cabrilloExport != 0;
        const size_t n = g_log.size();
        const bool rates = !outputMode && n >= 1;
        const double reference = n ? g_log[n - 1].m_time.Days() : 0.0;
        Text& out = g_resultText;
        out.clear();

        const Text title = Format("    SARTG-WW-RTTY Contest %s-%s", g_startDate.c_str(), g_endDate.c_str());
        if (html) {
            out += kHtmlHead;
            out += Format(kHtmlTitle, title.c_str(), g_ownCall.c_str());
            out += Format(kHtmlHeader, "Band", "QSOs", "Points", "DXCC", "K", "JA", "VE", "VK");
        } else {
            out += Format("\t   SARTG-WW-RTTY Contest %s-%s \r\n\t       Contestant: %s\r\nBand\tQSOs\tPoints\tDXCC\t K "
                          "\tJA\tVE\tVK\r\n",
                          g_startDate.c_str(), g_endDate.c_str(), g_ownCall.c_str());
        }

        if (g_bandsUsed.size() >= 2) SortBandsUsed(g_bandsUsed);
        g_badQsoCount = BadQsoFile::CountBad(g_badQsoFileName);

        // Bands in their order, each with its tally and its (emptied) slot.
        std::vector<BandTally> tallies(g_bandsUsed.size());
        std::unordered_map<Text, size_t> bandIndex;
        for (size_t b = 0; b < g_bandsUsed.size(); ++b) {
            bandIndex.emplace(g_bandsUsed[b], b);
            tallies[b].slot = SummarySlotOf(g_bandsUsed[b]);
            if (tallies[b].slot >= 0)
                for (SlotTable* t : {&g_slotMults, &g_slotAreasJA, &g_slotAreasK, &g_slotAreasVE, &g_slotAreasVK})
                    (*t)[static_cast<size_t>(tallies[b].slot)].clear();
        }
        const AreaFamily families[4] = {
            {"JA", &g_slotAreasJA}, {"K", &g_slotAreasK}, {"VE", &g_slotAreasVE}, {"VK", &g_slotAreasVK}};

        const Text lastBand = n ? g_log[n - 1].m_band.str() : Text();
        int lastPoints = 0;
        int hourQsos = 0, hourPoints = 0, tenQsos = 0, tenPoints = 0;

        for (const CInfo& e : g_log) {
            if (e.m_call.empty()) continue;
            auto found = bandIndex.find(e.m_band);
            if (found == bandIndex.end()) continue;
            BandTally& t = tallies[found->second];
            t.dupes += e.m_dupe;
            if (e.m_notCounted != 0) continue;
            ++t.qsos;
            int points;
            if (e.m_country == g_ownCountry) {
                ++t.own;
                points = 5;
            } else if (e.m_continent == g_ownContinent) {
                ++t.continent;
                points = 10;
            } else {
                ++t.other;
                points = 15;
            }
            if (e.m_band == lastBand) lastPoints = points;
            if (rates) {
                const double diff = reference - e.m_time.Days();
                const double age = std::trunc((diff + std::copysign(kHalfSecond, diff)) * 1440.0);
                if (age < 60) {
                    ++hourQsos;
                    hourPoints += points;
                }
                if (age < 10) {
                    ++tenQsos;
                    tenPoints += points;
                }
            }
            TextList* mults = t.slot >= 0 ? &g_slotMults[static_cast<size_t>(t.slot)] : nullptr;
            if (t.seenEntities.insert(e.m_country).second) {
                ++t.entities;
                if (mults) mults->push_back(e.m_country);
            }
            // Call area: the first field that is set (SetCallArea keeps it to 0..9).
            const int fields[4] = {e.m_areaJA, e.m_areaK, e.m_areaVE, e.m_areaVK};
            for (int f = 0; f < 4; ++f) {
                if (fields[f] < 0 || fields[f] > 9) continue;
                if (!t.seenAreas[f].test(static_cast<size_t>(fields[f]))) {
                    t.seenAreas[f].set(static_cast<size_t>(fields[f]));
                    ++t.areas[f];
                    if (mults) {
                        const Text label = families[f].prefix + Format("%i", fields[f]);
                        mults->push_back(label);
                        (*families[f].table)[static_cast<size_t>(t.slot)].push_back(label);
                    }
                }
                break;
            }
        }

        int totalQsos = 0, totalPoints = 0, totalDupes = 0, totalEntities = 0;
        int totalAreas[4] = {0, 0, 0, 0};
        for (size_t b = 0; b < tallies.size(); ++b) {
            const BandTally& t = tallies[b];
            const int points = t.Points();
            // Columns: entities, K, JA, VE, VK.
            if (html)
                out += Format(kHtmlRow, g_bandsUsed[b].c_str(), t.qsos, points, t.entities, t.areas[1], t.areas[0],
                              t.areas[2], t.areas[3]);
            else
                out += Format("%s\t %i\t %i\t %i\t %i\t %i\t %i\t %i\r\n", g_bandsUsed[b].c_str(), t.qsos, points,
                              t.entities, t.areas[1], t.areas[0], t.areas[2], t.areas[3]);
            totalQsos += t.qsos;
            totalPoints += points;
            totalDupes += t.dupes;
            totalEntities += t.entities;
            for (int f = 0; f < 4; ++f) totalAreas[f] += t.areas[f];
        }
        const int tK = totalAreas[1], tJA = totalAreas[0], tVE = totalAreas[2], tVK = totalAreas[3];
        const long long score =
            static_cast<long long>(totalPoints) * (static_cast<long long>(totalEntities) + tK + tJA + tVE + tVK);

        if (html) {
            out += Format(kHtmlRow, "Total", totalQsos, totalPoints, totalEntities, tK, tJA, tVE, tVK);
            out += Format(kHtmlCount, "Dupe", totalDupes);
            out += Format(kHtmlCount, "Bad QSO", g_badQsoCount);
            out += Format(kHtmlScore, "Score:", totalPoints, totalEntities, tK, tJA, tVE, tVK, score);
            out += Format(kHtmlLast, "Last QSO points:", lastPoints);
            out += Format(kHtmlRateHead, "Rate");
            out += Format(kHtmlRate, "Hourly (10min/1 hour) QSO rate:", hourQsos, 6 * tenQsos);
            out += Format(kHtmlRate, "Hourly (10min/1 hour) pts rate:", hourPoints, 6 * tenPoints);
            out += kHtmlFoot;
            out += kCredit;
            out += kHtmlEnd;
        } else {
            out += Format("Total\t %i\t %i\t %i\t %i\t %i\t %i\t %i\r\nDupe\t %i\r\nBad QSO\t %i\r\n\r\nScore: "
                          "%i*(%i+%i+%i+%i+%i) = %lld\r\n",
                          totalQsos, totalPoints, totalEntities, tK, tJA, tVE, tVK, totalDupes, g_badQsoCount,
                          totalPoints, totalEntities, tK, tJA, tVE, tVK, score);
            if (rates) {
                out += Format("\r\nHourly (10min) QSO rate: %5i (%i) QSOs/hour\r\nHourly (10min) pts rate: %5i (%i) "
                              "points/hour\r\n\r\nLast QSO: %i points\r\n\r\n",
                              hourQsos, 6 * tenQsos, hourPoints, 6 * tenPoints, lastPoints);
                out += kCredit;
            }
        }

        g_claimedScore = score;
        WriteProfileText(g_iniPath, g_iniSection, "Claimed", Format("%lld", score));
        exportRun = outputMode;
    }
    // The Cabrillo output ends with a message box: no lock while it is up.
    if (exportRun) g_cabrilloLog.WriteOutputFromLog();
    if (result) *result = -1;
    return g_resultText.c_str();
}
