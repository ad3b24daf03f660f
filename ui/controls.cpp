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

}  // namespace kolt::ui
