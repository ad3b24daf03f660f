#include "gui/win32/info_dlg.h"

#include <array>
#include <utility>
#include <vector>

#include "branding.h"
#include "gui/banner_image.h"
#include "gui/res/resource.h"
#include "gui/section_controls.h"
#include "gui/win32/about_dlg.h"
#include "gui/win32/dialog_templates.h"
#include "gui/win32/report_dlg.h"
#include "text/utf16.h"
#include "ui/accessible_name.h"
#include "ui/controls.h"
#include "ui/handles.h"
#include "ui/keyboard_link.h"
#include "ui/resources.h"

namespace kolt {

namespace {

// The banner's pictures, one for each display scale it was drawn for.
constexpr std::array<int, 3> kBannerPictures{IDB_BANNER, IDB_BANNER_150, IDB_BANNER_200};

// What screen readers announce for the controls that show no text of their own.
constexpr const char* kProgressName = "Progress";

HICON LoadProgramIcon(int sizeMetricX, int sizeMetricY) {
    return static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                     ::GetSystemMetrics(sizeMetricX), ::GetSystemMetrics(sizeMetricY), LR_SHARED));
}

}  // namespace

CInfoDlg::CInfoDlg(Platform& platform, std::string applicationName)
    : ui::Dialog(LoadDialogTemplateWithInstalledFace(IDD_KOLT_INFO_DIALOG)),
      m_applicationName(std::move(applicationName)),
      m_hIcon(LoadProgramIcon(SM_CXICON, SM_CYICON)),
      m_hSmallIcon(LoadProgramIcon(SM_CXSMICON, SM_CYSMICON)),
      m_services(*this, m_applicationName),
      m_logic(platform, *this, m_services) {}

BOOL CInfoDlg::OnInitDialog() {
    AddAboutItemToSystemMenu();
    ::SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon));
    ShowBannerForScale();
    PrepareForKeyboardAndScreenReaders();
    m_logic.OnInitDialog();
    // The system puts the focus on the first control with a tab stop: Process.
    return TRUE;
}

void CInfoDlg::AddAboutItemToSystemMenu() {
    const HMENU systemMenu = ::GetSystemMenu(Window(), FALSE);
    if (systemMenu == nullptr) {
        return;
    }
    const std::string aboutText = ui::LoadResourceString(IDS_ABOUTBOX);
    if (aboutText.empty()) {
        return;
    }
    ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, text::Utf16FromUtf8(aboutText).c_str());
}

void CInfoDlg::ShowBannerForScale() {
    const HWND banner = ::GetDlgItem(Window(), IDC_BANNER);
    RECT frame{};
    if (banner == nullptr || !::GetClientRect(banner, &frame)) {
        return;
    }
    std::vector<ui::UniqueBitmap> pictures;
    std::vector<PixelSize> sizes;
    for (const int id : kBannerPictures) {
        if (ui::UniqueBitmap picture = ui::LoadBitmapResource(id)) {
            const SIZE size = ui::BitmapSize(picture.get());
            sizes.push_back({static_cast<int>(size.cx), static_cast<int>(size.cy)});
            pictures.push_back(std::move(picture));
        }
    }
    if (pictures.empty()) {
        return;
    }
    // The frame is the control's size from the template: it has no picture yet.
    m_banner = std::move(pictures[ChooseBannerPicture(sizes, {frame.right, frame.bottom})]);
    ui::ShowBitmapUnscaled(banner, m_banner.get());
}

void CInfoDlg::PrepareForKeyboardAndScreenReaders() {
    const HWND banner = ::GetDlgItem(Window(), IDC_BANNER);
    ui::MakeKeyboardLink(banner);
    // The picture shows the product and the web domain it opens.
    ui::Annotate(banner, {std::string(branding::kWebDomain), true});
    ui::Annotate(::GetDlgItem(Window(), IDC_PROGRESS), {kProgressName, false});
}

bool CInfoDlg::OnCommand(int id, int code) {
    if (code != BN_CLICKED) {  // STN_CLICKED, the banner's, has the same value
        return false;
    }
    switch (id) {
        case IDC_PROCESS:
            m_logic.OnProcessClicked();
            return true;
        case IDC_EXIT:
            ::SendMessageW(Window(), WM_CLOSE, 0, 0);
            return true;
        case IDC_ALL_INFO:
            m_logic.OnAllClicked();
            return true;
        case IDC_BANNER:
            m_logic.OnBannerClicked();
            return true;
        default:
            break;
    }
    for (std::size_t i = 1; i < kSectionControlIds.size(); ++i) {
        if (id == kSectionControlIds[i]) {
            m_logic.OnSectionClicked();
            return true;
        }
    }
    return false;
}

bool CInfoDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
    switch (message) {
        case WM_SYSCOMMAND:
            result = TRUE;
            return OnSysCommand(wParam);
        case WM_PAINT:
            result = TRUE;
            return OnPaint();
        case WM_QUERYDRAGICON:
            // One of the few messages whose answer a dialog procedure returns directly.
            result = reinterpret_cast<INT_PTR>(m_hIcon);
            return true;
        default:
            return false;
    }
}

bool CInfoDlg::OnSysCommand(WPARAM command) {
    // The system uses the low four bits of a system command for its own purposes.
    if ((command & 0xFFF0) != IDM_ABOUTBOX) {
        return false;
    }
    CAboutDlg about;
    about.DoModal(Window());
    return true;
}

bool CInfoDlg::OnPaint() {
    if (!::IsIconic(Window())) {
        return false;
    }
    const ui::PaintDc dc(Window());
    ::SendMessageW(Window(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
    RECT client{};
    ::GetClientRect(Window(), &client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.Get(), x, y, m_hIcon);
    return true;
}

bool CInfoDlg::IsChecked(int controlId) const {
    return ui::IsChecked(Window(), controlId);
}

void CInfoDlg::SetChecked(int controlId, bool checked) {
    ui::SetChecked(Window(), controlId, checked);
}

void CInfoDlg::SetProgressRange(int low, int high) {
    ui::SetProgressRange(Window(), IDC_PROGRESS, low, high);
}

void CInfoDlg::SetProgressPosition(int position) {
    ui::SetProgressPosition(Window(), IDC_PROGRESS, position);
}

void CInfoDlg::ShowReport(const std::string& report) {
    CReportDlg viewer(m_logic.ProposedFileName(), m_applicationName);
    viewer.SetReport(report);
    viewer.DoModal(Window());
}

}  // namespace kolt
