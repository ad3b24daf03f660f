// The console program's one run: selection file in, report out to standard output and to
// "kolt_info_<computer name>.txt" (or ".json") in the current directory.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace kolt {

// Receives bytes meant for standard output or standard error.
using OutputWriter = std::function<void(std::string_view bytes)>;

// Without arguments: reads the selection from the current directory, builds the report with the
// sections it names (all but Extended Information when All is on), writes the report and one
// line feed to `output`, and the same bytes to the report file, which is replaced in one step and
// never through a link; a report file that cannot be written is named, with the reason, in one
// line on `errors`, and a failed write to `output` does not keep it from being written. The
// arguments can add the Extended Information section, or ask for the JSON form, the usage text or
// the version instead (see command_line.h); those it does not know are named in one line on
// `errors` (masked and cut as message text is) and otherwise ignored. Returns the exit status,
// which is always 0.
int RunConsole(Platform& platform, const std::vector<std::string>& arguments,
               const OutputWriter& output, const OutputWriter& errors);

}  // namespace kolt
