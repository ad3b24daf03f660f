// What screen readers announce for a control that shows no text of its own, or whose kind the
// system cannot tell (a static text that opens something when clicked). Only Win32 code here.
#pragma once

#include <windows.h>

#include <string>

namespace kolt::ui {

struct AccessibleAnnotation {
    // The name to announce (UTF-8); empty keeps the name the system gives (the control's text).
    std::string name;
    // Announced as a link rather than as the control's own kind.
    bool isLink = false;
};

// From now until the control is destroyed, Active Accessibility clients (screen readers) asking
// for the control get the system's own object for it with `annotation` applied. Returns false
// when the control could not be changed.
bool Annotate(HWND control, AccessibleAnnotation annotation);

}  // namespace kolt::ui
