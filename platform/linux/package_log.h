// When the package manager last completed a run, from its own logs (Debian family).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kolt::linux_backend {

// The date of the last "End-Date:" of apt's history log text; nullopt when it holds none.
std::optional<CalendarDate> LastAptRunEnd(std::string_view historyLog);
// The date of the last package dpkg's log says it installed or removed ("status installed",
// "status not-installed"); nullopt when it holds none.
std::optional<CalendarDate> LastDpkgChange(std::string_view dpkgLog);

// Under `root`: apt's history log, else its last rotation (history.log.1: a rotation leaves the
// current log empty until apt runs again), else dpkg's log and its last rotation. Older
// rotations are compressed and not read. Unknown (nullopt) where none of them exists or holds a
// completed run: a system whose package manager keeps no such log.
std::optional<InstalledUpdates> ReadLastPackageRun(const std::string& root);

}  // namespace kolt::linux_backend
