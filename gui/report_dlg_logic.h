// What the report viewer does with its own copy of the report: save it to a text file, print it
// page by page, and open a mail to the support desk.
#pragma once

#include <string>

#include "gui/dialog_services.h"
#include "platform/platform.h"

namespace kolt {

class ReportDlgLogic {
public:
    ReportDlgLogic(Platform& platform, DialogServices& services);

    ReportDlgLogic(const ReportDlgLogic&) = delete;
    ReportDlgLogic& operator=(const ReportDlgLogic&) = delete;

    void SetReport(const std::string& report) { m_reportText = report; }
    // The viewer's copy; Save and Print work on it, never on what the edit box shows.
    const std::string& ReportText() const { return m_reportText; }

    void OnSaveClicked();
    void OnPrintClicked();
    void OnEmailClicked();

    // The proposed name of a saved report.
    std::string ProposedFileName();

private:
    Platform& m_platform;
    DialogServices& m_services;
    std::string m_reportText;
};

}  // namespace kolt
