// The main dialog's logic reaches its window, the clock and the report viewer only through these
// interfaces, so that it runs the same against the real dialog and against test doubles.
#pragma once

#include <memory>
#include <string>

#include "gui/dialog_services.h"

namespace kolt {

// The main dialog's controls.
class InfoDlgView {
public:
    virtual ~InfoDlgView() = default;

    // A check box's state. Setting it is not a click: no handler runs.
    virtual bool IsChecked(int controlId) const = 0;
    virtual void SetChecked(int controlId, bool checked) = 0;

    // The progress bar; it shows the new position at once.
    virtual void SetProgressRange(int low, int high) = 0;
    virtual void SetProgressPosition(int position) = 0;
};

// The report viewer as the main dialog drives it.
class ReportViewer {
public:
    virtual ~ReportViewer() = default;
    virtual void SetReport(const std::string& report) = 0;
    // Shows the viewer and returns when the user has closed it; the main dialog is disabled
    // meanwhile.
    virtual void DoModal() = 0;
};

class InfoDlgServices : public DialogServices {
public:
    // Holds the thread for `milliseconds`.
    virtual void Pause(int milliseconds) = 0;
    // Ends the process at once with `status`, running the registered exit handlers.
    [[noreturn]] virtual void Exit(int status) = 0;
    // A viewer owned by the main dialog, not yet shown.
    virtual std::unique_ptr<ReportViewer> CreateReportViewer() = 0;
};

}  // namespace kolt
