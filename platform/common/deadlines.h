// How long the report waits for each fact that can wait on something outside the machine. Together
// they bound a report: every section but the CPU speed finishes within 2.5 s however many drives
// do not answer and however silent the name server is, and the full report within 3.5 s (the CPU
// speed is measured over one second). The Extended Information section adds at most its own
// limits, each once, to a report that holds it.
#pragma once

#include <chrono>

namespace kolt::common {

// Every drive together: they are asked at once, so ten that never answer cost this once.
inline constexpr std::chrono::milliseconds kDriveAnswerLimit{1000};
// The own host name's addresses from the resolver.
inline constexpr std::chrono::milliseconds kNameResolutionLimit{1000};
// The user's name from the user database, which may be a directory service on the network.
inline constexpr std::chrono::milliseconds kUserLookupLimit{500};

// Each slow fact of the Extended Information section on Windows: the firmware table, the adapter
// list and the display devices come from drivers, any of which may hang.
inline constexpr std::chrono::milliseconds kExtendedFactLimit{500};

}  // namespace kolt::common
