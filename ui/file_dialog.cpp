#include "ui/file_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace kolt::ui {

namespace {

// Room for the longest path the dialog may hand back, terminator included.
constexpr std::size_t kPathBufferSize = 4096;

}  // namespace

std::optional<std::string> PromptSaveFileName(HWND owner, const SaveAsRequest& request) {
    std::vector<char> path(kPathBufferSize, '\0');
    const std::size_t initialLength = std::min(request.fileName.size(), kPathBufferSize - 1);
    std::copy_n(request.fileName.begin(), initialLength, path.begin());

    // The dialog wants the extension without its dot; with the dot it would add a second one.
    std::string extension = request.defaultExtension;
    if (!extension.empty() && extension.front() == '.') {
        extension.erase(0, 1);
    }

    const std::string filter = NulSeparatedFilter(request.filter);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | (request.hideReadOnly ? OFN_HIDEREADONLY : 0) |
                   (request.overwritePrompt ? OFN_OVERWRITEPROMPT : 0);

    if (!::GetSaveFileNameA(&dialog)) {
        return std::nullopt;
    }
    return std::string(path.data());
}

}  // namespace kolt::ui
