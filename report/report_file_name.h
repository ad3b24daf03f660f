// The name of the report file, "kolt_info_<computer name>.txt" (or another extension).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kolt {

// The computer name as the file name's area holds it (limits::kFileNameComputerNameArea): the
// text up to a NUL, or nothing when the name is unknown or does not fit.
std::string ComputerNameForFile(const std::optional<std::string>& computerName);

// Characters that cannot stand in a Windows file name (path separators, drive colons, wildcards,
// control bytes) become '_', so the file always lands in the current directory.
std::string ReportFileName(std::string_view computerName, std::string_view extension = ".txt");

// The file name both programs propose for a report of this machine: named after its
// NetBIOS-style computer name.
std::string ProposedReportFileName(Platform& platform, std::string_view extension = ".txt");

}  // namespace kolt
