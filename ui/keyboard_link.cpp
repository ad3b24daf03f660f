#include "ui/keyboard_link.h"

#include <commctrl.h>

#include "ui/handles.h"

namespace kolt::ui {

namespace {

constexpr UINT_PTR kLinkSubclassId = 1;

bool IsActivationKey(WPARAM key) {
    return key == VK_RETURN || key == VK_SPACE;
}

bool ShowsFocusRectangles(HWND control) {
    return (::SendMessageW(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

LRESULT CALLBACK LinkProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    switch (message) {
        case WM_GETDLGCODE: {
            // Asks the dialog manager to pass on Enter (which would press the default button)
            // and Space, key and character alike; everything else keeps its dialog meaning.
            LRESULT code = ::DefSubclassProc(control, message, wParam, lParam);
            const auto* pending = reinterpret_cast<const MSG*>(lParam);
            if (pending != nullptr &&
                (pending->message == WM_KEYDOWN || pending->message == WM_CHAR) &&
                IsActivationKey(pending->wParam)) {
                code |= DLGC_WANTMESSAGE;
            }
            return code;
        }
        case WM_KEYDOWN:
            if (!IsActivationKey(wParam)) {
                break;
            }
            // Bit 30: the key was already down, so this is the keyboard's repeat.
            if ((lParam & (LPARAM{1} << 30)) == 0) {
                ::SendMessageW(::GetParent(control), WM_COMMAND,
                               MAKEWPARAM(::GetDlgCtrlID(control), STN_CLICKED),
                               reinterpret_cast<LPARAM>(control));
            }
            return 0;
        case WM_CHAR:
            if (IsActivationKey(wParam)) {
                return 0;  // handled as a key above; no beep
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_UPDATEUISTATE:
            ::InvalidateRect(control, nullptr, TRUE);
            break;
        case WM_PAINT: {
            if (wParam != 0) {
                break;  // painting into a context of the caller's: no focus to show there
            }
            // The whole control is painted afresh, so the focus rectangle (drawn by inverting)
            // is drawn exactly once over a clean picture.
            ::InvalidateRect(control, nullptr, FALSE);
            const LRESULT painted = ::DefSubclassProc(control, message, wParam, lParam);
            if (::GetFocus() == control && ShowsFocusRectangles(control)) {
                RECT inside{};
                ::GetClientRect(control, &inside);
                ::InflateRect(&inside, -1, -1);
                const WindowDc dc(control);
                ::DrawFocusRect(dc.Get(), &inside);
            }
            return painted;
        }
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(control, &LinkProcedure, kLinkSubclassId);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

bool MakeKeyboardLink(HWND control) {
    return control != nullptr &&
           ::SetWindowSubclass(control, &LinkProcedure, kLinkSubclassId, 0) != FALSE;
}

}  // namespace kolt::ui
