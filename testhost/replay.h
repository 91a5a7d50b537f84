// The host's part in a replay: start the log, hand over every QSO, ask for
// the summary -- through the plug-in's exports, as Vokt does.
#pragma once

#include <ostream>

#include "host/log_model.h"
#include "testhost/plugin_api.h"

struct ReplayOptions {
    bool html = false;        // call setVersion first: the summary comes as HTML
    bool cabrilloExport = false;
    bool eachResult = false;  // print the result of every QSO, not only refusals and dupes
    bool progress = false;    // show progress on stderr
    Text hostFolder;          // passed to ResetStats0 (the folder of Vokt2.ini, with a trailing separator)
};

struct ReplayCounts {
    int stored = 0;
    int refused = 0;
};

// Replays the log and writes the results and then the summary to `out`.
ReplayCounts Replay(const PluginApi& api, const HostLog& log, const ReplayOptions& options, std::ostream& out);

// The contest period when the log gives none: from 00:00 of the first QSO's
// day to 00:00 of the last QSO's day.
void FillContestPeriod(HostLog& log);
