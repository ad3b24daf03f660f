#include "platform/common/numeric_host_name.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace kolt::common {

namespace {

constexpr std::uint64_t kLargestAddress = 0xFFFF'FFFF;

constexpr bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr bool IsWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The value of `c` as a digit of `base` (8, 10 or 16); nullopt when it is none.
std::optional<unsigned> DigitValue(char c, unsigned base) {
    unsigned value = 0;
    if (IsDecimalDigit(c)) {
        value = static_cast<unsigned>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
        value = static_cast<unsigned>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
        value = static_cast<unsigned>(c - 'A' + 10);
    } else {
        return std::nullopt;
    }
    if (value >= base) {
        return std::nullopt;
    }
    return value;
}

// One part at `position`: "0x1f", "017", "255". Moves `position` past it; nullopt when the text
// there is no number or its value does not fit an address.
std::optional<std::uint64_t> ReadPart(std::string_view text, std::size_t& position) {
    if (position >= text.size() || !IsDecimalDigit(text[position])) {
        return std::nullopt;
    }
    unsigned base = 10;
    if (text[position] == '0') {
        ++position;
        base = 8;
        // "0x" counts as hexadecimal only with a digit after it; alone it is a 0 and an 'x'.
        if (position + 1 < text.size() && (text[position] == 'x' || text[position] == 'X') &&
            DigitValue(text[position + 1], 16)) {
            ++position;
            base = 16;
        }
    }
    std::uint64_t value = 0;
    while (position < text.size()) {
        const std::optional<unsigned> digit = DigitValue(text[position], base);
        if (!digit) {
            break;
        }
        value = value * base + *digit;
        if (value > kLargestAddress) {
            return std::nullopt;
        }
        ++position;
    }
    return value;
}

bool ReadsAsIpv4Number(std::string_view name) {
    std::array<std::uint64_t, 4> parts{};
    std::size_t count = 0;
    std::size_t position = 0;
    for (;;) {
        const std::optional<std::uint64_t> part = ReadPart(name, position);
        if (!part) {
            return false;
        }
        parts[count++] = *part;
        // The classic reader stops at the end or at white space, whatever follows it.
        if (position == name.size() || IsWhiteSpace(name[position])) {
            break;
        }
        if (name[position] != '.' || count == parts.size()) {
            return false;
        }
        ++position;
    }
    // Every part but the last is one byte; the last fills the bytes that are left.
    for (std::size_t i = 0; i + 1 < count; ++i) {
        if (parts[i] > 0xFF) {
            return false;
        }
    }
    return parts[count - 1] <= (kLargestAddress >> (8 * (count - 1)));
}

}  // namespace

bool IsNumericHostName(std::string_view name) {
    if (name.empty()) {
        return false;
    }
    return std::all_of(name.begin(), name.end(), IsDecimalDigit) || ReadsAsIpv4Number(name);
}

}  // namespace kolt::common
