// Opens a dialog where framework dialogs always opened. Only Win32 code here.
#pragma once

#include <windows.h>

namespace kolt::ui {

// Centres `window` over its owner when the owner is shown and not minimised, otherwise over the
// work area of the screen it is on, and keeps it inside that work area.
void CenterWindow(HWND window);

}  // namespace kolt::ui
