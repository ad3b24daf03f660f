#include "ui/controls.h"

#include <commctrl.h>

namespace kolt::ui {

bool IsChecked(HWND dialog, int id) {
    return ::SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND dialog, int id, bool checked) {
    ::SendDlgItemMessageW(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetProgressRange(HWND dialog, int id, int low, int high) {
    ::SendDlgItemMessageW(dialog, id, PBM_SETRANGE, 0, MAKELPARAM(low, high));
}

void SetProgressPosition(HWND dialog, int id, int position) {
    ::SendDlgItemMessageW(dialog, id, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    ::UpdateWindow(::GetDlgItem(dialog, id));
}

void ShowBitmapUnscaled(HWND control, HBITMAP bitmap) {
    BITMAP picture{};
    if (control == nullptr || ::GetObjectW(bitmap, sizeof(picture), &picture) == 0) {
        return;
    }
    ::SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    RECT around{0, 0, picture.bmWidth, picture.bmHeight};
    ::AdjustWindowRectEx(&around, static_cast<DWORD>(::GetWindowLongW(control, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongW(control, GWL_EXSTYLE)));
    ::SetWindowPos(control, nullptr, 0, 0, around.right - around.left, around.bottom - around.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kolt::ui
