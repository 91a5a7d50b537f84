// A deliberately plain model of the contest engine, for the differential test
// and the benchmarks. It follows the documented algorithms step by step:
// the log is a plain vector walked from index 0 for every question, the
// summary makes one pass over the log per band with small linear lists of
// what it has seen, the bands are put in order by the exchange sort, and the
// bad-QSO file is opened for appending at the start of every logged QSO.
//
// It makes the same deliberate choices as the engine:
// - a band text that passes the case-insensitive band test but is none of
//   the six exact slot labels ("20M") gets its own summary row and no slot:
//   it never touches the per-slot tables;
// - the score is computed in 64 bits;
// - CR and LF inside the texts of a bad-QSO line become blanks;
// - files are read and written byte for byte, lines ending in CR LF.
//
// It shares only the date-time value (platform/date_time.h) with the engine.
// It keeps no lock and knows no windows: the window-related state
// (setup window open, refresh pending, posts counted) is plain fields.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/date_time.h"

namespace literal {

struct Record {
    std::string call, country, continent, band, mode, rstRcvd, rstSent, nrRcvd, nrSent;
    int freqKHz = 0;
    int notCounted = 0;
    int bad = 0;
    int dupe = 0;
    int areaJA = -1, areaK = -1, areaVE = -1, areaVK = -1;
    DateTime time;
};

using SlotLists = std::array<std::vector<std::string>, 6>;

class Model {
public:
    // `fileFolder` is put in front of the bad-QSO file's name ("" = the
    // current directory, else a folder ending in "/"). The host's settings
    // file "Vokt2.ini" is always read from the current directory.
    explicit Model(std::string fileFolder = std::string());

    int AddData(const char* ownCall, const char* call, const HostDateTime* qsoTime, unsigned frequencyHz,
                const char* mode, const char* rstSent, const char* rstRcvd, const char* nrSent,
                const char* nrRcvd, const char* areaText, const char* country, const char* continent,
                const char* band);
    int RemoveData(const char* call, const HostDateTime* qsoTime, const char* mode, const char* band);
    int CheckCall(const char* call, const char* mode, const char* areaText, const char* country,
                  const char* continent, const char* band, const char* compareBand);
    int ResetStats(const char* hostFolder, int cabrilloExport, const char* ownCall,
                   const HostDateTime* contestStart, const HostDateTime* contestEnd, const char* ownCountry,
                   const char* ownContinent);
    const std::string& GetResult(int* result);

    // The bad-QSO file of the running log, with the folder in front.
    std::string BadQsoPath() const { return fileFolder + badQsoFileName; }

    // ---- State, public so that tests and benchmarks can look and set ----
    std::string fileFolder;
    std::vector<Record> log;
    std::vector<std::string> bandsUsed;
    SlotLists workedWithRows, slotMults, slotAreasJA, slotAreasK, slotAreasVE, slotAreasVK;
    std::string ownCall, ownCountry, ownContinent, hostFolder, startDate, endDate, contestYear;
    std::string hostVersion, badQsoFileName, resultText;
    int html = 0;
    int outputMode = 0;
    int russianUi = 0;
    int64_t claimedScore = 0;
    int badQsoCount = 0;

    // Windows as the engine sees them.
    bool setupWindowOpen = false;
    bool callAreaWindowOpen = false;
    int refreshPending = 1;
    int postsSent = 0;          // refresh messages posted to the setup window
    int callAreaResets = 0;     // resets of the call-area window's marks
};

// The closing credit line of the summary (ours to word, as in the engine).
extern const char* const kCredit;

}  // namespace literal
