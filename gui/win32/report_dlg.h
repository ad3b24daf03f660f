// The report viewer: shows its own copy of the report and saves, prints, copies or mails it
// through the viewer's logic, which reaches the common dialogs, the printer and the clipboard
// through this class. Ctrl+A selects the whole report and Ctrl+C copies it from any of its
// controls; the e-mail line works from the keyboard.
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

    void PrepareForKeyboardAndScreenReaders();
    void SelectWholeReport();

    void ShowMessage(std::string_view text, ui::MessageIcon icon) override;
    void OpenWithShell(const std::string& target) override;
    std::optional<std::string> PromptSaveAs(const ui::SaveAsRequest& request) override;
    std::unique_ptr<ui::Printer> PromptPrinter() override;
    bool PutOnClipboard(const std::string& text) override;

    std::string m_applicationName;
    ReportDlgLogic m_logic;
};

}  // namespace kolt
