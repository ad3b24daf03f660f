// A static control that opens something when clicked (SS_NOTIFY), usable from the keyboard as
// a link is. Only Win32 code here.
#pragma once

#include <windows.h>

namespace kolt::ui {

// From now until the control is destroyed: it draws a focus rectangle inside its edge while it
// has the keyboard focus (which the Tab key gives it when the template marks it WS_TABSTOP), and
// Enter or Space sends its dialog the same STN_CLICKED notification a mouse click sends.
// Returns false when the control could not be changed.
bool MakeKeyboardLink(HWND control);

}  // namespace kolt::ui
