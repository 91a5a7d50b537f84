#include "platform/date_time.h"

#include <cmath>
#include <cstring>

namespace {

// 1 January 100 is day -657434; before the epoch the fraction counts forwards
// within the day, so the whole of that day lies above -657435 (noon is
// -657434.5).
constexpr double kMinDays = -657435.0;
constexpr double kMaxDays = 2958465.999999;  // 31 December 9999, 23:59:59
constexpr int64_t kEpochOffset = 25569;      // 30 Dec 1899 -> 1 Jan 1970

// Days since 1 January 1970 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

}  // namespace

DateTime DateTime::FromHost(const HostDateTime* host) {
    if (!host) return Null();
    HostDateTime copy;
    std::memcpy(&copy, host, sizeof copy);
    switch (copy.m_status) {
    case 0: return DateTime(copy.m_dt, Status::Valid);
    case 2: return DateTime(copy.m_dt, Status::Null);
    default: return DateTime(copy.m_dt, Status::Invalid);
    }
}

HostDateTime DateTime::ToHost() const {
    HostDateTime h;
    h.m_dt = m_days;
    h.m_status = static_cast<int32_t>(m_status);
    h.m_padding = 0;
    return h;
}

DateTime DateTime::FromParts(int year, int month, int day, int hour, int minute, int second) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59)
        return Invalid();
    const int64_t days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kEpochOffset;
    const double fraction = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    // Before the epoch the fraction still counts forwards within the day.
    const double value = days >= 0 ? static_cast<double>(days) + fraction
                                   : static_cast<double>(days) - fraction;
    return DateTime(value, Status::Valid);
}

bool DateTime::Split(Parts& out) const {
    if (m_status != Status::Valid || !std::isfinite(m_days) || m_days <= kMinDays || m_days > kMaxDays)
        return false;
    double whole = std::trunc(m_days);
    double fraction = std::fabs(m_days - whole);
    int64_t day = static_cast<int64_t>(whole);
    int64_t seconds = static_cast<int64_t>(std::floor(fraction * 86400.0 + 0.5));
    if (seconds >= 86400) {
        seconds -= 86400;
        ++day;
    }
    CivilFromDays(day - kEpochOffset, out.year, out.month, out.day);
    if (out.year < 100 || out.year > 9999) return false;
    out.hour = static_cast<int>(seconds / 3600);
    out.minute = static_cast<int>(seconds / 60 % 60);
    out.second = static_cast<int>(seconds % 60);
    out.dayOfYear = static_cast<int>(day - kEpochOffset - DaysFromCivil(out.year, 1, 1)) + 1;
    return true;
}

Text DateTime::Format(const char* pattern) const {
    if (m_status == Status::Null) return Text();
    Parts p;
    if (!Split(p)) return "Invalid DateTime";
    Text out;
    if (!pattern) return out;
    for (const char* c = pattern; *c; ++c) {
        if (*c != '%' || c[1] == '\0') {
            out += *c;
            continue;
        }
        switch (*++c) {
        case 'Y': out += ::Format("%04d", p.year); break;
        case 'y': out += ::Format("%02d", p.year % 100); break;
        case 'm': out += ::Format("%02d", p.month); break;
        case 'd': out += ::Format("%02d", p.day); break;
        case 'H': out += ::Format("%02d", p.hour); break;
        case 'M': out += ::Format("%02d", p.minute); break;
        case 'S': out += ::Format("%02d", p.second); break;
        case 'j': out += ::Format("%03d", p.dayOfYear); break;
        case '%': out += '%'; break;
        default: out += '%'; out += *c; break;
        }
    }
    return out;
}

bool DateTime::SameAs(const DateTime& other) const {
    if (m_status == Status::Valid && other.m_status == Status::Valid) return m_days == other.m_days;
    return m_status == Status::Null && other.m_status == Status::Null;
}
