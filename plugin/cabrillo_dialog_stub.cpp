#include "plugin/module.h"

// The header editor is not built yet: an output run is cancelled.
bool RunCabrilloHeaderDialog(CabrilloHeader&) { return false; }
