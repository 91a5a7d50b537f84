#include "testhost/replay.h"

#include <cmath>
#include <iostream>

ReplayCounts Replay(const PluginApi& api, const HostLog& log, const ReplayOptions& options, std::ostream& out) {
    PluginCalls calls(api);
    ReplayCounts counts;
    if (options.html) api.setVersion("Vokt");
    calls.Reset(options.hostFolder, options.cabrilloExport ? 1 : 0, log.ownCall, log.contestStart, log.contestEnd,
                log.ownCountry, log.ownContinent);
    const size_t total = log.qsos.size();
    for (size_t i = 0; i < total; ++i) {
        const HostQso& q = log.qsos[i];
        const int stored = calls.Add(log.ownCall, q);
        if (stored) ++counts.stored;
        else ++counts.refused;
        if (options.eachResult || !stored)
            out << "line " << q.sourceLine << ": " << q.call << " " << q.band << " " << q.mode << " "
                << (stored ? "stored" : "refused") << "\n";
        if (options.progress && (i + 1) % 500 == 0) std::cerr << "\r" << (i + 1) << " / " << total << " QSOs" << std::flush;
    }
    if (options.progress && total >= 500) std::cerr << "\r" << total << " / " << total << " QSOs\n";
    out << counts.stored << " QSOs stored, " << counts.refused << " refused\n\n";
    out << calls.Result();
    out << "\n";
    return counts;
}

void FillContestPeriod(HostLog& log) {
    bool any = false;
    double first = 0, last = 0;
    for (const HostQso& q : log.qsos) {
        if (!q.time.IsValid()) continue;
        if (!any || q.time.Days() < first) first = q.time.Days();
        if (!any || q.time.Days() > last) last = q.time.Days();
        any = true;
    }
    if (!any) return;
    if (log.contestStart.GetStatus() != DateTime::Status::Valid)
        log.contestStart = DateTime(std::floor(first), DateTime::Status::Valid);
    if (log.contestEnd.GetStatus() != DateTime::Status::Valid)
        log.contestEnd = DateTime(std::floor(last), DateTime::Status::Valid);
}
