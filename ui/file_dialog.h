// The common Save As dialog. Only Win32 code here.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ui/dialog_values.h"

namespace kolt::ui {

// The full path the user chose (UTF-8), or nullopt when the dialog was cancelled or failed. The
// request's texts are UTF-8 as well.
std::optional<std::string> PromptSaveFileName(HWND owner, const SaveAsRequest& request);

}  // namespace kolt::ui
