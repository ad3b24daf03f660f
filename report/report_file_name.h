// The name of the report file, "kolt_info_<computer name>.txt" (or another extension).
#pragma once

#include <string>
#include <string_view>

namespace kolt {

// Characters that cannot stand in a Windows file name (path separators, drive colons, wildcards,
// control bytes) become '_', so the file always lands in the current directory.
std::string ReportFileName(std::string_view computerName, std::string_view extension = ".txt");

}  // namespace kolt
