// The date line, the computer name and the user name with the user's domains.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "report/report_lines.h"
#include "report/system_report.h"
#include "text/utf8.h"

namespace kolt {

namespace {

constexpr std::string_view kUnknown = "Unknown";

// The platform keeps a computer name in an area of 16 characters and a user name in one of 257,
// each with its NUL; a longer name does not fit and is as good as none. Windows' wide areas count
// UTF-16 code units, and so does the report: an ASCII name fits exactly as it did in bytes, and a
// name of 15 Cyrillic or Chinese characters fits as it does on Windows.
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
// missing or too long for the area.
std::optional<std::string> NameInArea(const std::optional<std::string>& name,
                                      std::size_t areaSize) {
    if (!name || text::Utf16Length(*name) + 1 > areaSize) {
        return std::nullopt;
    }
    return name->substr(0, name->find('\0'));
}

}  // namespace

std::optional<LocalTime> CSystemReport::QueryLocalTime() {
    const std::optional<LocalTime> local = m_platform.ToLocalTime(m_platform.CurrentTime());
    if (!local || !IsValid(*local)) {
        return std::nullopt;
    }
    return local;
}

std::string CSystemReport::DateText(const std::optional<LocalTime>& local) {
    return local ? FormatLocalTime(*local) : std::string(kUnknown);
}

std::string& CSystemReport::AppendDateTime(std::string& report) {
    std::string text;
    report_lines::AppendLine(text, "  Date and Time   : ", DateText(QueryLocalTime()));
    return report.append(text);
}

std::optional<std::string> CSystemReport::QueryComputerName() {
    std::optional<std::string> name = NameInArea(m_platform.ComputerName(), kComputerNameArea);
    m_computerName = name.value_or(std::string(kUnknown));
    return name;
}

std::optional<std::string> CSystemReport::QueryUserName() {
    std::optional<std::string> name = NameInArea(m_platform.UserName(), kUserNameArea);
    m_userName = name.value_or(std::string(kUnknown));
    return name;
}

DomainFacts CSystemReport::QueryDomains() {
    return DomainFacts{m_platform.EnvironmentVariable("USERDOMAIN"),
                       m_platform.EnvironmentVariable("USERDNSDOMAIN")};
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
    const DomainFacts domains = QueryDomains();
    if (domains.domain) {
        report_lines::AppendLine(text, "  User Domain     : ", *domains.domain);
    }
    if (domains.dnsDomain) {
        report_lines::AppendLine(text, "  User DNS Domain : ", *domains.dnsDomain);
    }
    return report.append(text);
}

}  // namespace kolt
