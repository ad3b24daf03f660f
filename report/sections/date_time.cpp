#include "report/sections/date_time.h"

#include <array>
#include <cstddef>
#include <string_view>

#include <nlohmann/json.hpp>

#include "report/iso_time.h"
#include "report/report_lines.h"

namespace kolt {

namespace {

constexpr std::string_view kUnknown = "Unknown";

constexpr std::array<std::string_view, 7> kWeekdays{"Sun", "Mon", "Tue", "Wed",
                                                    "Thu", "Fri", "Sat"};
constexpr std::array<std::string_view, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool IsValid(const LocalTime& time) {
    return time.weekday >= 0 && time.weekday <= 6 && time.month >= 1 && time.month <= 12 &&
           time.day >= 1 && time.day <= 31 && time.hour >= 0 && time.hour <= 23 &&
           time.minute >= 0 && time.minute <= 59 && time.second >= 0 && time.second <= 60 &&
           time.year >= 0;
}

// A non-negative number with at least `width` digits, zero-filled on the left.
std::string ZeroPadded(int number, std::size_t width) {
    std::string digits = std::to_string(number);
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), '0');
    }
    return digits;
}

// "Www Mmm DD hh:mm:ss YYYY" with English names and a zero-filled day of the month.
std::string FormatLocalTime(const LocalTime& time) {
    std::string text;
    text.append(kWeekdays[static_cast<std::size_t>(time.weekday)]).append(" ");
    text.append(kMonths[static_cast<std::size_t>(time.month - 1)]).append(" ");
    text.append(ZeroPadded(time.day, 2)).append(" ");
    text.append(ZeroPadded(time.hour, 2)).append(":");
    text.append(ZeroPadded(time.minute, 2)).append(":");
    text.append(ZeroPadded(time.second, 2)).append(" ");
    text.append(ZeroPadded(time.year, 4));
    return text;
}

}  // namespace

DateTimeFacts GatherDateTime(GatherContext& context) {
    Platform& platform = context.platform;
    const std::optional<LocalTime> local = platform.ToLocalTime(platform.CurrentTime());
    if (!local || !IsValid(*local)) {
        return DateTimeFacts{std::nullopt};
    }
    return DateTimeFacts{local};
}

std::string DateText(const std::optional<LocalTime>& local) {
    return local ? FormatLocalTime(*local) : std::string(kUnknown);
}

void AppendDateTimeText(const DateTimeFacts& facts, std::string& report) {
    report_lines::AppendLine(report, "  Date and Time   : ", DateText(facts.local));
}

void WriteDateTimeJson(const DateTimeFacts& facts, Json& value) {
    value = Json{{"text", DateText(facts.local)},
                 {"iso8601", facts.local ? Json(Iso8601(*facts.local)) : Json(nullptr)}};
}

}  // namespace kolt
