#include "gui/win32/report_dlg.h"

#include <utility>

#include "gui/res/resource.h"
#include "gui/win32/dialog_templates.h"
#include "text/utf16.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "ui/printer_dc.h"
#include "ui/shell.h"

namespace kolt {

CReportDlg::CReportDlg(Platform& platform, std::string applicationName)
    : ui::Dialog(LoadDialogTemplateWithInstalledFace(IDD_REPORT_DIALOG)),
      m_applicationName(std::move(applicationName)),
      m_logic(platform, *this) {}

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

void CReportDlg::ShowMessage(std::string_view text, ui::MessageIcon icon) {
    ui::ShowOkMessage(Window(), std::string(text), m_applicationName, icon);
}

void CReportDlg::OpenWithShell(const std::string& target) {
    ui::ShellOpen(Window(), target);
}

std::optional<std::string> CReportDlg::PromptSaveAs(const ui::SaveAsRequest& request) {
    return ui::PromptSaveFileName(Window(), request);
}

std::unique_ptr<ui::Printer> CReportDlg::PromptPrinter() {
    return ui::PromptPrinter(Window());
}

}  // namespace kolt
