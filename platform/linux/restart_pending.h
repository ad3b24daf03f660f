// Whether a restart is pending on Linux: the flag file Debian-family package hooks write.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"

namespace kolt::linux_backend {

// Under `root` ("" for the machine itself): /run/reboot-required present means a restart is
// pending (PackageUpdates), the packages that asked for it counted from /run/reboot-required.pkgs
// (each named once), since the flag file's modification time. Absent means "no restart pending"
// only where a program that writes the file is installed (Ubuntu's update-notifier hook, Debian's
// unattended-upgrades kernel hook); elsewhere nothing writes it, and the answer is unknown.
std::optional<RestartState> ReadRestartPending(const std::string& root);

}  // namespace kolt::linux_backend
