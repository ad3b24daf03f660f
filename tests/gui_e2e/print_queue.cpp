#include "tests/gui_e2e/print_queue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tests/gui_e2e/dialog_program.h"
#include "tests/gui_e2e/e2e_environment.h"
#include "tests/gui_e2e/window_query.h"

namespace kolt::e2e {

namespace fs = std::filesystem;

std::optional<fs::path> EmptiedPdfFolder() {
    const char* setting = std::getenv("KOLT_PDF_FOLDER");
    if (setting == nullptr || *setting == '\0') {
        return std::nullopt;
    }
    const fs::path folder = FromHostPath(setting);
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        fs::remove_all(entry.path());
    }
    return folder;
}

std::optional<fs::path> WaitForFileEndingIn(const fs::path& folder, const std::string& suffix,
                                            std::chrono::milliseconds timeout) {
    std::optional<fs::path> found;
    WaitUntil(
        [&] {
            for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
                if (entry.path().string().ends_with(suffix)) {
                    found = entry.path();
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

std::size_t CountFilesEndingIn(const fs::path& folder, const std::string& suffix) {
    return static_cast<std::size_t>(std::count_if(
        fs::directory_iterator(folder), fs::directory_iterator(),
        [&](const fs::directory_entry& entry) { return entry.path().string().ends_with(suffix); }));
}

void PressButton(HWND dialog, int id) {
    Post(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
         reinterpret_cast<LPARAM>(DialogControl(dialog, id)));
}

void PrintWith(DWORD processId, HWND viewer, int button) {
    Post(DialogControl(viewer, control::kPrint), BM_CLICK);
    HWND printDialog = WaitForOwnedDialog(processId, viewer);
    PressButton(printDialog, button);
    ASSERT_TRUE(WaitUntilGone(printDialog)) << "the Print dialog stayed open";
}

}  // namespace kolt::e2e
