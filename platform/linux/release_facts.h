// How long the system has run, and its release in detail: from the text of /proc/uptime,
// os-release and what uname says.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kolt::linux_backend {

// The whole seconds of the first figure of /proc/uptime ("5400.75 2866.07"); nullopt when the
// text does not start with a number.
std::optional<std::uint64_t> ParseUptimeSeconds(std::string_view procUptime);

// The release from os-release's text (ID as the distribution, VERSION_ID as the release, VARIANT
// as the edition; nullopt when there is no os-release), the kernel's release and uname's machine
// name, and what this program is built for.
SystemRelease ReleaseFromSources(const std::optional<std::string>& osRelease,
                                 std::optional<std::string> kernel,
                                 const std::optional<std::string>& machine);

}  // namespace kolt::linux_backend
