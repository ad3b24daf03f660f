#include "console/message_text.h"

#include "report/report_lines.h"

namespace kolt {

namespace {

constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

// A byte that continues a UTF-8 sequence rather than starting a character.
constexpr bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string MessageText(std::string_view text, std::size_t characters) {
    std::size_t started = 0;
    std::size_t end = 0;
    for (; end < text.size(); ++end) {
        if (!IsContinuationByte(text[end]) && started++ == characters) {
            break;
        }
    }
    std::string shown(text.substr(0, end));
    report_lines::MaskControlBytes(shown);
    if (end < text.size()) {
        shown += kEllipsis;
    }
    return shown;
}

}  // namespace kolt
