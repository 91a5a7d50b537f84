// 8-bit texts and lists of texts.
//
// Every text this library handles is a byte string in the host's ANSI code
// page. `Text` is a plain std::string: bytes are kept as they are (bytes above
// 127 included) and never interpreted as UTF-8. Case-insensitive comparisons
// fold ASCII letters only; any other byte compares exactly.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>
#include <vector>

using Text = std::string;
using TextList = std::vector<Text>;

// A text argument from the host: a null pointer is the empty text.
inline Text FromHost(const char* s) { return s ? Text(s) : Text(); }
// The same, as a view of the host's bytes.
inline std::string_view ViewFromHost(const char* s) noexcept { return s ? std::string_view(s) : std::string_view(); }

// printf-style formatting into a Text (no length limit).
Text Format(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
Text FormatV(const char* format, va_list args);

// ASCII case-insensitive equality and ordering.
bool EqualsNoCase(const Text& a, const Text& b);

// True when `needle` occurs in `haystack` (exact bytes). An empty needle
// occurs everywhere.
inline bool Contains(const Text& haystack, const Text& needle) {
    return haystack.find(needle) != Text::npos;
}

// Replaces every occurrence of `from` by `to`, from left to right over
// non-overlapping occurrences; the inserted text is not searched again.
// An empty `from` changes nothing.
Text ReplaceAll(const Text& text, const Text& from, const Text& to);

// Removes leading and trailing white space (blank, tab, CR, LF, VT, FF).
Text Trim(const Text& text);

// The leading decimal number of a text: optional white space, an optional
// sign, then decimal digits; a text that does not begin with a number gives 0.
// Values beyond the 32-bit range are clamped to it.
int LeadingDecimal(const Text& text);

// True when `list` holds an entry equal to `value` (exact comparison).
bool ListContains(const TextList& list, std::string_view value);
