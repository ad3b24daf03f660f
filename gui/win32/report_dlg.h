// The report viewer: shows its own copy of the report and saves, prints or mails it through the
// viewer's logic, which reaches the common dialogs and the printer through this class.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "gui/report_dlg_logic.h"
#include "gui/report_dlg_ports.h"
#include "platform/platform.h"
#include "ui/dialog.h"

namespace kolt {

class CReportDlg final : public ui::Dialog, private ReportDlgServices {
public:
    // `applicationName` captions the viewer's message boxes.
    CReportDlg(Platform& platform, std::string applicationName);

    void SetReport(const std::string& report) { m_logic.SetReport(report); }

private:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;

    void ShowMessage(std::string_view text, ui::MessageIcon icon) override;
    void OpenWithShell(const std::string& target) override;
    std::optional<std::string> PromptSaveAs(const ui::SaveAsRequest& request) override;
    std::unique_ptr<ui::Printer> PromptPrinter() override;

    std::string m_applicationName;
    ReportDlgLogic m_logic;
};

}  // namespace kolt
