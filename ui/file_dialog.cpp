#include "ui/file_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "text/utf16.h"

namespace kolt::ui {

namespace {

// Room for the longest path the dialog may hand back, terminator included.
constexpr std::size_t kPathBufferSize = 4096;

}  // namespace

std::optional<std::string> PromptSaveFileName(HWND owner, const SaveAsRequest& request) {
    // The wide dialog: a folder or file name beyond the 8-bit code page comes back whole.
    const std::wstring initial = text::Utf16FromUtf8(request.fileName);
    std::vector<wchar_t> path(kPathBufferSize, L'\0');
    const std::size_t initialLength = std::min(initial.size(), kPathBufferSize - 1);
    std::copy_n(initial.begin(), initialLength, path.begin());

    // The dialog wants the extension without its dot; with the dot it would add a second one.
    std::string extension = request.defaultExtension;
    if (!extension.empty() && extension.front() == '.') {
        extension.erase(0, 1);
    }
    const std::wstring wideExtension = text::Utf16FromUtf8(extension);
    const std::wstring filter = text::Utf16FromUtf8(NulSeparatedFilter(request.filter));

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = wideExtension.empty() ? nullptr : wideExtension.c_str();
    dialog.Flags = OFN_EXPLORER | (request.hideReadOnly ? OFN_HIDEREADONLY : 0) |
                   (request.overwritePrompt ? OFN_OVERWRITEPROMPT : 0);

    if (!::GetSaveFileNameW(&dialog)) {
        return std::nullopt;
    }
    return text::Utf8FromUtf16(path.data());
}

}  // namespace kolt::ui
