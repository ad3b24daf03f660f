// The report viewer: shows its own copy of the report and saves, prints, copies or mails it
// through the viewer's logic, which reaches the common dialogs, the printer and the clipboard
// through the window's services. Ctrl+A selects the whole report and Ctrl+C copies it from any
// of its controls; the e-mail line works from the keyboard.
#pragma once

#include <string>

#include "gui/report_dlg_logic.h"
#include "gui/win32/window_services.h"
#include "ui/dialog.h"

namespace kolt {

class CReportDlg final : public ui::Dialog {
public:
    // `proposedFileName` is the name a Save proposes; `applicationName` captions the viewer's
    // message boxes.
    CReportDlg(std::string proposedFileName, std::string applicationName);

    void SetReport(const std::string& report) { m_logic.SetReport(report); }

private:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;

    void PrepareForKeyboardAndScreenReaders();
    void SelectWholeReport();

    WindowServices m_services;
    ReportDlgLogic m_logic;
};

}  // namespace kolt
