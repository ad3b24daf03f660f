// The date line, the computer name and the user name with the user's domains.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/fixed_limits.h"
#include "report/report_lines.h"
#include "report/section_text.h"
#include "report/system_report.h"
#include "text/utf8.h"

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

// The name as the platform's fixed area would hold it: text up to a NUL, or nothing when it is
// missing or too long for the area (counted in UTF-16 code units, as Windows' wide areas are).
std::optional<std::string> NameInArea(const std::optional<std::string>& name,
                                      std::size_t areaSize) {
    if (!name || text::Utf16Length(*name) + 1 > areaSize) {
        return std::nullopt;
    }
    return name->substr(0, name->find('\0'));
}

}  // namespace

DateTimeFacts CSystemReport::GatherDateTime() {
    const std::optional<LocalTime> local = m_platform.ToLocalTime(m_platform.CurrentTime());
    if (!local || !IsValid(*local)) {
        return DateTimeFacts{std::nullopt};
    }
    return DateTimeFacts{local};
}

std::string CSystemReport::DateText(const std::optional<LocalTime>& local) {
    return local ? FormatLocalTime(*local) : std::string(kUnknown);
}

void AppendDateTimeText(const DateTimeFacts& facts, std::string& report) {
    report_lines::AppendLine(report, "  Date and Time   : ", CSystemReport::DateText(facts.local));
}

std::string& CSystemReport::AppendDateTime(std::string& report) {
    AppendDateTimeText(GatherDateTime(), report);
    return report;
}

std::optional<std::string> CSystemReport::QueryComputerName() {
    std::optional<std::string> name =
        NameInArea(m_platform.ComputerName(), limits::kComputerNameArea);
    m_computerName = name.value_or(std::string(kUnknown));
    return name;
}

std::optional<std::string> CSystemReport::QueryUserName() {
    std::optional<std::string> name = NameInArea(m_platform.UserName(), limits::kUserNameArea);
    m_userName = name.value_or(std::string(kUnknown));
    return name;
}

ComputerNameFacts CSystemReport::GatherComputerName() {
    return ComputerNameFacts{QueryComputerName()};
}

UserFacts CSystemReport::GatherUser() {
    return UserFacts{QueryUserName(), m_platform.UserDomains()};
}

void AppendComputerNameText(const ComputerNameFacts& facts, std::string& report) {
    report_lines::AppendLine(report,
                             "  Computer Name   : ", facts.name.value_or(std::string(kUnknown)));
}

void AppendUserText(const UserFacts& facts, std::string& report) {
    report_lines::AppendLine(report,
                             "  User Name       : ", facts.name.value_or(std::string(kUnknown)));
    // Each domain line appears only when the session names that domain, even as an empty value,
    // and carries the value whole, however long.
    if (facts.domains.domain) {
        report_lines::AppendLine(report, "  User Domain     : ", *facts.domains.domain);
    }
    if (facts.domains.dnsDomain) {
        report_lines::AppendLine(report, "  User DNS Domain : ", *facts.domains.dnsDomain);
    }
}

std::string& CSystemReport::AppendComputerName(std::string& report) {
    AppendComputerNameText(GatherComputerName(), report);
    return report;
}

std::string& CSystemReport::AppendUserName(std::string& report) {
    AppendUserText(GatherUser(), report);
    return report;
}

}  // namespace kolt
