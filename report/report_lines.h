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

// The character that stands in for a control byte of a value.
inline constexpr char kControlStandIn = '?';

// CR, LF and the other control bytes (0x00 to 0x1F but TAB, and 0x7F).
constexpr bool IsControlByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t') || byte == 0x7F;
}

// Makes each control byte of `text` from `from` on a '?': text from outside can then neither
// start a line of its own, forge another field, nor send an escape sequence to a terminal.
inline void MaskControlBytes(std::string& text, std::size_t from = 0) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (IsControlByte(text[i])) {
            text[i] = kControlStandIn;
        }
    }
}

// Appends `prefix`, `value` and the line end. Values come from outside (names, environment,
// registry and os-release texts), so their control bytes are masked.
inline void AppendLine(std::string& text, std::string_view prefix, std::string_view value = {}) {
    text.append(prefix);
    const std::size_t valueStart = text.size();
    text.append(value);
    MaskControlBytes(text, valueStart);
    text.append(kLineEnd);
}

}  // namespace kolt::report_lines
