// What the main dialog shows: its check boxes, its progress bar and the report viewer it opens.
// The logic reaches its window only through this interface, so that it runs the same against the
// real dialog and against test doubles.
#pragma once

#include <string>

namespace kolt {

class InfoDlgView {
public:
    virtual ~InfoDlgView() = default;

    // A check box's state. Setting it is not a click: no handler runs.
    virtual bool IsChecked(int controlId) const = 0;
    virtual void SetChecked(int controlId, bool checked) = 0;

    // The progress bar; it shows the new position at once.
    virtual void SetProgressRange(int low, int high) = 0;
    virtual void SetProgressPosition(int position) = 0;

    // Shows `report` in a viewer owned by the dialog and returns when the user has closed it; the
    // dialog is disabled meanwhile.
    virtual void ShowReport(const std::string& report) = 0;
};

}  // namespace kolt
