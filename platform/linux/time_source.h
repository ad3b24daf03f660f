// Where a Linux machine's clock gets its time.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace kolt::linux_backend {

// The servers a time daemon's configuration text names: "server" and "pool" lines of chrony's
// or ntpd's, the NTP= (else FallbackNTP=) line of systemd-timesyncd's.
std::vector<std::string> ChronyOrNtpServers(std::string_view config);
std::vector<std::string> TimesyncdServers(std::string_view config);

// The servers of the first configuration found under `root` (chrony, ntpsec, ntp, timesyncd and
// its drop-ins are not read), and whether the kernel clock is synchronised (`synchronised`, from
// adjtimex, given by the caller). Type and service state are unknown: which daemon runs is not
// asked of the service manager.
TimeSource ReadTimeSource(const std::string& root, std::optional<bool> synchronised);

// Whether the kernel keeps its clock in step with a time source: adjtimex's STA_UNSYNC clear.
// Read only (no mode bit set), which needs no privilege; nullopt where the call fails.
std::optional<bool> KernelClockSynchronised();

}  // namespace kolt::linux_backend
