// Reading and writing the ten-line selection file "kolt_info.cfg".
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "selection/report_section.h"

namespace kolt {

inline constexpr std::string_view kSelectionFileName = "kolt_info.cfg";

// Directory buffer sizes of the two programs, terminator included: a longer directory cannot be
// fetched and leaves the directory part empty.
inline constexpr std::size_t kGuiDirectoryBufferSize = 260;
inline constexpr std::size_t kConsoleDirectoryBufferSize = 1024;

// The selection file's path: the directory, the separator and the file name, joined as plain
// text. A directory that is missing or does not fit `bufferSize` (with its terminator) leaves the
// directory part empty.
std::string SelectionPath(const std::optional<std::string>& currentDirectory,
                          std::size_t bufferSize, char separator);

// The ten values of the file at `path`, in ReportSection order. A file that cannot be opened
// gives ten 1s; a line the file lacks gives 0. Never fails, whatever the file holds.
SelectionValues ReadSelection(const std::string& path);

// Writes the ten values, one decimal line each ending in CR LF. A file that cannot be written is
// skipped silently.
void WriteSelection(const std::string& path, const SelectionValues& values);

}  // namespace kolt
