#include "report/decimal_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>
#include <system_error>

namespace kolt {

namespace {

constexpr int kSignificantDigits = 17;

struct Expansion {
    std::string digits;  // exactly 17 significant digits, the first one before the point
    int exponent = 0;    // the value is digits[0].digits[1..] times 10^exponent
};

// The non-negative finite `value` rounded to 17 significant decimal digits.
Expansion ExpandToSignificantDigits(double value) {
    std::array<char, 40> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value,
                                       std::chars_format::scientific, kSignificantDigits - 1);
    // Always "d.dddddddddddddddde[+-]xx"; the buffer is far larger than that can ever be.
    const std::string_view scientific(text.data(),
                                      static_cast<std::size_t>(written.ptr - text.data()));
    const std::size_t exponentMark = scientific.find('e');

    Expansion expansion;
    for (const char c : scientific.substr(0, exponentMark)) {
        if (c != '.') {
            expansion.digits += c;
        }
    }
    std::string_view exponentText = scientific.substr(exponentMark + 1);
    if (!exponentText.empty() && exponentText.front() == '+') {
        exponentText.remove_prefix(1);  // from_chars accepts a minus sign only
    }
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(),
                    expansion.exponent);
    return expansion;
}

// Adds one to a string of decimal digits ("" counts as 0).
void IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

}  // namespace

std::string FormatDecimal(double value, int decimals) {
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    if (std::isnan(value)) {
        return "nan";
    }
    std::string text;
    if (std::signbit(value)) {
        text += '-';
        value = -value;
    }
    if (std::isinf(value)) {
        return text + "inf";
    }

    const Expansion expansion = ExpandToSignificantDigits(value);
    // The value times 10^decimals, as a whole number of digits: the kept digits of the
    // expansion, zeros where the expansion ends before the last decimal place.
    const int keptCount = expansion.exponent + decimals + 1;
    std::string scaled;
    if (keptCount >= kSignificantDigits) {
        scaled = expansion.digits;
        scaled.append(static_cast<std::size_t>(keptCount - kSignificantDigits), '0');
    } else if (keptCount >= 0) {
        // Below 0 every digit lies past the first cut place, which is then a leading zero.
        const auto kept = static_cast<std::size_t>(keptCount);
        scaled = expansion.digits.substr(0, kept);
        if (expansion.digits[kept] >= '5') {
            IncrementDigits(scaled);
        }
    }

    const std::size_t firstNonZero = scaled.find_first_not_of('0');
    scaled.erase(0, std::min(firstNonZero, scaled.size()));
    const auto fractionLength = static_cast<std::size_t>(decimals);
    if (scaled.size() < fractionLength + 1) {
        scaled.insert(0, fractionLength + 1 - scaled.size(), '0');
    }
    const std::size_t integerLength = scaled.size() - fractionLength;
    text.append(scaled, 0, integerLength);
    if (fractionLength > 0) {
        text += '.';
        text.append(scaled, integerLength, fractionLength);
    }
    return text;
}

}  // namespace kolt
