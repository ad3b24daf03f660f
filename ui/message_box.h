// Message boxes with an OK button. Only Win32 code here.
#pragma once

#include <windows.h>

#include <string>

#include "ui/dialog_values.h"

namespace kolt::ui {

// Shows `text` owned by `owner` with `caption` (both UTF-8) and returns when the user has
// dismissed it.
void ShowOkMessage(HWND owner, const std::string& text, const std::string& caption,
                   MessageIcon icon);

}  // namespace kolt::ui
