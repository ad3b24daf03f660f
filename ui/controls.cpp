#include "ui/controls.h"

#include <commctrl.h>

namespace kolt::ui {

bool IsChecked(HWND dialog, int id) {
    return ::SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND dialog, int id, bool checked) {
    ::SendDlgItemMessageA(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetProgressRange(HWND dialog, int id, int low, int high) {
    ::SendDlgItemMessageA(dialog, id, PBM_SETRANGE, 0, MAKELPARAM(low, high));
}

void SetProgressPosition(HWND dialog, int id, int position) {
    ::SendDlgItemMessageA(dialog, id, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    ::UpdateWindow(::GetDlgItem(dialog, id));
}

}  // namespace kolt::ui
