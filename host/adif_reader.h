// Reading ADIF (.adi) logs.
#pragma once

#include <vector>

#include "host/log_model.h"
#include "platform/text.h"

// Reads an ADIF log: an optional header up to <EOH>, then records of fields
// <NAME:length[:type]>value ending with <EOR>. Field names are not case
// sensitive; lengths count bytes. Each record gives a QSO appended to
// log.qsos from CALL, FREQ (MHz) or BAND, MODE (SUBMODE is not needed: RTTY
// is MODE RTTY), QSO_DATE (YYYYMMDD), TIME_ON (HHMM or HHMMSS), RST_SENT,
// RST_RCVD, STX or STX_STRING, SRX or SRX_STRING; the first STATION_CALLSIGN
// (else OPERATOR) gives log.ownCall. Calls are upper-cased but not resolved.
//
// A record that cannot be read (a bad tag or length, no CALL, no or a bad
// QSO_DATE or TIME_ON, no <EOR> before the end) is reported in `problems`
// with the line it starts on and skipped. A FREQ that cannot be read or does
// not agree with BAND is reported too, but the QSO is kept.
//
// False, with a problem saying so, when the text holds no ADIF field at all.
bool ReadAdifLog(const Text& content, HostLog& log, std::vector<LogProblem>& problems);
