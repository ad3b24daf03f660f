#include "gui/win32/report_dlg.h"

#include <utility>

#include "gui/res/resource.h"
#include "gui/win32/dialog_templates.h"
#include "text/utf16.h"

namespace kolt {

CReportDlg::CReportDlg(Platform& platform, std::string applicationName)
    : ui::Dialog(LoadDialogTemplateWithInstalledFace(IDD_REPORT_DIALOG)),
      m_services(*this, std::move(applicationName)),
      m_logic(platform, m_services) {}

BOOL CReportDlg::OnInitDialog() {
    // The copy as it is, CR LF line ends and all: the edit box shows them as line breaks. In
    // UTF-16, so every name shows whole whatever the system's 8-bit code page.
    ::SetDlgItemTextW(Window(), IDC_REPORT_TEXT, text::Utf16FromUtf8(m_logic.ReportText()).c_str());
    return TRUE;
}

bool CReportDlg::OnCommand(int id, int code) {
    if (code != BN_CLICKED) {  // STN_CLICKED has the same value
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
        case IDC_EMAIL:
            m_logic.OnEmailClicked();
            return true;
        default:
            return false;
    }
}

}  // namespace kolt
