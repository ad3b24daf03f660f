// Reading and writing the selection file "kolt_info.cfg": ten lines, an eleventh for the
// Extended Information section and a twelfth for hiding personal details.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "selection/report_section.h"

namespace kolt {

inline constexpr std::string_view kSelectionFileName = "kolt_info.cfg";

// The selection file's path: the directory, the separator and the file name, joined as plain
// text. Where the directory is unknown or does not fit `bufferSize` (with its terminator), the
// file name alone, which names the file in the current directory.
std::string SelectionPath(const std::optional<std::string>& currentDirectory,
                          std::size_t bufferSize, char separator);

// Turns a selection file's bytes into its twelve values. The bytes may arrive in pieces of any size
// and lines may be of any length: the parser keeps only a few counters, never a line.
//
// Each of the first twelve lines (ended by LF; a CR before it is trailing white space) is read the
// way the C library's atoi reads text: leading white space, an optional sign, then decimal
// digits up to the first other byte; no digits give 0. A value beyond the 32-bit range saturates
// at the nearest limit, so it still counts as on. Lines past the twelfth are ignored, and entries
// whose line never arrives stay 0 (so a file of ten lines leaves Extended off, and one of eleven
// leaves personal details shown).
class SelectionParser {
public:
    void Feed(std::string_view bytes);
    const SelectionValues& Values() const { return m_values; }
    // True once the twelfth line has ended; later bytes change nothing.
    bool Complete() const { return m_line == kReportSectionCount; }

private:
    enum class State { LeadingSpace, Digits, SkipLine };

    // Consumes bytes of the current line; returns how many, the LF included when it is reached.
    std::size_t FeedLine(std::string_view bytes);
    void EndLine();

    SelectionValues m_values{};
    std::size_t m_line = 0;
    State m_state = State::LeadingSpace;
    bool m_negative = false;
    std::uint64_t m_magnitude = 0;  // saturates just past the 32-bit range
};

// The twelve values of a whole file's bytes (see SelectionParser).
SelectionValues ParseSelection(std::string_view bytes);

// The twelve values of the file at `path`, in ReportSection order. Anything that is not a regular
// file that can be read (absent, not readable, a directory, FIFO or device) gives ten 1s, and
// 0 for Extended and Redact, which are only ever asked for. Never fails or waits, whatever the
// file holds: it is read in pieces, up to the end of its twelfth line and never past 1 MiB.
SelectionValues ReadSelection(const std::string& path);

// Writes the twelve values, one decimal line each ending in CR LF, byte for byte on every platform,
// replacing the file in one step and never through a link. A file that cannot be written is
// skipped silently.
void WriteSelection(const std::string& path, const SelectionValues& values);

}  // namespace kolt
