// Mains power and the batteries: the system's power status, and each battery's capacities and
// cycle count from its driver. Only Win32 code here; both answer at once.
#pragma once

#include <optional>

#include "platform/platform.h"

namespace kolt::win32 {

std::optional<PowerInfo> ReadPower();

}  // namespace kolt::win32
