// The main dialog: ten check boxes, the progress bar, the banner (a link to the maker's web site,
// drawn for the screen's scale) and the about item of the system menu. Its logic reaches the
// controls and the viewer through this class, and the system through the window's services.
#pragma once

#include <windows.h>

#include <string>

#include "gui/info_dlg_logic.h"
#include "gui/info_dlg_view.h"
#include "gui/win32/window_services.h"
#include "platform/platform.h"
#include "ui/dialog.h"
#include "ui/handles.h"

namespace kolt {

class CInfoDlg final : public ui::Dialog, private InfoDlgView {
public:
    // `applicationName` captions the dialog's message boxes and the viewer's.
    CInfoDlg(Platform& platform, std::string applicationName);

private:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

    void AddAboutItemToSystemMenu();
    void ShowBannerForScale();
    void PrepareForKeyboardAndScreenReaders();
    bool OnSysCommand(WPARAM command);
    bool OnPaint();

    // InfoDlgView
    bool IsChecked(int controlId) const override;
    void SetChecked(int controlId, bool checked) override;
    void SetProgressRange(int low, int high) override;
    void SetProgressPosition(int position) override;
    void ShowReport(const std::string& report) override;

    std::string m_applicationName;
    // Shared icons of the program's image: the system frees them with the program.
    HICON m_hIcon;
    HICON m_hSmallIcon;
    WindowServices m_services;
    // The banner's picture, shown by its control until the dialog's window is gone.
    ui::UniqueBitmap m_banner;
    InfoDlgLogic m_logic;
};

}  // namespace kolt
