// What the dialogs' logic asks of the dialog layer, as plain values. Portable: the logic and its
// native tests include this header on every platform; the Win32 side of the layer takes the same
// values.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace kolt::ui {

// The icon of a message box with an OK button.
enum class MessageIcon { None, Warning };

// What the Save As dialog is asked to show.
struct SaveAsRequest {
    // Appended by the dialog to a name typed without one; a leading dot is not passed on.
    std::string defaultExtension;
    std::string fileName;
    // Pairs of display text and pattern, each part followed by '|'.
    std::string filter;
    // No read-only check box.
    bool hideReadOnly = false;
    // The user confirms before an existing file is replaced.
    bool overwritePrompt = false;
};

// The same filter with every '|' turned into a NUL, as the common dialogs want it; the string's
// own terminator then closes the list.
inline std::string NulSeparatedFilter(std::string_view filter) {
    std::string result(filter);
    std::replace(result.begin(), result.end(), '|', '\0');
    return result;
}

}  // namespace kolt::ui
