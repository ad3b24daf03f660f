// The newest installed update and how many there are, from the hotfix records Windows keeps: pure
// rules, tested on every build.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace kolt::win32 {

// One installed update as the hotfix list gives it.
struct UpdateRecord {
    std::string id;                          // "KB5032190"
    std::optional<std::string> installedOn;  // as Windows writes it
};

// An installation date as the hotfix list writes it: "M/D/YYYY" (the form Windows uses whatever
// the user's locale), or "YYYYMMDD" as some installers leave it; nullopt for anything else (a
// raw file time some older systems store) or a day that does not exist.
std::optional<CalendarDate> ParseInstalledOn(std::string_view text);

// How many distinct updates there are (records without an id left out) and the one installed
// last (the first listed among those of the newest date); no newest when no record has a date.
InstalledUpdates NewestUpdate(const std::vector<UpdateRecord>& records);

}  // namespace kolt::win32
