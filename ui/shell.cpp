#include "ui/shell.h"

#include <shellapi.h>

namespace kolt::ui {

void ShellOpen(HWND owner, const std::string& target) {
    ::ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace kolt::ui
