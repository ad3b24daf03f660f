// The date line, the computer name and the user name with the user's domains.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "report/report_lines.h"
#include "report/system_report.h"

namespace kolt {

namespace {

constexpr std::string_view kUnknown = "Unknown";

// The platform keeps a computer name in 16 bytes and a user name in 257, each with its NUL; a
// longer name does not fit and is as good as none.
constexpr std::size_t kComputerNameArea = 16;
constexpr std::size_t kUserNameArea = 257;

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
std::string DateText(const LocalTime& time) {
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

// The name as the platform's fixed area would hold it: text up to a NUL, or the placeholder
// when it is missing or too long for the area.
std::string NameInArea(const std::optional<std::string>& name, std::size_t areaSize) {
    if (!name || name->size() + 1 > areaSize) {
        return std::string(kUnknown);
    }
    return name->substr(0, name->find('\0'));
}

}  // namespace

std::string& CSystemReport::AppendDateTime(std::string& report) {
    const std::optional<LocalTime> local = m_platform.ToLocalTime(m_platform.CurrentTime());
    const std::string date = local && IsValid(*local) ? DateText(*local) : std::string(kUnknown);
    std::string text;
    report_lines::AppendLine(text, "  Date and Time   : ", date);
    return report.append(text);
}

void CSystemReport::QueryComputerName() {
    m_computerName = NameInArea(m_platform.ComputerName(), kComputerNameArea);
}

void CSystemReport::QueryUserName() {
    m_userName = NameInArea(m_platform.UserName(), kUserNameArea);
}

std::string& CSystemReport::AppendComputerName(std::string& report) {
    QueryComputerName();
    std::string text;
    report_lines::AppendLine(text, "  Computer Name   : ", m_computerName);
    return report.append(text);
}

std::string& CSystemReport::AppendUserName(std::string& report) {
    QueryUserName();
    std::string text;
    report_lines::AppendLine(text, "  User Name       : ", m_userName);
    // Each domain line appears only when its variable is set, even to an empty value, and
    // carries the value whole, however long.
    if (const auto domain = m_platform.EnvironmentVariable("USERDOMAIN")) {
        report_lines::AppendLine(text, "  User Domain     : ", *domain);
    }
    if (const auto dnsDomain = m_platform.EnvironmentVariable("USERDNSDOMAIN")) {
        report_lines::AppendLine(text, "  User DNS Domain : ", *dnsDomain);
    }
    return report.append(text);
}

}  // namespace kolt
