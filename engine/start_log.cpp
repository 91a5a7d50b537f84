// Starting a log.
#include "engine/bad_qso_file.h"
#include "engine/call_area.h"
#include "engine/contest_state.h"
#include "engine/engine.h"
#include "engine/host_hooks.h"
#include "platform/dir_search.h"
#include "platform/text_file.h"
#include "reports/cabrillo_log.h"

namespace {

// The host's version from its settings file: "Vokt" when no "*.ini" name in
// the host folder contains "Vokt2.ini"; unchanged when the file (opened by
// its bare name) cannot be read or has no "Vokt=" line.
void ReadHostVersion(const Text& hostFolder) {
    bool found = false;
    for (const Text& name : FindFiles(hostFolder + "*.ini"))
        if (Contains(name, "Vokt2.ini")) {
            found = true;
            break;
        }
    if (!found) {
        g_hostVersion = "Vokt";
        return;
    }
    TextList lines;
    if (!ReadTextLines("Vokt2.ini", lines)) return;
    for (const Text& line : lines)
        if (Contains(line, "Vokt=")) {
            g_hostVersion = line.substr(5);
            return;
        }
}

}  // namespace

int ResetStats(const ResetArgs& a) {
    const DateTime start = DateTime::FromHost(a.contestStart);
    const DateTime end = DateTime::FromHost(a.contestEnd);
    {
        StateLock lock;
        g_hostFolder = FromHost(a.hostFolder);
        g_startDate = start.Format("%d.%m");
        g_contestYear = start.Format("%Y");
        g_endDate = end.Format("%d.%m.%Y");
        ReadHostVersion(g_hostFolder);
        ClearLogAndTables();
        g_ownCountry = FromHost(a.ownCountry);
        g_ownContinent = FromHost(a.ownContinent);
        g_ownCall = FromHost(a.ownCall);
        if (UsesRussianUi(g_ownCountry)) g_russianUi = 1;
        for (int slot = 0; slot < kBandSlotCount; ++slot)
            g_workedWithRows[slot] = {g_bandRules[static_cast<size_t>(slot)], "-", "-", "-", "-"};
        g_cabrilloExport = a.cabrilloExport;
    }
    // The header editor of an export run and the window start wait for the
    // operator and for the window thread: they run without the lock.
    if (g_cabrilloExport) g_cabrilloLog.EditHeader(FromHost(a.ownCall));
    Hooks().StartWindows();
    {
        StateLock lock;
        g_badQsoFileName = BadQsoFile::NameFor(end);
        BadQsoFile::Create(g_badQsoFileName);
    }
    return 1;
}
