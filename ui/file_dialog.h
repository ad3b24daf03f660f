// The common Save As dialog. Only Win32 code here.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kolt::ui {

struct SaveFileOptions {
    // Appended by the dialog to a name typed without one; a leading dot is not passed on.
    std::string defaultExtension;
    std::string initialFileName;
    // Display text and pattern pairs, each part ended by a NUL (the list then ends at the
    // string's own terminator).
    std::string filter;
    // No read-only check box.
    bool hideReadOnly = false;
    // The user confirms before an existing file is replaced.
    bool overwritePrompt = false;
};

// The full path the user chose, or nullopt when the dialog was cancelled or failed.
std::optional<std::string> PromptSaveFileName(HWND owner, const SaveFileOptions& options);

}  // namespace kolt::ui
