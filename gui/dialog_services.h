// What the dialogs' logic asks of the screen and the shell, whichever dialog it belongs to. The
// program answers with the real dialog layer; tests answer with recording doubles.
#pragma once

#include <string>
#include <string_view>

#include "ui/dialog_values.h"

namespace kolt {

class DialogServices {
public:
    virtual ~DialogServices() = default;

    // A message box owned by the dialog, with an OK button and the application name as caption.
    // Returns when the user has dismissed it.
    virtual void ShowMessage(std::string_view text, ui::MessageIcon icon) = 0;

    // Hands `target` (a web or "mailto:" address) to the shell's "open" operation. Whether
    // anything takes it is not reported.
    virtual void OpenWithShell(const std::string& target) = 0;
};

}  // namespace kolt
