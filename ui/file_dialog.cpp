#include "ui/file_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace kolt::ui {

namespace {

// Room for the longest path the dialog may hand back, terminator included.
constexpr std::size_t kPathBufferSize = 4096;

}  // namespace

std::optional<std::string> PromptSaveFileName(HWND owner, const SaveFileOptions& options) {
    std::vector<char> path(kPathBufferSize, '\0');
    const std::size_t initialLength = std::min(options.initialFileName.size(), kPathBufferSize - 1);
    std::copy_n(options.initialFileName.begin(), initialLength, path.begin());

    // The dialog wants the extension without its dot; with the dot it would add a second one.
    std::string extension = options.defaultExtension;
    if (!extension.empty() && extension.front() == '.') {
        extension.erase(0, 1);
    }

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = options.filter.empty() ? nullptr : options.filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | (options.hideReadOnly ? OFN_HIDEREADONLY : 0) |
                   (options.overwritePrompt ? OFN_OVERWRITEPROMPT : 0);

    if (!::GetSaveFileNameA(&dialog)) {
        return std::nullopt;
    }
    return std::string(path.data());
}

}  // namespace kolt::ui
