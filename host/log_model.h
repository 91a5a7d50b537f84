// A contest log as the host program holds it before handing it to the plug-in:
// the station, the contest period and the QSOs with what the host derived for
// each worked station (DXCC entity key, continent, area text).
#pragma once

#include <vector>

#include "platform/date_time.h"
#include "platform/text.h"

struct HostQso {
    int sourceLine = 0;      // line of the log file the QSO came from (0 = none)
    Text call;               // worked station
    Text band;               // "20m", ... as the host names bands
    Text mode;               // "RTTY", ...
    unsigned frequencyHz = 0;
    DateTime time;           // date and time of the QSO
    Text rstSent, nrSent;    // sent report and serial number
    Text rstRcvd, nrRcvd;    // received report and serial number
    Text country;            // entity key of the worked station ("DL", "UA9", "FT/z")
    Text continent;          // continent code ("EU", "NA", ...)
    Text areaText;           // text the call-area digit is taken from
};

struct HostLog {
    Text ownCall;
    Text ownCountry;
    Text ownContinent;
    DateTime contestStart = DateTime::Null();
    DateTime contestEnd = DateTime::Null();
    std::vector<HostQso> qsos;
};

// A line of an input file that could not be read, with the reason.
struct LogProblem {
    int line = 0;
    Text message;
};
