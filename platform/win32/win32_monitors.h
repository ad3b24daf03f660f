// The monitors in use through user32, with their current modes and scales. Only Win32 code here.
// Asked on a worker thread with a deadline: the window system and the display drivers answer it.
#pragma once

#include <vector>

#include "platform/platform.h"

namespace kolt::win32 {

// Every monitor of the desktop, the primary one first, in true pixels whatever the program's
// declared awareness of scaling.
std::vector<DisplayInfo> ReadMonitors();

}  // namespace kolt::win32
