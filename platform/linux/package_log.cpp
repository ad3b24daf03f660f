// Only POSIX and Linux code here.
#include "platform/linux/package_log.h"

#include "platform/linux/text_lines.h"
#include "platform/posix/files.h"

namespace kolt::linux_backend {

namespace {

// Package logs grow with each run until they are rotated.
constexpr std::size_t kPackageLogLimit = 64u << 20;

// "2026-12-01" at the start of `text`, as a valid calendar day.
std::optional<CalendarDate> LeadingDate(std::string_view text) {
    if (text.size() < 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const auto year = ParseUnsigned(text.substr(0, 4));
    const auto month = ParseUnsigned(text.substr(5, 2));
    const auto day = ParseUnsigned(text.substr(8, 2));
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31) {
        return std::nullopt;
    }
    return CalendarDate{static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day)};
}

}  // namespace

std::optional<CalendarDate> LastAptRunEnd(std::string_view historyLog) {
    std::optional<CalendarDate> last;
    ForEachLine(historyLog, [&last](std::string_view line) {
        constexpr std::string_view kEnd = "End-Date:";
        if (line.starts_with(kEnd)) {
            if (const auto date = LeadingDate(Trim(line.substr(kEnd.size())))) {
                last = date;
            }
        }
    });
    return last;
}

std::optional<CalendarDate> LastDpkgChange(std::string_view dpkgLog) {
    std::optional<CalendarDate> last;
    ForEachLine(dpkgLog, [&last](std::string_view line) {
        // "2026-12-01 10:22:33 status installed tzdata:all 2024a-0+deb12u1"
        const std::size_t status = line.find(" status ");
        if (status == std::string_view::npos) {
            return;
        }
        const std::string_view state = line.substr(status + 8);
        if (state.starts_with("installed ") || state.starts_with("not-installed ")) {
            if (const auto date = LeadingDate(line)) {
                last = date;
            }
        }
    });
    return last;
}

std::optional<InstalledUpdates> ReadLastPackageRun(const std::string& root) {
    struct Source {
        const char* path;
        std::optional<CalendarDate> (*last)(std::string_view);
    };
    const Source sources[] = {
        {"/var/log/apt/history.log", LastAptRunEnd},
        {"/var/log/apt/history.log.1", LastAptRunEnd},
        {"/var/log/dpkg.log", LastDpkgChange},
        {"/var/log/dpkg.log.1", LastDpkgChange},
    };
    for (const Source& source : sources) {
        const std::string path = root + source.path;
        if (const auto log = posix::ReadTextFile(path.c_str(), kPackageLogLimit)) {
            if (const auto date = source.last(*log)) {
                return InstalledUpdates{std::nullopt, date, std::nullopt};
            }
        }
    }
    return std::nullopt;
}

}  // namespace kolt::linux_backend
