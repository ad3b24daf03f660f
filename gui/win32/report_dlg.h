// The report viewer: shows its own copy of the report and saves, prints or mails it through the
// viewer's logic, which reaches the common dialogs and the printer through the window's services.
#pragma once

#include <string>

#include "gui/report_dlg_logic.h"
#include "gui/win32/window_services.h"
#include "platform/platform.h"
#include "ui/dialog.h"

namespace kolt {

class CReportDlg final : public ui::Dialog {
public:
    // `applicationName` captions the viewer's message boxes.
    CReportDlg(Platform& platform, std::string applicationName);

    void SetReport(const std::string& report) { m_logic.SetReport(report); }

private:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;

    WindowServices m_services;
    ReportDlgLogic m_logic;
};

}  // namespace kolt
