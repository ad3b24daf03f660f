#include "gui/win32/info_app.h"

#include <windows.h>

#include <commctrl.h>

#include <array>

#include "gui/application_name.h"
#include "gui/win32/info_dlg.h"

namespace kolt {

namespace {

std::string ModulePath() {
    std::array<char, MAX_PATH + 1> path{};
    const DWORD length =
        ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size() - 1));
    return std::string(path.data(), length);
}

}  // namespace

CInfoApp::CInfoApp()
    : m_platform(CreateHostPlatform()), m_applicationName(ApplicationNameFromPath(ModulePath())) {}

int CInfoApp::Run() {
    // Probing a drive without a medium must not raise the system's own message box.
    SuppressCriticalErrorDialogs();

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS;
    ::InitCommonControlsEx(&controls);

    // The dialog's result is not used: closing it, however, ends the program.
    CInfoDlg dialog(*m_platform, m_applicationName);
    dialog.DoModal(nullptr);
    return 0;
}

}  // namespace kolt

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    kolt::CInfoApp app;
    return app.Run();
}
