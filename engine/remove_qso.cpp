// Removing a QSO.
#include "engine/bad_qso_file.h"
#include "engine/contest_state.h"
#include "engine/engine.h"
#include "engine/host_hooks.h"

int RemoveQso(const char* call, const HostDateTime* qsoTime, const char* mode, const char* band) {
    StateLock lock;
    const DateTime time = DateTime::FromHost(qsoTime);
    const long index = g_log.FindFirst(FromHost(call), FromHost(band), FromHost(mode), time);
    if (index >= 0) {
        if (g_callAreaWindow.load()) Hooks().ResetCallAreaMarks();
        g_log.RemoveAt(static_cast<size_t>(index));
    }
    if (g_log.empty()) {
        g_bandsUsed.clear();
        ClearMultiplierTables();
    }
    BadQsoFile::RewriteWithout(g_badQsoFileName, call, time);
    g_refreshPending = 1;
    if (g_setupWindow.load()) Hooks().PostStatsUpdate();
    return 1;
}
