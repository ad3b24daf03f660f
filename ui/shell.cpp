#include "ui/shell.h"

#include <shellapi.h>

#include "text/utf16.h"

namespace kolt::ui {

void ShellOpen(HWND owner, const std::string& target) {
    ::ShellExecuteW(owner, L"open", text::Utf16FromUtf8(target).c_str(), nullptr, nullptr,
                    SW_SHOWNORMAL);
}

}  // namespace kolt::ui
