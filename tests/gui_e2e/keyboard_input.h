// Keys as the keyboard gives them (SendInput): they reach the focused window of the foreground
// window, pass through the dialog manager and update the key state that Ctrl shortcuts read, as
// a user's keys do. Each call returns once the keys are queued, not once they are handled: the
// caller waits for what they should do.
#pragma once

#include <windows.h>

#include <string_view>

namespace kolt::e2e {

// Makes `window` the foreground window, which keys go to; throws when it cannot be.
void BringToFront(HWND window);

void PressKey(WORD virtualKey);
// The key with Ctrl (or Alt) held down.
void PressCtrlKey(WORD virtualKey);
void PressAltKey(WORD virtualKey);

// Types `text` character by character, whatever the keyboard layout.
void TypeText(std::wstring_view text);

}  // namespace kolt::e2e
