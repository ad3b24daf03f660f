// The common Save As dialog. Only Win32 code here.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ui/dialog_values.h"

namespace kolt::ui {

// The full path the user chose, or nullopt when the dialog was cancelled or failed.
std::optional<std::string> PromptSaveFileName(HWND owner, const SaveAsRequest& request);

}  // namespace kolt::ui
