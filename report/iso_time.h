// A local time as ISO 8601 / RFC 3339 text, for the JSON form.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace kolt {

// "2026-12-07T13:44:58+01:00": the local time and its offset from UTC. Where the offset cannot be
// stated exactly in hours and minutes (seconds in it, or beyond 23:59 either way), the same
// moment in UTC: "2026-12-07T12:44:58Z".
std::string Iso8601(const LocalTime& local);

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar, and back: the calendar
// time of seconds since 1970, as UTC (offset 0; the weekday is left as it is).
std::int64_t DaysFromCivil(std::int64_t year, int month, int day);
LocalTime CivilFromSeconds(std::int64_t seconds);

}  // namespace kolt
