#include "gui/win32/info_app.h"

#include <windows.h>

#include <commctrl.h>

#include <array>

#include "gui/application_name.h"
#include "gui/win32/info_dlg.h"
#include "platform/process.h"
#include "text/utf16.h"

namespace kolt {

namespace {

// The program file's path in UTF-8: the name captions message boxes, whatever its script.
std::string ModulePath() {
    std::array<wchar_t, MAX_PATH + 1> path{};
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size() - 1));
    return text::Utf8FromUtf16(std::wstring_view(path.data(), length));
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
