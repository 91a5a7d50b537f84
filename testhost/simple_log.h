// The replay log format of the test host: one line per item, fields separated
// by blanks, "-" for an empty field, "#" starts a comment line.
//
//   STATION <ownCall> <ownCountry> <ownContinent>
//   PERIOD  <yyyy-mm-dd> <hhmm> <yyyy-mm-dd> <hhmm>        contest start and end
//   QSO     <yyyy-mm-dd> <hhmm> <frequencyHz> <band> <mode> <call>
//           <rstSent> <nrSent> <rstRcvd> <nrRcvd> <country> <continent> <areaText>
//
// (a QSO is one line; it is broken here only for reading). Example:
//   QSO 2017-08-19 1234 14085999 20m RTTY DL1ABC 599 001 599 017 DL EU -
#pragma once

#include <vector>

#include "host/log_model.h"

// Reads a replay log. Lines that cannot be read are reported and skipped;
// false only when no STATION line was found.
bool ReadSimpleLog(const Text& content, HostLog& log, std::vector<LogProblem>& problems);
