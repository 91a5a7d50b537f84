// Date-time values as the host keeps them.
//
// A point in time is a day count held as a double: whole days since
// 30 December 1899, the fraction being the time of day. Negative values count
// backwards by whole days while the fraction still runs forwards within the
// day (-1.25 is 29 December 1899, 06:00). Beside the count a value carries a
// status: valid, invalid or null.
//
// The host hands its values over by pointer to its own 16-byte object,
// `HostDateTime`: the double at offset 0, a 32-bit status at offset 8
// (0 valid, 1 invalid, 2 null), then padding. We only ever read through such
// a pointer; a null pointer reads as a null value, an unknown status as
// invalid.
#pragma once

#include <cstdint>

#include "platform/text.h"

struct HostDateTime {
    double m_dt;
    int32_t m_status;
    int32_t m_padding;
};
static_assert(sizeof(HostDateTime) == 16, "the host's date-time object is 16 bytes");

class DateTime {
public:
    enum class Status : int32_t { Valid = 0, Invalid = 1, Null = 2 };

    DateTime() = default;  // 0.0 (30 December 1899, 00:00), valid
    DateTime(double days, Status status) : m_days(days), m_status(status) {}

    static DateTime FromHost(const HostDateTime* host);
    // A calendar date and time; out-of-range parts give an invalid value.
    static DateTime FromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    static DateTime Null() { return DateTime(0.0, Status::Null); }
    static DateTime Invalid() { return DateTime(0.0, Status::Invalid); }

    HostDateTime ToHost() const;

    double Days() const { return m_days; }
    Status GetStatus() const { return m_status; }
    bool IsValid() const { return m_status == Status::Valid; }

    // The value broken down into calendar parts, rounded to the nearest
    // second. False for a value that is not valid or lies outside the years
    // 100 to 9999.
    struct Parts { int year, month, day, hour, minute, second, dayOfYear; };
    bool Split(Parts& out) const;

    // strftime-style formatting: %Y %y %m %d %H %M %S %j and %%; other
    // characters are copied. A value that is not valid (or out of range)
    // formats as "Invalid DateTime", a null value as the empty text.
    Text Format(const char* pattern) const;

    // Equal when both are valid and hold the same count, or both are null.
    bool SameAs(const DateTime& other) const;

private:
    double m_days = 0.0;
    Status m_status = Status::Valid;
};
