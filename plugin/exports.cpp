#include "plugin/exports.h"

#include "engine/engine.h"
#include "plugin/app.h"

namespace {
const char* const kSetName = "SARTG-WW-RTTY (C)";
const char* const kEmpty = "";
const char* const kNoResult = "";

// Runs `body`; an exception (out of memory, above all) must not reach the
// host, which gets `fallback` instead.
template <typename R, typename F>
R Guarded(R fallback, F body) {
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}
}  // namespace

extern "C" {

unsigned long STATS_CDECL setVersion(const char*) {
    SetHtmlOutput();
    return 0;
}

int STATS_CDECL GetNumberOfSets() { return 1; }

const char* STATS_CDECL GetSetName(int index) { return index == 0 ? kSetName : kEmpty; }

void STATS_CDECL SetupSet0() {
    Guarded(0, [] {
        ShowSetupMessage();
        return 0;
    });
}

int STATS_CDECL IsValidExchg0(const char* exchange, const char*, const char*, const char*, int, int, int) {
    return IsValidExchange(exchange);
}

int STATS_CDECL ResetStats0(const char* hostFolder, int cabrilloExport, const char* ownCall,
                            HostTime* contestStart, HostTime* contestEnd, const char*, const char*,
                            const char*, const char*, const char*, const char*, const char*, const char*,
                            const char*, const char* ownCountry, int, int, int, double, double, const char*,
                            const char* ownContinent, const char*) {
    return Guarded(1, [&] {
        ResetArgs a;
        a.hostFolder = hostFolder;
        a.cabrilloExport = cabrilloExport;
        a.ownCall = ownCall;
        a.contestStart = contestStart;
        a.contestEnd = contestEnd;
        a.ownCountry = ownCountry;
        a.ownContinent = ownContinent;
        return ResetStats(a);
    });
}

int STATS_CDECL AddData0(const char* ownCall, const char* call, HostTime* qsoTime, HostTime*, HostTime*,
                         HostTime*, unsigned, unsigned frequencyHz, const char* mode, const char* rstSent,
                         const char* rstRcvd, const char* nrSent, const char* nrRcvd, const char*,
                         const char*, const char*, const char*, const char*, const char*, const char*,
                         const char*, const char* areaText, const char* country, int, int, int, double,
                         double, const char*, const char* continent, const char*, const char* band,
                         const char*) {
    return Guarded(0, [&] {
        QsoArgs a;
        a.ownCall = ownCall;
        a.call = call;
        a.qsoTime = qsoTime;
        a.frequencyHz = frequencyHz;
        a.mode = mode;
        a.rstSent = rstSent;
        a.rstRcvd = rstRcvd;
        a.nrSent = nrSent;
        a.nrRcvd = nrRcvd;
        a.areaText = areaText;
        a.country = country;
        a.continent = continent;
        a.band = band;
        return AddQso(a);
    });
}

int STATS_CDECL RemoveData0(const char*, const char* call, HostTime* qsoTime, HostTime*, HostTime*, HostTime*,
                            unsigned, unsigned, const char* mode, const char*, const char*, const char*,
                            const char*, const char*, const char*, const char*, const char*, const char*,
                            const char*, const char*, const char*, const char*, const char*, int, int, int,
                            double, double, const char*, const char*, const char*, const char* band,
                            const char*) {
    return Guarded(1, [&] { return RemoveQso(call, qsoTime, mode, band); });
}

int STATS_CDECL CheckCall0(const char* call, unsigned, unsigned, const char* mode, const char*, const char*,
                           const char*, const char*, const char*, const char*, const char*, const char*,
                           const char* areaText, const char* country, int, int, int, double, double,
                           const char*, const char* continent, const char*, const char*, const char*,
                           const char* band, const char* compareBand, char*, char*) {
    return Guarded(1, [&] {
        CheckArgs a;
        a.call = call;
        a.mode = mode;
        a.areaText = areaText;
        a.country = country;
        a.continent = continent;
        a.band = band;
        a.compareBand = compareBand;
        return CheckCall(a);
    });
}

const char* STATS_CDECL GetResult0(int* result) {
    return Guarded(kNoResult, [&] { return GetResult(result); });
}

}  // extern "C"
