#include "text/utf16.h"

#include <cstdint>

#include "text/utf8.h"

namespace kolt::text {

namespace {

constexpr char32_t kFirstSupplementaryCodePoint = 0x10000;
constexpr char16_t kHighSurrogateFirst = 0xD800;
constexpr char16_t kLowSurrogateFirst = 0xDC00;
constexpr char16_t kSurrogateEnd = 0xE000;

bool IsHighSurrogate(char16_t unit) {
    return unit >= kHighSurrogateFirst && unit < kLowSurrogateFirst;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= kLowSurrogateFirst && unit < kSurrogateEnd;
}

// The unit a wchar_t holds: its low 16 bits, whatever the width of wchar_t.
char16_t UnitAt(std::wstring_view text, std::size_t index) {
    return static_cast<char16_t>(static_cast<std::uint32_t>(text[index]) & 0xFFFF);
}

void AppendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < kFirstSupplementaryCodePoint) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

}  // namespace

std::wstring Utf16FromUtf8(std::string_view utf8) {
    std::wstring wide;
    wide.reserve(utf8.size());
    while (!utf8.empty()) {
        const Utf8Character character = DecodeUtf8Character(utf8);
        utf8.remove_prefix(character.length);
        if (character.codePoint < kFirstSupplementaryCodePoint) {
            wide += static_cast<wchar_t>(character.codePoint);
            continue;
        }
        const char32_t offset = character.codePoint - kFirstSupplementaryCodePoint;
        wide += static_cast<wchar_t>(kHighSurrogateFirst + (offset >> 10));
        wide += static_cast<wchar_t>(kLowSurrogateFirst + (offset & 0x3FF));
    }
    return wide;
}

std::string Utf8FromUtf16(std::wstring_view utf16) {
    std::string utf8;
    utf8.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = UnitAt(utf16, i);
        if (IsHighSurrogate(unit) && i + 1 < utf16.size() && IsLowSurrogate(UnitAt(utf16, i + 1))) {
            const char16_t low = UnitAt(utf16, ++i);
            AppendUtf8(utf8, kFirstSupplementaryCodePoint +
                                 ((static_cast<char32_t>(unit - kHighSurrogateFirst) << 10) |
                                  static_cast<char32_t>(low - kLowSurrogateFirst)));
        } else {
            // A lone surrogate keeps its code point, in the three-byte form.
            AppendUtf8(utf8, unit);
        }
    }
    return utf8;
}

}  // namespace kolt::text
