#include "report/iso_time.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace kolt {

std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

LocalTime CivilFromSeconds(std::int64_t seconds) {
    const std::int64_t days = (seconds >= 0 ? seconds : seconds - 86399) / 86400;
    const std::int64_t secondOfDay = seconds - days * 86400;
    const std::int64_t shifted = days + 719468;
    const std::int64_t era = (shifted >= 0 ? shifted : shifted - 146096) / 146097;
    const std::int64_t dayOfEra = shifted - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    LocalTime time;
    time.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    time.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    time.year = static_cast<int>(yearOfEra + era * 400 + (time.month <= 2 ? 1 : 0));
    time.hour = static_cast<int>(secondOfDay / 3600);
    time.minute = static_cast<int>(secondOfDay / 60 % 60);
    time.second = static_cast<int>(secondOfDay % 60);
    return time;
}

namespace {

// The largest offset the format can state: 23 hours and 59 minutes.
constexpr int kLargestOffsetSeconds = (23 * 60 + 59) * 60;

std::string DateAndTime(const LocalTime& time) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return text;
}

}  // namespace

// "2026-12-07T13:44:58+01:00": the local time and its offset from UTC. An offset the format
// cannot state exactly (seconds in it, as in some historical zones, or more than 23:59) would
// make the time wrong or the text unreadable to parsers: the same moment is then given in UTC,
// "2026-12-07T12:44:58Z".
std::string Iso8601(const LocalTime& local) {
    const int offset = local.utcOffsetSeconds;
    if (offset % 60 != 0 || offset > kLargestOffsetSeconds || offset < -kLargestOffsetSeconds) {
        const std::int64_t localSeconds =
            DaysFromCivil(local.year, local.month, local.day) * 86400 + local.hour * 3600 +
            local.minute * 60 + local.second;
        return DateAndTime(CivilFromSeconds(localSeconds - offset)) + "Z";
    }
    const int magnitude = std::abs(offset / 60);
    char zone[32];
    std::snprintf(zone, sizeof zone, "%c%02d:%02d", offset < 0 ? '-' : '+', magnitude / 60,
                  magnitude % 60);
    return DateAndTime(local) + zone;
}

}  // namespace kolt
