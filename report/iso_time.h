// A local time as ISO 8601 / RFC 3339 text, for the JSON form.
#pragma once

#include <string>

#include "platform/platform.h"

namespace kolt {

// "2026-12-07T13:44:58+01:00": the local time and its offset from UTC. Where the offset cannot be
// stated exactly in hours and minutes (seconds in it, or beyond 23:59 either way), the same
// moment in UTC: "2026-12-07T12:44:58Z".
std::string Iso8601(const LocalTime& local);

}  // namespace kolt
