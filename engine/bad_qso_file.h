// The bad-QSO file: every refused QSO and every dupe of the running log, one
// line each, after the header line. It lies in the current directory and is
// never held open between calls; a file that cannot be opened is skipped
// silently (the QSOs themselves are judged and stored all the same).
#pragma once

#include "platform/date_time.h"
#include "platform/text.h"

namespace BadQsoFile {

extern const char* const kHeader;           // "SARTG-WW-RTTY Contest UBN file"
extern const char* const kWrongBand;        // the four reasons, each with
extern const char* const kWrongMode;        // three leading blanks
extern const char* const kNoRxNumber;
extern const char* const kDupe;

// "BadQSO_StatsSARTGWWRTTY_<dd_mm_yyyy>.txt" for the contest end.
Text NameFor(const DateTime& contestEnd);

struct LineFields {
    int freqKHz = 0;
    Text mode, time, ownCall, rstSent, nrSent, call, rstRcvd, nrRcvd;
};
// One line (without line end). Line breaks inside the texts become blanks,
// so one QSO always stays one line.
Text MakeLine(const LineFields& fields, const char* reason);

// Truncates the file to its header line.
void Create(const Text& path);
// Appends one line (creating the file when missing).
void Append(const Text& path, const Text& line);
// Rewrites the file without the lines holding both `call` and the time key
// " HHMM " of `time`; the first line is always replaced by the header. With
// a null call every line stays.
void RewriteWithout(const Text& path, const char* call, const DateTime& time);
// The bad QSOs counted in the file: every line that holds neither "DUPE" nor
// "UBN" after its first character. 0 when the file cannot be read.
int CountBad(const Text& path);

}  // namespace BadQsoFile
