// Small helpers the content parsers share: splitting text into lines and fields, trimming, and
// reading decimal numbers without undefined behaviour on any input.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>
#include <system_error>

namespace kolt::linux_backend {

// Calls `visit(line)` for each line of `text`, without its line feed. A last line without a line
// feed is visited too.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            visit(text);
            return;
        }
        visit(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
}

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

inline std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The first line of `text` without its line feed and the blanks at either end: the value of a
// one-line sysfs file.
inline std::string_view FirstLine(std::string_view text) {
    return Trim(text.substr(0, text.find('\n')));
}

// Takes the next field separated by blanks from the front of `text`; empty when none is left.
inline std::string_view NextField(std::string_view& text) {
    text = Trim(text);
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end])) {
        ++end;
    }
    const std::string_view field = text.substr(0, end);
    text.remove_prefix(end);
    return field;
}

// A whole field of decimal (base 10) or hexadecimal (base 16) digits as an unsigned number;
// nullopt when the field has any other byte or does not fit 64 bits.
inline std::optional<std::uint64_t> ParseUnsigned(std::string_view field, int base = 10) {
    std::uint64_t value = 0;
    const char* const end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value, base);
    if (field.empty() || ec != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace kolt::linux_backend
