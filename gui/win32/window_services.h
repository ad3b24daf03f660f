// The dialog services of one dialog window: message boxes it owns, the shell, the common Save As
// and Print dialogs, and the clock.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "gui/dialog_services.h"
#include "ui/dialog.h"

namespace kolt {

class WindowServices final : public DialogServices {
public:
    // `owner` owns every box and dialog shown; `applicationName` captions the message boxes.
    WindowServices(const ui::Dialog& owner, std::string applicationName);

    void ShowMessage(std::string_view text, ui::MessageIcon icon) override;
    void OpenWithShell(const std::string& target) override;
    std::optional<std::string> PromptSaveAs(const ui::SaveAsRequest& request) override;
    std::unique_ptr<ui::Printer> PromptPrinter() override;
    void Pause(int milliseconds) override;
    [[noreturn]] void Exit(int status) override;

private:
    const ui::Dialog& m_owner;
    std::string m_applicationName;
};

}  // namespace kolt
