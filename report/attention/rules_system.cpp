// The rules over the operating system, its clock, its restarts and its updates.
#include <cstdio>
#include <string>

#include "report/attention/rules.h"
#include "report/attention/support_dates.h"
#include "report/attention/thresholds.h"
#include "report/iso_time.h"

namespace kolt::attention {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t DayOf(const CalendarDate& date) {
    return DaysFromCivil(date.year, date.month, date.day);
}

// Days since 1970 of seconds since 1970, rounded towards the past.
std::int64_t DayOfSeconds(std::int64_t seconds) {
    return (seconds >= 0 ? seconds : seconds - (kSecondsPerDay - 1)) / kSecondsPerDay;
}

std::string_view ReasonText(RestartReason reason) {
    switch (reason) {
        case RestartReason::WindowsUpdate:
            return "Windows Update";
        case RestartReason::ComponentServicing:
            return "component servicing";
        case RestartReason::FileRenames:
            return "files to replace";
        case RestartReason::ComputerRename:
            return "a new computer name";
        case RestartReason::PackageUpdates:
            return "package updates";
    }
    return "another reason";
}

std::string DaysText(std::int64_t days) {
    return std::to_string(days) + (days == 1 ? " day" : " days");
}

}  // namespace

std::optional<std::int64_t> ReportDay(const RuleInput& input) {
    const auto& local = input.extended.clockLocal;
    if (!local) {
        return std::nullopt;
    }
    return DaysFromCivil(local->year, local->month, local->day);
}

std::string DayText(std::int64_t daysSince1970) {
    const LocalTime date = CivilFromSeconds(daysSince1970 * kSecondsPerDay);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::vector<RuleFinding> OutOfSupport(const RuleInput& input) {
    const SystemRelease& release = input.extended.release;
    const std::optional<std::int64_t> today = ReportDay(input);
    if (!release.build || !today) {
        return {};
    }
    // Build numbers are Windows' own: a system that names itself otherwise is not looked up.
    if (const auto& os = input.facts.operatingSystem;
        os && os->found.name && os->found.name->find("Windows") == std::string::npos) {
        return {};
    }
    const std::optional<std::uint32_t> build = BuildNumber(*release.build);
    if (!build) {
        return {};
    }
    const std::optional<SupportEnd> end = SupportEndOf(*build, release.edition);
    if (!end || *today <= DayOf(end->lastDay)) {
        return {};
    }
    const std::string lastDay = DayText(DayOf(end->lastDay));
    std::string name(end->product);
    if (!end->release.empty()) {
        name += " version ";
        name += end->release;
    }
    return {{name + " (build " + std::to_string(*build) + ") is out of support since " + lastDay,
             {{"build", static_cast<std::int64_t>(*build)},
              {"release", std::string(end->release.empty() ? end->product : end->release)},
              {"endOfSupport", lastDay}}}};
}

std::vector<RuleFinding> ClockBeforeBuild(const RuleInput& input) {
    if (input.buildSeconds <= 0) {
        return {};
    }
    const std::int64_t clockDay = DayOfSeconds(input.extended.clockSeconds);
    const std::int64_t buildDay = DayOfSeconds(input.buildSeconds);
    if (clockDay >= buildDay) {
        return {};
    }
    const std::string clock = DayText(clockDay);
    const std::string built = DayText(buildDay);
    return {{"The clock says " + clock + ", before this program was built (" + built +
                 "): a dead clock battery makes certificates fail",
             {{"clockDate", clock}, {"buildDate", built}}}};
}

std::vector<RuleFinding> RestartPending(const RuleInput& input) {
    const std::optional<RestartState>& restart = input.extended.restart;
    if (!restart || restart->reasons.empty()) {
        return {};
    }
    std::string reasons;
    for (const RestartReason reason : restart->reasons) {
        reasons += reasons.empty() ? "" : ", ";
        reasons += ReasonText(reason);
        if (reason == RestartReason::PackageUpdates && restart->packageCount) {
            reasons += " (" + std::to_string(*restart->packageCount) + ")";
        }
    }
    RuleFinding found{"A restart is pending: " + reasons, {{"reasons", reasons}}};
    if (restart->pendingSince && *restart->pendingSince <= input.extended.clockSeconds) {
        const std::int64_t days =
            DayOfSeconds(input.extended.clockSeconds) - DayOfSeconds(*restart->pendingSince);
        found.text += ", for " + DaysText(days);
        found.facts.emplace_back("pendingDays", days);
    }
    return {std::move(found)};
}

std::vector<RuleFinding> UpTooLong(const RuleInput& input) {
    const std::optional<std::uint64_t>& up = input.extended.upTimeSeconds;
    if (!up || *up <= kUpTimeDaysLong * kSecondsPerDay) {
        return {};
    }
    const auto days = static_cast<std::int64_t>(*up / kSecondsPerDay);
    return {
        {"Up for " + DaysText(days) + " without a restart", {{"upTimeSeconds", CountValue(*up)}}}};
}

std::vector<RuleFinding> TimeNotSynchronised(const RuleInput& input) {
    const std::optional<TimeSource>& source = input.extended.timeSource;
    if (!source) {
        return {};
    }
    if (source->type == "NoSync") {
        return {{"The clock has no time source to keep it in step", {{"type", *source->type}}}};
    }
    if (source->synchronised != false) {
        return {};
    }
    std::string servers;
    for (const std::string& server : source->servers) {
        servers += servers.empty() ? "" : " ";
        servers += server;
    }
    RuleFinding found{"The clock is not in step with its time source", {}};
    if (!servers.empty()) {
        found.text += " (" + servers + ")";
        found.facts.emplace_back("servers", servers);
    }
    return {std::move(found)};
}

std::vector<RuleFinding> UpdatesOutOfDate(const RuleInput& input) {
    const std::optional<InstalledUpdates>& updates = input.extended.updates;
    const std::optional<std::int64_t> today = ReportDay(input);
    if (!updates || !updates->newestDate || !today) {
        return {};
    }
    const std::int64_t age = *today - DayOf(*updates->newestDate);
    if (age <= kNewestUpdateDaysOld) {
        return {};
    }
    const std::string installed = DayText(DayOf(*updates->newestDate));
    RuleFinding found{"The newest update", {{"newestDate", installed}, {"ageDays", age}}};
    if (updates->newestId) {
        found.text += " (" + *updates->newestId + ")";
        found.facts.emplace_back("newestId", *updates->newestId);
    }
    found.text += " was installed " + DaysText(age) + " ago, on " + installed;
    return {std::move(found)};
}

}  // namespace kolt::attention
