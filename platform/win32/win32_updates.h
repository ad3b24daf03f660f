// The installed updates from the hotfix list WMI keeps (Win32_QuickFixEngineering). Only Win32
// code here. Asked on a worker thread with a deadline: WMI may hang.
#pragma once

#include <optional>

#include "platform/platform.h"

namespace kolt::win32 {

std::optional<InstalledUpdates> ReadInstalledUpdates();

}  // namespace kolt::win32
