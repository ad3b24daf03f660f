// Whether the Windows Time service runs, asked of the service control manager with read-only
// rights. Only Win32 code here.
#pragma once

#include <optional>

namespace kolt::win32 {

// Nullopt where the service is not installed or its state cannot be read.
std::optional<bool> TimeServiceRunning();

}  // namespace kolt::win32
