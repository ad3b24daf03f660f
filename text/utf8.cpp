#include "text/utf8.h"

namespace kolt::text {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char32_t kLastBasicPlaneCodePoint = 0xFFFF;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The bytes a character takes, by its first byte, and the range its second byte must lie in so
// that the sequence is neither overlong nor beyond U+10FFFF; 0 for a byte that begins none.
struct LeadByte {
    std::size_t length = 0;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
};

LeadByte Lead(unsigned char byte) {
    if (byte >= 0xC2 && byte <= 0xDF) {
        return {2};
    }
    if (byte == 0xE0) {
        return {3, 0xA0, 0xBF};
    }
    if (byte >= 0xE1 && byte <= 0xEF) {
        return {3};
    }
    if (byte == 0xF0) {
        return {4, 0x90, 0xBF};
    }
    if (byte >= 0xF1 && byte <= 0xF3) {
        return {4};
    }
    if (byte == 0xF4) {
        return {4, 0x80, 0x8F};
    }
    return {};
}

}  // namespace

Utf8Character DecodeUtf8Character(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const auto first = static_cast<unsigned char>(text[0]);
    if (first < 0x80) {
        return {first, 1, true};
    }
    const Utf8Character invalid{kReplacementCharacter, 1, false};
    const LeadByte lead = Lead(first);
    if (lead.length == 0 || text.size() < lead.length) {
        return invalid;
    }
    const auto second = static_cast<unsigned char>(text[1]);
    if (second < lead.secondLow || second > lead.secondHigh) {
        return invalid;
    }
    char32_t codePoint = first & (0xFF >> (lead.length + 1));
    for (std::size_t i = 1; i < lead.length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!IsContinuation(byte)) {
            return invalid;
        }
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    return {codePoint, lead.length, true};
}

std::size_t Utf16Length(std::string_view text) {
    std::size_t units = 0;
    while (!text.empty()) {
        const Utf8Character character = DecodeUtf8Character(text);
        units += character.codePoint > kLastBasicPlaneCodePoint ? 2 : 1;
        text.remove_prefix(character.length);
    }
    return units;
}

std::string_view Utf16LimitedPrefix(std::string_view text, std::size_t maxUnits) {
    std::size_t end = 0;
    std::size_t units = 0;
    while (end < text.size()) {
        const Utf8Character character = DecodeUtf8Character(text.substr(end));
        const std::size_t characterUnits = character.codePoint > kLastBasicPlaneCodePoint ? 2 : 1;
        if (units + characterUnits > maxUnits) {
            break;
        }
        units += characterUnits;
        end += character.length;
    }
    return text.substr(0, end);
}

}  // namespace kolt::text
