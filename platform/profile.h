// Settings files in the private-profile (INI) format.
//
// Reads follow the host platform's rules: section and key names compare
// without regard to ASCII case, the value is stripped of surrounding white
// space and of one pair of matching surrounding quotes, a missing file,
// section or key gives the default, and the value arrives in a buffer of a
// given size, so at most size - 1 characters of it. Writes replace the value
// of an existing key or add the key (and the section) at the end; they never
// create the file's folder. A relative path is taken from the current
// directory.
//
// The Windows build calls the system's profile functions; the portable build
// implements the same behaviour itself.
#pragma once

#include "platform/text.h"

// The buffer size that the settings readers of this library use.
constexpr size_t kProfileBufferSize = 100;

// Reads one value into a buffer of `bufferSize` bytes (at least 1).
Text ReadProfileText(const Text& path, const Text& section, const Text& key,
                     const Text& defaultValue = Text(), size_t bufferSize = kProfileBufferSize);

// Reads one value in full, however long it is.
Text ReadProfileTextFull(const Text& path, const Text& section, const Text& key,
                         const Text& defaultValue = Text());

// Writes one value; false when the file could not be written.
bool WriteProfileText(const Text& path, const Text& section, const Text& key, const Text& value);
