#include "platform/win32/update_rules.h"

#include <cstdint>
#include <set>

namespace kolt::win32 {
namespace {

// The digits of `text` as a number; nullopt when it is empty or holds anything else.
std::optional<int> Number(std::string_view text) {
    if (text.empty() || text.size() > 4) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

bool DayExists(int year, int month, int day) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1601 || month < 1 || month > 12 || day < 1) {
        return false;
    }
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

bool Later(const CalendarDate& a, const CalendarDate& b) {
    if (a.year != b.year) {
        return a.year > b.year;
    }
    if (a.month != b.month) {
        return a.month > b.month;
    }
    return a.day > b.day;
}

}  // namespace

std::optional<CalendarDate> ParseInstalledOn(std::string_view text) {
    std::optional<int> year;
    std::optional<int> month;
    std::optional<int> day;
    const std::string_view::size_type firstSlash = text.find('/');
    if (firstSlash != std::string_view::npos) {
        const std::string_view::size_type secondSlash = text.find('/', firstSlash + 1);
        if (secondSlash == std::string_view::npos) {
            return std::nullopt;
        }
        month = Number(text.substr(0, firstSlash));
        day = Number(text.substr(firstSlash + 1, secondSlash - firstSlash - 1));
        const std::string_view yearText = text.substr(secondSlash + 1);
        year = yearText.size() == 4 ? Number(yearText) : std::nullopt;
    } else if (text.size() == 8) {
        year = Number(text.substr(0, 4));
        month = Number(text.substr(4, 2));
        day = Number(text.substr(6, 2));
    }
    if (!year || !month || !day || !DayExists(*year, *month, *day)) {
        return std::nullopt;
    }
    return CalendarDate{*year, *month, *day};
}

InstalledUpdates NewestUpdate(const std::vector<UpdateRecord>& records) {
    InstalledUpdates updates;
    std::set<std::string> ids;
    for (const UpdateRecord& record : records) {
        if (record.id.empty()) {
            continue;
        }
        ids.insert(record.id);
        const std::optional<CalendarDate> date =
            record.installedOn ? ParseInstalledOn(*record.installedOn) : std::nullopt;
        if (date && (!updates.newestDate || Later(*date, *updates.newestDate))) {
            updates.newestDate = date;
            updates.newestId = record.id;
        }
    }
    updates.count = static_cast<std::uint32_t>(ids.size());
    return updates;
}

}  // namespace kolt::win32
