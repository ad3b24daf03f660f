// Ctrl+letter shortcuts of a dialog that work whichever of its controls has the focus. Only
// Win32 code here.
#pragma once

#include <windows.h>

namespace kolt::ui {

// From now until `control` is destroyed, Ctrl+`letter` (an upper-case ASCII letter) pressed while
// it has the focus sends its dialog WM_COMMAND with `command` (as a menu command: notification 0)
// instead of reaching the control. A control can take several such shortcuts, one call each.
// Returns false when the control could not be changed.
bool RouteCtrlShortcut(HWND control, char letter, int command);

}  // namespace kolt::ui
