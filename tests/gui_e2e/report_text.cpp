#include "tests/gui_e2e/report_text.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace kolt::e2e {

namespace {

struct Section {
    std::size_t fileLine;  // position of its box in the selection file
    const char* opening;   // the first line it writes
};

// The ten sections in report order.
constexpr std::array<Section, 10> kReportOrder{{
    {1, "  Date and Time   : "},
    {2, "  Architecture    : "},
    {8, "  CPU Speed       : "},
    {3, "  Operating System: "},
    {4, "  Computer Name   : "},
    {5, "  IP Address      : "},
    {6, "  User Name       : "},
    {7, "  System Memory"},
    {9, "  Disk Information"},
    {10, "  Extended Information"},
}};

std::vector<std::string> OpeningsWhere(const BoxStates& states, bool checked) {
    std::vector<std::string> openings;
    for (const Section& section : kReportOrder) {
        if (states[section.fileLine] == checked) {
            openings.emplace_back(section.opening);
        }
    }
    return openings;
}

}  // namespace

std::optional<std::vector<std::string>> SplitCrLfLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos || text[end] != '\r' || end + 1 >= text.size() ||
            text[end + 1] != '\n') {
            return std::nullopt;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string SavedFileBytes(std::string_view report) {
    std::string bytes;
    bytes.reserve(report.size() + report.size() / 16);
    for (const char c : report) {
        if (c == '\r') {
            bytes.push_back(' ');
        } else if (c == '\n') {
            bytes += "\r\n";
        } else {
            bytes.push_back(c);
        }
    }
    return bytes;
}

std::string SelectionFileBytes(const BoxStates& states) {
    std::string bytes;
    for (const bool on : states) {
        bytes += on ? "1\r\n" : "0\r\n";
    }
    return bytes;
}

std::optional<std::string> FirstPrefixMissingInOrder(const std::vector<std::string>& lines,
                                                     const std::vector<std::string>& prefixes) {
    auto from = lines.begin();
    for (const std::string& prefix : prefixes) {
        const auto found = std::find_if(
            from, lines.end(), [&](const std::string& line) { return line.starts_with(prefix); });
        if (found == lines.end()) {
            return prefix;
        }
        from = found + 1;
    }
    return std::nullopt;
}

std::vector<std::string> SelectedSectionOpenings(const BoxStates& states) {
    return OpeningsWhere(states, true);
}

std::vector<std::string> UnselectedSectionOpenings(const BoxStates& states) {
    return OpeningsWhere(states, false);
}

bool AnyLineStartsWith(const std::vector<std::string>& lines, std::string_view prefix) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.starts_with(prefix); });
}

std::size_t CountLines(const std::vector<std::string>& lines, std::string_view line) {
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

}  // namespace kolt::e2e
