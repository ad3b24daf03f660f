// The report viewer's logic reaches the common dialogs and the printer only through this
// interface, so that it runs the same against the real dialog layer and against test doubles.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "gui/dialog_services.h"
#include "ui/dialog_values.h"
#include "ui/printer.h"

namespace kolt {

class ReportDlgServices : public DialogServices {
public:
    // The full path the user chose; nullopt when the dialog was cancelled.
    virtual std::optional<std::string> PromptSaveAs(const ui::SaveAsRequest& request) = 0;
    // The printer the user chose, ready to print; nullptr when the dialog was cancelled.
    virtual std::unique_ptr<ui::Printer> PromptPrinter() = 0;
    // Replaces what the clipboard holds with `text` (UTF-8), for programs that read Unicode text
    // and for those that read only 8-bit text. False when the clipboard could not be had.
    virtual bool PutOnClipboard(const std::string& text) = 0;
};

}  // namespace kolt
