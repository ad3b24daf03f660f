// What the report viewer does with its own copy of the report: save it to a text file, print it
// page by page, put it on the clipboard, and open a mail to the support desk.
#pragma once

#include <string>

#include "gui/dialog_services.h"

namespace kolt {

class ReportDlgLogic {
public:
    // `proposedFileName` is the name a Save proposes for the report.
    ReportDlgLogic(std::string proposedFileName, DialogServices& services);

    ReportDlgLogic(const ReportDlgLogic&) = delete;
    ReportDlgLogic& operator=(const ReportDlgLogic&) = delete;

    void SetReport(const std::string& report) { m_reportText = report; }
    // The viewer's copy; Save, Print and Copy work on it, never on what the edit box shows.
    const std::string& ReportText() const { return m_reportText; }

    void OnSaveClicked();
    void OnPrintClicked();
    // The whole copy on the clipboard, each of its line ends (CR, LF or CR LF) as CR LF.
    void OnCopyClicked();
    void OnEmailClicked();

    // The proposed name of a saved report.
    const std::string& ProposedFileName() const { return m_proposedFileName; }

private:
    const std::string m_proposedFileName;
    DialogServices& m_services;
    std::string m_reportText;
};

}  // namespace kolt
