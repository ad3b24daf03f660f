// Line-building helpers shared by the composer's sections: every line ends in CR LF and every
// field line starts with a 20-character prefix, so every value begins at character 21.
#pragma once

#include <cstddef>
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

// The lead byte of the UTF-8 form of U+0080 to U+009F, the C1 controls (0x9B is the 8-bit CSI),
// whose second byte then lies in 0x80 to 0x9F.
inline constexpr unsigned char kC1LeadByte = 0xC2;

constexpr bool IsC1Control(std::string_view text, std::size_t at) {
    return static_cast<unsigned char>(text[at]) == kC1LeadByte && at + 1 < text.size() &&
           static_cast<unsigned char>(text[at + 1]) >= 0x80 &&
           static_cast<unsigned char>(text[at + 1]) <= 0x9F;
}

// Makes each control character of `text` from `from` on, C0 (but TAB), DEL or C1, one '?': text
// from outside can then neither start a line of its own, forge another field, nor send an escape
// sequence to a terminal. Every other byte is kept as it is.
inline void MaskControlBytes(std::string& text, std::size_t from = 0) {
    std::size_t kept = from;  // the text's length once masked, up to the byte being read
    for (std::size_t i = from; i < text.size(); ++i, ++kept) {
        const bool control = IsControlByte(text[i]);
        const bool c1 = !control && IsC1Control(text, i);
        text[kept] = control || c1 ? kControlStandIn : text[i];
        i += c1 ? 1 : 0;  // a C1 control's second byte goes with it
    }
    text.resize(kept);
}

// Appends `prefix`, `value` and the line end. Values come from outside (names, environment,
// registry and os-release texts), so their control characters are masked.
inline void AppendLine(std::string& text, std::string_view prefix, std::string_view value = {}) {
    text.append(prefix);
    const std::size_t valueStart = text.size();
    text.append(value);
    MaskControlBytes(text, valueStart);
    text.append(kLineEnd);
}

}  // namespace kolt::report_lines
