// What the main dialog does: loads the selection into its check boxes, refuses Windows 95, keeps
// the All box in step with the nine section boxes, and on Process builds the report with the
// progress bar running and hands it to the report viewer.
#pragma once

#include <cstdint>
#include <string>

#include "gui/dialog_services.h"
#include "gui/info_dlg_view.h"
#include "platform/platform.h"
#include "report/system_report.h"

namespace kolt {

class InfoDlgLogic {
public:
    InfoDlgLogic(Platform& platform, InfoDlgView& view, DialogServices& services);

    InfoDlgLogic(const InfoDlgLogic&) = delete;
    InfoDlgLogic& operator=(const InfoDlgLogic&) = delete;

    // The dialog's own part of its initialisation, once its controls exist: selection into the
    // boxes, progress bar reset, Windows 95 refusal (which ends the process).
    void OnInitDialog();

    void OnProcessClicked();
    void OnAllClicked();
    void OnSectionClicked();
    void OnBannerClicked();

    const std::string& SelectionPath() const { return m_selectionPath; }
    const std::string& ReportText() const { return m_reportText; }
    // The file name a Save of the last report proposes: kolt_info_HOST-1.txt for a redacted one.
    const std::string& ProposedFileName() const { return m_proposedFileName; }
    std::int32_t Progress() const { return m_progress; }

private:
    // Advances the bar by `milliseconds` and pauses as long: the same number is both.
    void StepProgress(std::int32_t milliseconds);
    void LoadSelection();
    void StoreSelection() const;
    void RefuseWindows95();

    Platform& m_platform;
    InfoDlgView& m_view;
    DialogServices& m_services;
    CSystemReport m_composer;
    std::string m_selectionPath;
    std::string m_reportText;
    std::string m_proposedFileName;
    std::int32_t m_progress = 0;
};

}  // namespace kolt
