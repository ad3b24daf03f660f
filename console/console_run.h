// The console program's one run: selection file in, report out to standard output and to
// "kolt_info_<computer name>.txt" in the current directory.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

#include "platform/platform.h"

namespace kolt {

// The computer-name buffer size handed to the platform, terminator included: a longer name does
// not fit and leaves the name part of the report file's name empty.
inline constexpr std::size_t kConsoleComputerNameBufferSize = 80;

// Reads the selection from the current directory, builds the report with the sections it names
// (all of them when All is on), writes the report and one line feed to
// `output`, and the same bytes, unchanged, to the report file. A report file that cannot be
// written is skipped. The file is replaced in one step, never through a link, and a failed write
// to `output` does not keep it from being written. Returns the exit status, which is always 0.
// Receives the bytes meant for standard output.
using OutputWriter = std::function<void(std::string_view bytes)>;

int RunConsole(Platform& platform, const OutputWriter& output);

}  // namespace kolt
