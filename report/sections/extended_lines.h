// The Extended Information block's line shapes, shared by the files that write its lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "report/report_lines.h"

namespace kolt::extended_lines {

// A value's continuation lines start in the value column.
inline constexpr std::string_view kContinuation = "                    ";

// "  Label           : ": a label of the block's own level in the 20-character column.
inline std::string TopLabel(std::string_view label) {
    std::string prefix = "  ";
    prefix += label;
    prefix.resize(18, ' ');
    prefix += ": ";
    return prefix;
}

// "             Kind : ": a label under an item, right-aligned as the memory block's are.
inline std::string SubLabel(std::string_view label) {
    std::string prefix(17 - label.size(), ' ');
    prefix += label;
    prefix += " : ";
    return prefix;
}

inline void LineIfKnown(std::string& report, const std::string& prefix,
                        const std::optional<std::string>& value) {
    if (value) {
        report_lines::AppendLine(report, prefix, *value);
    }
}

// One line per value, the label on the first only.
inline void ListLines(std::string& report, const std::string& prefix,
                      const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        report_lines::AppendLine(report, i == 0 ? std::string_view(prefix) : kContinuation,
                                 values[i]);
    }
}

// "2026-12-07 09:13:02 (UTC+01:00)"; an offset with seconds in it shows them too.
std::string LocalTimeText(const LocalTime& time);
// "2023-05-17".
std::string DateText(const CalendarDate& date);

}  // namespace kolt::extended_lines
