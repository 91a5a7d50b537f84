// Windows-only pieces of the plug-in shared between its files.
#pragma once

#include <windows.h>

struct CabrilloHeader;

// The library's own module handle (for its resources).
HINSTANCE ModuleInstance();

// Runs the modal Cabrillo header editor (dialog template 101) on the calling
// thread; true when the operator pressed OK (the header then holds the
// edited values).
bool RunCabrilloHeaderDialog(CabrilloHeader& header);
