// The console program's one run: selection file in, report out to standard output and to
// "kolt_info_<computer name>.txt" (or ".json", or the inventory document's ".ocs") in the current
// directory.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/process.h"

namespace kolt {

// Receives bytes meant for standard output, and says whether they all got there.
using OutputWriter = std::function<StreamWriteResult(std::string_view bytes)>;
// Receives bytes meant for standard error: nowhere left to say that they did not get there.
using ErrorWriter = std::function<void(std::string_view bytes)>;

// Without arguments: reads the selection from the current directory, builds the report with the
// sections it names (all but Extended Information when All is on), writes the report and one
// line feed to `output`, and the same bytes to the report file, which is replaced in one step and
// never through a link. A report file that cannot be written, and an `output` that does not take
// every byte (a full disk behind a redirection, a closed pipe), are each named, with the reason,
// in one line on `errors`; a failed write to `output` does not keep the file from being written.
// The arguments can add the Extended Information section, or ask for the JSON form, the usage
// text or the version instead (see command_line.h); those it does not know are named in one line
// on `errors` (masked and cut as message text is) and otherwise ignored. Returns the exit status,
// which is always 0: what went wrong is on `errors`, and an unattended run never fails over it.
int RunConsole(Platform& platform, const std::vector<std::string>& arguments,
               const OutputWriter& output, const ErrorWriter& errors);

}  // namespace kolt
