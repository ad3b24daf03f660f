#include "tests/gui_e2e/dialog_program.h"

#include <commctrl.h>
#include <dlgs.h>

#include <chrono>
#include <fstream>
#include <stdexcept>

#include "tests/gui_e2e/e2e_environment.h"
#include "tests/gui_e2e/window_query.h"

namespace kolt::e2e {

namespace {

bool HasCaption(HWND window, const char* caption) {
    return ClassName(window) == "#32770" && WindowText(window) == caption;
}

// The file name field of a Save As dialog: an edit box in the classic layout, the edit box
// inside a combo box in the newer one, otherwise the first visible edit box.
HWND FileNameField(HWND saveDialog) {
    if (HWND edit = GetDlgItem(saveDialog, edt1); edit != nullptr && IsWindowVisible(edit)) {
        return edit;
    }
    if (HWND combo = GetDlgItem(saveDialog, cmb13); combo != nullptr && IsWindowVisible(combo)) {
        if (HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr); edit != nullptr) {
            return edit;
        }
    }
    HWND edit = FindDescendant(saveDialog, [](HWND window) {
        return ClassName(window) == "Edit" && IsWindowVisible(window) != 0;
    });
    if (edit == nullptr) {
        throw std::runtime_error("the Save As dialog has no file name field");
    }
    return edit;
}

}  // namespace

DialogProgram::DialogProgram(const std::filesystem::path& program,
                             const std::filesystem::path& folder)
    // The dialog program writes to no standard stream; they go to the null device.
    : m_folder(folder), m_process(program, folder, test_support::ChildSetup{.keepOutput = false}) {}

HWND DialogProgram::WaitForMainDialog() {
    m_main = WaitForTopLevel(m_process.Id(),
                             [](HWND window) { return HasCaption(window, kMainCaption); });
    return m_main;
}

HWND DialogProgram::Control(int id) const {
    return DialogControl(m_main, id);
}

bool DialogProgram::IsChecked(int id) const {
    return SendBounded(Control(id), BM_GETCHECK) == BST_CHECKED;
}

BoxStates DialogProgram::Boxes() const {
    BoxStates states{};
    for (std::size_t i = 0; i < states.size(); ++i) {
        states[i] = IsChecked(kBoxesInFileOrder[i]);
    }
    return states;
}

void DialogProgram::ClickBox(int id) {
    SendBounded(Control(id), BM_CLICK);
    // The click's notification reaches the dialog within the button's own handling; this round
    // trip only makes sure nothing else is still queued.
    SendBounded(m_main, WM_NULL);
}

int DialogProgram::ProgressPosition() const {
    return static_cast<int>(SendBounded(Control(control::kProgress), PBM_GETPOS));
}

int DialogProgram::ProgressUpperLimit() const {
    return static_cast<int>(SendBounded(Control(control::kProgress), PBM_GETRANGE, FALSE, 0));
}

HWND DialogProgram::ProcessAndWaitForViewer() {
    // What a user may wait: the clock measurement when its box is ticked, the progress bar's
    // pauses (eight sections and the footer at 5 ms, the viewer at 5 and 100 ms), and 50 ms.
    const bool measuresClock = IsChecked(control::kCpuSpeed);
    const long long budget = (measuresClock ? 1000 : 0) + 9 * 5 + 5 + 100 + 50;
    const auto pressed = std::chrono::steady_clock::now();
    Post(Control(control::kProcess), BM_CLICK);
    // Looked for every 5 ms: close enough to read the wait off, seldom enough not to slow the
    // program down by asking Wine about windows while it works.
    HWND viewer = WaitForTopLevel(
        m_process.Id(), [](HWND window) { return HasCaption(window, kViewerCaption); },
        kProcessWait, std::chrono::milliseconds{5});
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - pressed);
    // A figure for the stage's summary, not a check: a busy machine must not fail a test.
    std::ofstream(OutputFolder() / "process-timings.txt", std::ios::app)
        << "Process pressed to report viewer shown: " << waited.count() << " ms (goal " << budget
        << " ms, " << (measuresClock ? "with" : "without") << " the clock)\n";
    return viewer;
}

HWND DialogProgram::EnterAndWaitForViewer() {
    PostKey(FocusOf(m_main), VK_RETURN);
    return WaitForViewer();
}

HWND DialogProgram::WaitForViewer() {
    return WaitForTopLevel(
        m_process.Id(), [](HWND window) { return HasCaption(window, kViewerCaption); },
        kProcessWait);
}

DWORD DialogProgram::WaitForExit() {
    const auto status = m_process.WaitForExit(kWindowWait);
    if (!status) {
        throw std::runtime_error("the dialog program did not end");
    }
    return static_cast<DWORD>(*status);
}

void PostKey(HWND target, WPARAM virtualKey) {
    if (target == nullptr) {
        throw std::runtime_error("no window has the keyboard focus");
    }
    const UINT scanCode = MapVirtualKeyA(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
    const LPARAM down = 1 | static_cast<LPARAM>(scanCode) << 16;
    const LPARAM up = down | LPARAM{1} << 30 | LPARAM{1} << 31;
    Post(target, WM_KEYDOWN, virtualKey, down);
    Post(target, WM_KEYUP, virtualKey, up);
}

HWND DialogControl(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) {
        throw std::runtime_error("the dialog has no control " + std::to_string(id));
    }
    return control;
}

std::string ViewerText(HWND viewer) {
    return WideWindowText(DialogControl(viewer, control::kReportText));
}

std::string ProposedFileName(HWND saveDialog) {
    return WideWindowText(FileNameField(saveDialog));
}

void SaveAs(HWND saveDialog, const std::filesystem::path& path) {
    // Typed in UTF-16, so a folder of any name can be given.
    const std::wstring text = path.wstring();
    DWORD_PTR ignored = 0;
    if (SendMessageTimeoutW(FileNameField(saveDialog), WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                            static_cast<UINT>(kMessageWait.count()), &ignored) == 0) {
        throw std::runtime_error("the Save As dialog's file name field does not answer");
    }
    HWND save = DialogControl(saveDialog, IDOK);
    Post(saveDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(save));
}

}  // namespace kolt::e2e
