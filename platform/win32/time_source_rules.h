// Where the Windows Time service takes the time from, as its parameters in the registry say: a
// pure rule, tested on every build.
#pragma once

#include <optional>
#include <string_view>

#include "platform/platform.h"
#include "platform/win32/registry_rules.h"

namespace kolt::win32 {

inline constexpr std::string_view kTimeParametersKey =
    "SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters";

// The service's Type and its NtpServer list (servers apart by spaces, each with its flags as
// written, "time.windows.com,0x9"), with whether the service runs as the caller found it.
// Whether the clock is in step is not said by anything read here: unknown. Nullopt when neither
// the parameters nor the service's state are known.
std::optional<TimeSource> ReadTimeSource(RegistryView& registry,
                                         std::optional<bool> serviceRunning);

}  // namespace kolt::win32
