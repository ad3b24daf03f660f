// Line-building helpers shared by the composer's sections: every line ends in CR LF and every
// field line starts with a 20-character prefix, so every value begins at character 21.
#pragma once

#include <string>
#include <string_view>

namespace kolt::report_lines {

inline constexpr std::string_view kLineEnd = "\r\n";

// The opening line of the memory and disk blocks: eight blanks, not an empty line.
inline constexpr std::string_view kBlockOpening = "        ";
// The underline below a block's heading: two spaces and 46 hyphens.
inline constexpr std::string_view kBlockUnderline =
    "  ----------------------------------------------";

// Appends `prefix`, `value` and the line end.
inline void AppendLine(std::string& text, std::string_view prefix, std::string_view value = {}) {
    text.append(prefix).append(value).append(kLineEnd);
}

}  // namespace kolt::report_lines
