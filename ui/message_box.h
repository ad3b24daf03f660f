// Message boxes with an OK button. Only Win32 code here.
#pragma once

#include <windows.h>

#include <string>

namespace kolt::ui {

enum class BoxIcon { None, Warning };

// Shows `text` owned by `owner` with `caption` and returns when the user has dismissed it.
void ShowOkMessage(HWND owner, const std::string& text, const std::string& caption, BoxIcon icon);

}  // namespace kolt::ui
