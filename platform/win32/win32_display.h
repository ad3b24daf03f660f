// The display devices through user32. Only Win32 code here.
#pragma once

#include <vector>

#include "platform/win32/display_rules.h"

namespace kolt::win32 {

// Every display device the system enumerates, in its order.
std::vector<DisplayDeviceRecord> EnumerateDisplayDevices();

}  // namespace kolt::win32
