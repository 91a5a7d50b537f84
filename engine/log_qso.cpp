// Logging a QSO.
#include <string_view>
#include <utility>

#include "engine/bad_qso_file.h"
#include "engine/call_area.h"
#include "engine/contest_state.h"
#include "engine/engine.h"

int AddQso(const QsoArgs& a) {
    StateLock lock;
    const std::string_view band = ViewFromHost(a.band), mode = ViewFromHost(a.mode);
    const std::string_view nrSent = ViewFromHost(a.nrSent), nrRcvd = ViewFromHost(a.nrRcvd);

    CInfo record;
    record.m_time = DateTime::FromHost(a.qsoTime);
    record.m_freqKHz = static_cast<int>(a.frequencyHz / 1000u);

    // The bad-QSO line is built only when one is written.
    auto writeLine = [&](const char* reason) {
        if (g_badQsoFileName.empty()) return;
        BadQsoFile::LineFields line;
        line.freqKHz = record.m_freqKHz;
        line.mode = FromHost(a.mode);
        line.time = record.m_time.Format("%Y-%m-%d %H%M");
        line.ownCall = FromHost(a.ownCall);
        line.rstSent = FromHost(a.rstSent);
        line.nrSent = FromHost(a.nrSent);
        line.call = FromHost(a.call);
        line.rstRcvd = FromHost(a.rstRcvd);
        line.nrRcvd = FromHost(a.nrRcvd);
        BadQsoFile::Append(g_badQsoFileName, BadQsoFile::MakeLine(line, reason));
    };

    const char* refusal = nullptr;
    if (!g_bandRules.Contains(a.band)) refusal = BadQsoFile::kWrongBand;
    else if (!g_modeRules.Contains(a.mode)) refusal = BadQsoFile::kWrongMode;
    else if (nrRcvd.empty() || nrSent.empty()) refusal = BadQsoFile::kNoRxNumber;
    if (refusal) {
        writeLine(refusal);
        return 0;
    }

    if (!ListContains(g_bandsUsed, band)) g_bandsUsed.emplace_back(band);

    record.m_call = a.call;
    record.m_band = band;
    record.m_mode = mode;
    record.m_continent = a.continent;
    record.m_rstRcvd = a.rstRcvd;
    record.m_rstSent = a.rstSent;
    record.m_nrRcvd = nrRcvd;
    record.m_nrSent = nrSent;
    record.m_country = a.country;
    SetCallArea(record, record.m_country, ViewFromHost(a.areaText));

    if (g_log.HasCallBandMode(record.m_call, band, mode)) {
        record.m_dupe = 1;
        record.m_notCounted = 1;
        writeLine(BadQsoFile::kDupe);
    }
    g_log.Append(std::move(record));
    return 1;
}

int IsValidExchange(const char* exchange) {
    const Text text = FromHost(exchange);
    if (text == "599") return 0;
    if (text.empty() || text.size() > 4) return 0;
    for (char c : text)
        if (c < '0' || c > '9') return 0;
    return 1;
}
