// One run of the dialog program, driven as a user would drive it but through window messages:
// check boxes and buttons are clicked with BM_CLICK, keys arrive as posted key messages, and
// everything the driver reads (box states, the progress bar, the viewer's text) is asked of
// the windows themselves.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "tests/gui_e2e/report_text.h"
#include "tests/support/child_process.h"

namespace kolt::e2e {

inline constexpr const char* kMainCaption = "Kolt  Information - Version 2.11";
inline constexpr const char* kViewerCaption = "Kolt System Information Report";
inline constexpr const char* kAboutCaption = "About - Kolt Information";

// Control numbers of the main dialog and the viewer, as the program's dialog templates give them.
namespace control {
inline constexpr int kAll = 1004;
inline constexpr int kDateTime = 1005;
inline constexpr int kComputerName = 1006;
inline constexpr int kUserName = 1007;
inline constexpr int kExit = 1008;
inline constexpr int kIpAddress = 1009;
inline constexpr int kProcess = 1010;
inline constexpr int kArchitecture = 1012;
inline constexpr int kMemory = 1013;
inline constexpr int kCpuSpeed = 1014;
inline constexpr int kOperatingSystem = 1015;
inline constexpr int kDisk = 1016;
inline constexpr int kExtended = 1017;
inline constexpr int kRedact = 1028;
inline constexpr int kProgress = 1019;
inline constexpr int kBanner = 1025;

inline constexpr int kReportText = 1011;
inline constexpr int kPrint = 1023;
inline constexpr int kClose = 1024;
inline constexpr int kSave = 1025;
inline constexpr int kEmail = 1026;
inline constexpr int kCopy = 1027;
}  // namespace control

// How long one Process press may take before the viewer shows: the processor speed section alone
// measures for a second, and the first start of Wine's common controls is slow.
inline constexpr std::chrono::milliseconds kProcessWait{60000};

class DialogProgram {
public:
    // Starts the program in `folder`; the process is ended when this object goes.
    DialogProgram(const std::filesystem::path& program, const std::filesystem::path& folder);

    test_support::ChildProcess& Process() { return m_process; }
    DWORD ProcessId() const { return m_process.Id(); }

    // Waits for the main dialog to show; throws when it does not.
    HWND WaitForMainDialog();
    HWND MainDialog() const { return m_main; }

    // A control of the main dialog; throws when the dialog has none with that number.
    HWND Control(int id) const;

    bool IsChecked(int id) const;
    // The twelve boxes' states in selection-file order.
    BoxStates Boxes() const;
    // Clicks a check box and returns once the dialog has handled the click.
    void ClickBox(int id);

    int ProgressPosition() const;
    int ProgressUpperLimit() const;

    // Clicks Process and waits for the viewer. The click is posted, because the dialog answers
    // it only when the viewer has closed.
    HWND ProcessAndWaitForViewer();
    // Presses Enter in the main dialog and waits for the viewer.
    HWND EnterAndWaitForViewer();

    // Waits for the program to end; throws when it does not end in time.
    DWORD WaitForExit();

private:
    HWND WaitForViewer();

    std::filesystem::path m_folder;
    test_support::ChildProcess m_process;
    HWND m_main = nullptr;
};

// Posts a key press and release to `target`, as the keyboard would deliver them to the window
// that has the focus; the dialog's message loop gives them their dialog meaning.
void PostKey(HWND target, WPARAM virtualKey);

// A control of any dialog; throws when there is none with that number.
HWND DialogControl(HWND dialog, int id);

// The viewer's text box contents, read in UTF-16 and given in UTF-8.
std::string ViewerText(HWND viewer);

// The file name the Save As dialog proposes (its file name field), in UTF-8.
std::string ProposedFileName(HWND saveDialog);

// Types `path` into the Save As dialog's file name field and presses its Save button.
void SaveAs(HWND saveDialog, const std::filesystem::path& path);

}  // namespace kolt::e2e
