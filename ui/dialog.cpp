#include "ui/dialog.h"

#include <utility>

#include "ui/center_window.h"

namespace kolt::ui {

Dialog::Dialog(std::vector<std::uint8_t> dialogTemplate) : m_template(std::move(dialogTemplate)) {}

INT_PTR Dialog::DoModal(HWND owner) {
    const auto* dialogTemplate = reinterpret_cast<const DLGTEMPLATE*>(m_template.data());
    // The wide call makes the dialog and its controls Unicode windows, which keep any text
    // whole; the narrow one would squeeze every text through the 8-bit code page.
    const INT_PTR result =
        ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialogTemplate, owner,
                                  &Dialog::DialogProcedure, reinterpret_cast<LPARAM>(this));
    m_window = nullptr;
    return result;
}

void Dialog::End(INT_PTR result) {
    ::EndDialog(m_window, result);
}

INT_PTR CALLBACK Dialog::DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->m_window = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    // Messages before WM_INITDIALOG (WM_SETFONT among them) find no object yet.
    if (self == nullptr) {
        return FALSE;
    }
    const INT_PTR result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    return result;
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            CenterWindow(m_window);
            return OnInitDialog();
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (OnCommand(id, code)) {
                return TRUE;
            }
            if (id == IDOK && code == BN_CLICKED) {
                OnOK();
                return TRUE;
            }
            if (id == IDCANCEL && code == BN_CLICKED) {
                OnCancel();
                return TRUE;
            }
            return FALSE;
        }
        case WM_CLOSE:
            OnCancel();
            return TRUE;
        default: {
            INT_PTR result = FALSE;
            if (OnMessage(message, wParam, lParam, result)) {
                return result;
            }
            return FALSE;
        }
    }
}

}  // namespace kolt::ui
