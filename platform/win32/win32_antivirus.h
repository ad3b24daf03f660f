// The antivirus products the security center registers (WMI, ROOT\SecurityCenter2). Only Win32
// code here. Asked on a worker thread with a deadline: WMI may hang.
#pragma once

#include <optional>
#include <vector>

#include "platform/platform.h"

namespace kolt::win32 {

// Nullopt where the security center's namespace is not there (a server edition) or WMI does not
// answer: unknown, not "none".
std::optional<std::vector<AntivirusProduct>> ReadAntivirusProducts();

}  // namespace kolt::win32
