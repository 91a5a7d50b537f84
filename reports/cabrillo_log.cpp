#include "reports/cabrillo_log.h"

// Not written yet: an output run edits nothing and writes nothing.
int CCabrilloLog::EditHeader(const Text&) { return 0; }
void CCabrilloLog::AddQsoLine(const Text&, int, const Text&, const DateTime&, const Text&, const Text&) {}
Text CCabrilloLog::WriteLog() { return Text(); }
void CCabrilloLog::WriteOutputFromLog() {}
