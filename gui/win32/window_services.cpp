#include "gui/win32/window_services.h"

#include <windows.h>

#include <cstdlib>
#include <utility>

#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "ui/printer_dc.h"
#include "ui/shell.h"

namespace kolt {

WindowServices::WindowServices(const ui::Dialog& owner, std::string applicationName)
    : m_owner(owner), m_applicationName(std::move(applicationName)) {}

void WindowServices::ShowMessage(std::string_view text, ui::MessageIcon icon) {
    ui::ShowOkMessage(m_owner.Window(), std::string(text), m_applicationName, icon);
}

void WindowServices::OpenWithShell(const std::string& target) {
    ui::ShellOpen(m_owner.Window(), target);
}

std::optional<std::string> WindowServices::PromptSaveAs(const ui::SaveAsRequest& request) {
    return ui::PromptSaveFileName(m_owner.Window(), request);
}

std::unique_ptr<ui::Printer> WindowServices::PromptPrinter() {
    return ui::PromptPrinter(m_owner.Window());
}

void WindowServices::Pause(int milliseconds) {
    ::Sleep(static_cast<DWORD>(milliseconds));
}

void WindowServices::Exit(int status) {
    // At once, with the registered exit handlers; the dialog is not closed first.
    std::exit(status);
}

}  // namespace kolt
