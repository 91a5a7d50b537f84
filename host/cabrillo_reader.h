// Reading Cabrillo 2.0 and 3.0 contest logs.
#pragma once

#include <vector>

#include "host/log_model.h"
#include "platform/text.h"

// Reads a Cabrillo log: CALLSIGN: gives log.ownCall (else the sent call of the
// first QSO), each QSO: line of the form
//     QSO: freq mo date time sent-call rst nr rcvd-call rst nr [t]
// is appended to log.qsos. The frequency is in kHz, or the band in MHz ("14",
// "3.5") as some logs write it, which gives the band's nominal frequency. A
// line without the received serial is still a QSO (nrRcvd empty). Lines that
// cannot be read (too few or too many fields, a bad date, time or
// frequency, no tag) are reported in `problems` with their line number and
// skipped; X-QSO: lines and unknown tags are passed over. Calls are upper-cased
// but not resolved. Lines may end in CR LF, LF or CR.
//
// False, with a problem saying so, when the text is no Cabrillo log at all
// (neither a START-OF-LOG: nor a QSO: line).
bool ReadCabrilloLog(const Text& content, HostLog& log, std::vector<LogProblem>& problems);
