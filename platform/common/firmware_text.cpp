#include "platform/common/firmware_text.h"

#include <algorithm>
#include <array>

namespace kolt::common {

namespace {

constexpr std::array<std::string_view, 28> kPlaceholders = {
    "To be filled by O.E.M.",
    "To be filled by OEM",
    "Default string",
    "Default",
    "OEM",
    "O.E.M.",
    "System manufacturer",
    "System Product Name",
    "System Version",
    "System Serial Number",
    "System Name",
    "Base Board Serial Number",
    "Chassis Serial Number",
    "Serial Number",
    "SerialNumber",
    "Type1ProductConfigId",
    "Not Applicable",
    "Not Specified",
    "Not Available",
    "N/A",
    "NA",
    "None",
    "Unknown",
    "Undefined",
    "Invalid",
    "0123456789",
    "123456789",
    "1234567890",
};

// Blanks that pad a field, and the line end the kernel adds to its copies of the strings.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

// Bytes that fill a field nobody filled in: zeros, blanks, separators, X, erased flash (0xFF).
bool IsFillerByte(char c) {
    return std::string_view("0 .-_Xx\t").find(c) != std::string_view::npos ||
           static_cast<unsigned char>(c) == 0xFF;
}

// A whole field of decimal digits; nullopt otherwise.
std::optional<int> Digits(std::string_view field) {
    if (field.empty() || field.size() > 4) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

int DaysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

}  // namespace

bool IsPlaceholderText(std::string_view text) {
    text = TrimBlanks(text);
    if (std::all_of(text.begin(), text.end(), IsFillerByte)) {
        return true;  // empty too
    }
    return std::any_of(kPlaceholders.begin(), kPlaceholders.end(),
                       [text](std::string_view known) { return EqualIgnoringCase(text, known); });
}

std::optional<std::string> KnownFirmwareText(std::string_view text) {
    if (IsPlaceholderText(text)) {
        return std::nullopt;
    }
    return std::string(TrimBlanks(text));
}

std::optional<CalendarDate> ParseFirmwareDate(std::string_view text) {
    text = TrimBlanks(text);
    const std::size_t first = text.find('/');
    const std::size_t second = first == std::string_view::npos ? first : text.find('/', first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view yearText = text.substr(second + 1);
    const auto month = Digits(text.substr(0, first));
    const auto day = Digits(text.substr(first + 1, second - first - 1));
    auto year = Digits(yearText);
    if (!month || !day || !year || (yearText.size() != 2 && yearText.size() != 4)) {
        return std::nullopt;
    }
    if (yearText.size() == 2) {
        *year += 1900;
    }
    if (*month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month) || *year == 0) {
        return std::nullopt;
    }
    return CalendarDate{*year, *month, *day};
}

}  // namespace kolt::common
