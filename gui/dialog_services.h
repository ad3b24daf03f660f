// What the dialogs' logic asks of the system beyond its own window: message boxes, the shell, the
// common Save As and Print dialogs, and the clock. One interface for both dialogs; the program
// answers with the real dialog layer, tests with recording doubles.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ui/dialog_values.h"
#include "ui/printer.h"

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

    // The full path the user chose; nullopt when the dialog was cancelled.
    virtual std::optional<std::string> PromptSaveAs(const ui::SaveAsRequest& request) = 0;

    // The printer the user chose, ready to print; nullptr when the dialog was cancelled.
    virtual std::unique_ptr<ui::Printer> PromptPrinter() = 0;

    // Holds the thread for `milliseconds`.
    virtual void Pause(int milliseconds) = 0;

    // Ends the process at once with `status`, running the registered exit handlers.
    [[noreturn]] virtual void Exit(int status) = 0;
};

}  // namespace kolt
