// Whether Windows waits for a restart, and why: pure rules over a view of the registry, so they
// are tested on every build with canned values.
#pragma once

#include <optional>
#include <string_view>

#include "platform/platform.h"
#include "platform/win32/registry_rules.h"

namespace kolt::win32 {

inline constexpr std::string_view kUpdateRebootKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update\\RebootRequired";
inline constexpr std::string_view kServicingRebootKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Component Based Servicing\\RebootPending";
inline constexpr std::string_view kSessionManagerKey =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
inline constexpr std::string_view kActiveComputerNameKey =
    "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName";
inline constexpr std::string_view kPendingComputerNameKey =
    "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName";

// The reasons in a fixed order: Windows Update and component servicing while their keys exist,
// file renames while either list of them holds an entry, a rename while the name the computer
// will have differs from the one it has. Since when: the earlier write time of the two keys that
// Windows creates for a pending restart (the Session Manager key's time says when any of its
// values last changed, not when the renames were queued). Nullopt when neither the Session
// Manager key nor the computer's name can be read: the registry does not answer.
std::optional<RestartState> ReadRestartState(RegistryView& registry);

}  // namespace kolt::win32
