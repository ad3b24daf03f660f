#include "ui/ctrl_shortcut.h"

#include <commctrl.h>

namespace kolt::ui {

namespace {

bool IsDown(int key) {
    return ::GetKeyState(key) < 0;
}

// Each shortcut is a subclass of its own: its letter is the subclass's number, its command the
// subclass's data, so nothing has to be kept anywhere else.
LRESULT CALLBACK ShortcutProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR letter, DWORD_PTR command) {
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == letter && IsDown(VK_CONTROL) && !IsDown(VK_MENU)) {
                ::SendMessageW(::GetParent(control), WM_COMMAND,
                               MAKEWPARAM(static_cast<WORD>(command), 0), 0);
                return 0;
            }
            break;
        case WM_CHAR:
            // The control character the key also produced (Ctrl+A gives 1): consumed, so the
            // control neither beeps nor acts on it a second time.
            if (wParam == letter - 'A' + 1) {
                return 0;
            }
            break;
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(control, &ShortcutProcedure, letter);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

bool RouteCtrlShortcut(HWND control, char letter, int command) {
    if (control == nullptr || letter < 'A' || letter > 'Z') {
        return false;
    }
    return ::SetWindowSubclass(control, &ShortcutProcedure, static_cast<UINT_PTR>(letter),
                               static_cast<DWORD_PTR>(command)) != FALSE;
}

}  // namespace kolt::ui
