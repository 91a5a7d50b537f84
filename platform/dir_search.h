// Directory search by pattern.
#pragma once

#include "platform/text.h"

// The names (without folder) of the files that match `pattern`, a folder path
// followed by a name pattern with "*" and "?" (for example "C:\Vokt\*.ini" or
// "*.ini"), in the order the system delivers them. "\" and "/" both separate
// folders. Letter case is ignored when matching names.
TextList FindFiles(const Text& pattern);
