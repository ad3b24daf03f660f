#include "platform/linux/release_facts.h"

#include <utility>

#include "platform/common/architecture.h"
#include "platform/linux/os_release.h"
#include "platform/linux/text_lines.h"

namespace kolt::linux_backend {

namespace {

std::optional<std::string> NonEmptyValue(const OsRelease& values, std::string_view key) {
    const auto found = values.find(key);
    if (found == values.end() || found->second.empty()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace

std::optional<std::uint64_t> ParseUptimeSeconds(std::string_view procUptime) {
    std::string_view figure = NextField(procUptime);
    figure = figure.substr(0, figure.find('.'));
    return ParseUnsigned(figure);
}

SystemRelease ReleaseFromSources(const std::optional<std::string>& osRelease,
                                 std::optional<std::string> kernel,
                                 const std::optional<std::string>& machine) {
    SystemRelease release;
    if (osRelease) {
        const OsRelease values = ParseOsRelease(*osRelease);
        release.distribution = NonEmptyValue(values, "ID");
        release.release = NonEmptyValue(values, "VERSION_ID");
        release.edition = NonEmptyValue(values, "VARIANT");
    }
    if (kernel && !kernel->empty()) {
        release.kernel = std::move(kernel);
    }
    release.systemArchitecture = machine ? common::ArchitectureName(*machine) : std::nullopt;
    release.programArchitecture = common::ProgramArchitecture();
    return release;
}

}  // namespace kolt::linux_backend
