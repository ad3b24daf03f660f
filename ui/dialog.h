// A modal dialog built from a template, in place of a dialog framework. The dialog procedure
// binds the C++ object to its window at WM_INITDIALOG and hands every later message to virtual
// handlers; while no object is bound it leaves everything to the system. Only Win32 code here.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace kolt::ui {

class Dialog {
public:
    // `dialogTemplate` holds the template's bytes as the resource compiler wrote them.
    explicit Dialog(std::vector<std::uint8_t> dialogTemplate);
    virtual ~Dialog() = default;

    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Shows the dialog owned by `owner` (disabled meanwhile) and returns the value that ended it,
    // or -1 when the dialog could not be created.
    INT_PTR DoModal(HWND owner);

    // The dialog's window while it is shown, nullptr otherwise.
    HWND Window() const { return m_window; }

protected:
    // Runs once the dialog stands centred over its owner (or the screen), before it shows.
    // Return TRUE to let the system put the focus on the first control with a tab stop.
    virtual BOOL OnInitDialog() { return TRUE; }
    // A control's notification or a menu command; true when handled.
    virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
    // Anything else; true when handled, with the result to return in `result`.
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                           INT_PTR& /*result*/) {
        return false;
    }
    // Enter without a default button of the dialog's own.
    virtual void OnOK() { End(IDOK); }
    // Escape, the close box, the system menu's Close, and WM_CLOSE.
    virtual void OnCancel() { End(IDCANCEL); }

    void End(INT_PTR result);

private:
    static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<std::uint8_t> m_template;
    HWND m_window = nullptr;
};

}  // namespace kolt::ui
