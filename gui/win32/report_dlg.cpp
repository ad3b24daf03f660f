#include "gui/win32/report_dlg.h"

#include <utility>

#include "gui/res/resource.h"
#include "gui/win32/dialog_templates.h"
#include "text/utf16.h"
#include "ui/accessible_name.h"
#include "ui/ctrl_shortcut.h"
#include "ui/keyboard_link.h"

namespace kolt {

namespace {

// The controls that take the keyboard focus, in tab order.
constexpr int kFocusableControls[] = {IDC_CLOSE, IDC_REPORT_TEXT, IDC_EMAIL,
                                      IDC_COPY,  IDC_SAVE,        IDC_PRINT};

// What screen readers announce for the text box, which has no label on screen.
constexpr const char* kReportBoxName = "Report";

}  // namespace

CReportDlg::CReportDlg(std::string proposedFileName, std::string applicationName)
    : ui::Dialog(LoadDialogTemplateWithInstalledFace(IDD_REPORT_DIALOG)),
      m_services(*this, std::move(applicationName)),
      m_logic(std::move(proposedFileName), m_services) {}

BOOL CReportDlg::OnInitDialog() {
    // The copy as it is, CR LF line ends and all: the edit box shows them as line breaks. In
    // UTF-16, so every name shows whole whatever the system's 8-bit code page.
    ::SetDlgItemTextW(Window(), IDC_REPORT_TEXT, text::Utf16FromUtf8(m_logic.ReportText()).c_str());
    PrepareForKeyboardAndScreenReaders();
    return TRUE;
}

void CReportDlg::PrepareForKeyboardAndScreenReaders() {
    const HWND email = ::GetDlgItem(Window(), IDC_EMAIL);
    ui::MakeKeyboardLink(email);
    ui::Annotate(email, {"", true});
    ui::Annotate(::GetDlgItem(Window(), IDC_REPORT_TEXT), {kReportBoxName, false});

    // Ctrl+A and Ctrl+C work wherever the focus is: the edit box of older systems knows no
    // Ctrl+A, and the buttons know neither. In the text box Ctrl+C copies what is selected there,
    // as every text box does.
    for (const int id : kFocusableControls) {
        const HWND control = ::GetDlgItem(Window(), id);
        ui::RouteCtrlShortcut(control, 'A', IDM_SELECT_ALL);
        if (id != IDC_REPORT_TEXT) {
            ui::RouteCtrlShortcut(control, 'C', IDC_COPY);
        }
    }
}

void CReportDlg::SelectWholeReport() {
    const HWND box = ::GetDlgItem(Window(), IDC_REPORT_TEXT);
    // Through the dialog manager, so the default button and the tab position follow the focus.
    ::SendMessageW(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);
    ::SendMessageW(box, EM_SETSEL, 0, -1);
}

bool CReportDlg::OnCommand(int id, int code) {
    // STN_CLICKED and a menu command's notification (0, the shortcuts') have the same value.
    if (code != BN_CLICKED) {
        return false;
    }
    switch (id) {
        case IDC_CLOSE:
            ::SendMessageW(Window(), WM_CLOSE, 0, 0);
            return true;
        case IDC_PRINT:
            m_logic.OnPrintClicked();
            return true;
        case IDC_SAVE:
            m_logic.OnSaveClicked();
            return true;
        case IDC_COPY:
            m_logic.OnCopyClicked();
            return true;
        case IDM_SELECT_ALL:
            SelectWholeReport();
            return true;
        case IDC_EMAIL:
            m_logic.OnEmailClicked();
            return true;
        default:
            return false;
    }
}

}  // namespace kolt
