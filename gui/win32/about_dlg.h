// The about box, reached from the main dialog's system menu. The system's own OK and Cancel
// handling closes it.
#pragma once

#include "ui/dialog.h"

namespace kolt {

class CAboutDlg final : public ui::Dialog {
public:
    CAboutDlg();
};

}  // namespace kolt
