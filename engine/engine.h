// The contest engine's operations, one per export of the plug-in, with only
// the arguments each one reads. Every text may be a null pointer (it counts as
// the empty text) and every time pointer may be null (a null date-time).
// Each operation takes the state lock itself and never throws.
#pragma once

#include "platform/date_time.h"

struct QsoArgs {
    const char* ownCall = nullptr;
    const char* call = nullptr;
    const HostDateTime* qsoTime = nullptr;
    unsigned frequencyHz = 0;
    const char* mode = nullptr;
    const char* rstSent = nullptr;
    const char* rstRcvd = nullptr;
    const char* nrSent = nullptr;
    const char* nrRcvd = nullptr;
    const char* areaText = nullptr;
    const char* country = nullptr;
    const char* continent = nullptr;
    const char* band = nullptr;
};

struct CheckArgs {
    const char* call = nullptr;
    const char* mode = nullptr;
    const char* areaText = nullptr;
    const char* country = nullptr;
    const char* continent = nullptr;
    const char* band = nullptr;
    const char* compareBand = nullptr;
};

struct ResetArgs {
    const char* hostFolder = nullptr;
    int cabrilloExport = 0;
    const char* ownCall = nullptr;
    const HostDateTime* contestStart = nullptr;
    const HostDateTime* contestEnd = nullptr;
    const char* ownCountry = nullptr;
    const char* ownContinent = nullptr;
};

// Logging a QSO: 1 when stored (dupes included), 0 when refused.
int AddQso(const QsoArgs& args);
// Removing a QSO: always 1.
int RemoveQso(const char* call, const HostDateTime* qsoTime, const char* mode, const char* band);
// Call check: 0 dupe, 1 nothing new, 2 new entity, 3 new call area, 4 cannot be judged.
int CheckCall(const CheckArgs& args);
// Starting a log: always 1.
int ResetStats(const ResetArgs& args);
// The summary text; -1 is stored through `result` when it is not null.
const char* GetResult(int* result);

// 1 for a valid exchange: one to four ASCII digits, but not "599".
int IsValidExchange(const char* exchange);
