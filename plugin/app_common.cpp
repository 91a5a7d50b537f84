#include "engine/contest_state.h"
#include "plugin/app.h"

const char* const kSetupMessage = "No additional setup for this plugin";

void SetHtmlOutput() {
    StateLock lock;
    g_htmlOutput = 1;
}
