// The desktop's monitors. Only Win32 code here.
#include "platform/win32/win32_monitors.h"

#include <windows.h>

#include <cwchar>
#include <iterator>
#include <optional>
#include <string>

#include "platform/win32/monitor_rules.h"
#include "platform/win32/system_module.h"
#include "text/utf16.h"

namespace kolt::win32 {
namespace {

// GetDpiForMonitor's kind of dpi that the scale setting gives.
constexpr int kEffectiveDpi = 0;
// A refresh rate of 0 or 1 stands for the hardware's default: no rate said.
constexpr DWORD kLeastSaidRefresh = 2;

using EnumDisplayMonitorsFunction = decltype(&EnumDisplayMonitors);
using GetMonitorInfoFunction = decltype(&GetMonitorInfoW);
using EnumDisplaySettingsFunction = decltype(&EnumDisplaySettingsW);
using EnumDisplayDevicesFunction = decltype(&EnumDisplayDevicesW);
using GetDcFunction = decltype(&GetDC);
using ReleaseDcFunction = decltype(&ReleaseDC);
using GetDeviceCapsFunction = decltype(&GetDeviceCaps);
// Declared here: headers for older systems lack them.
using SetThreadDpiAwarenessContextFunction = HANDLE(WINAPI*)(HANDLE);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM collected) {
    reinterpret_cast<std::vector<HMONITOR>*>(collected)->push_back(monitor);
    return TRUE;
}

std::string Utf8(const wchar_t* text, std::size_t capacity) {
    return text::Utf8FromUtf16(std::wstring_view(text, wcsnlen(text, capacity)));
}

// The functions this needs, and the scaling awareness of the calling thread set to per-monitor
// for as long as it lives, so that every figure is in true pixels.
class DisplayFunctions {
public:
    DisplayFunctions() : m_user32(L"user32.dll"), m_gdi32(L"gdi32.dll"), m_shcore(L"shcore.dll") {
        enumMonitors = m_user32.Find<EnumDisplayMonitorsFunction>("EnumDisplayMonitors");
        monitorInfo = m_user32.Find<GetMonitorInfoFunction>("GetMonitorInfoW");
        settings = m_user32.Find<EnumDisplaySettingsFunction>("EnumDisplaySettingsW");
        devices = m_user32.Find<EnumDisplayDevicesFunction>("EnumDisplayDevicesW");
        getDc = m_user32.Find<GetDcFunction>("GetDC");
        releaseDc = m_user32.Find<ReleaseDcFunction>("ReleaseDC");
        deviceCaps = m_gdi32.Find<GetDeviceCapsFunction>("GetDeviceCaps");
        dpiForMonitor = m_shcore.Find<GetDpiForMonitorFunction>("GetDpiForMonitor");
        m_setAwareness =
            m_user32.Find<SetThreadDpiAwarenessContextFunction>("SetThreadDpiAwarenessContext");
        if (m_setAwareness != nullptr) {
            m_previousAwareness = m_setAwareness(kPerMonitorAwareV2);
        }
    }
    ~DisplayFunctions() {
        if (m_previousAwareness != nullptr) {
            m_setAwareness(m_previousAwareness);
        }
    }
    DisplayFunctions(const DisplayFunctions&) = delete;
    DisplayFunctions& operator=(const DisplayFunctions&) = delete;

    bool Usable() const { return enumMonitors != nullptr && monitorInfo != nullptr; }

    // The screen's dpi for the whole system, where no monitor's own is known.
    UINT SystemDpi() const {
        if (getDc == nullptr || releaseDc == nullptr || deviceCaps == nullptr) {
            return 0;
        }
        const HDC screen = getDc(nullptr);
        if (screen == nullptr) {
            return 0;
        }
        const int dpi = deviceCaps(screen, LOGPIXELSX);
        releaseDc(nullptr, screen);
        return dpi > 0 ? static_cast<UINT>(dpi) : 0;
    }

    EnumDisplayMonitorsFunction enumMonitors = nullptr;
    GetMonitorInfoFunction monitorInfo = nullptr;
    EnumDisplaySettingsFunction settings = nullptr;
    EnumDisplayDevicesFunction devices = nullptr;
    GetDcFunction getDc = nullptr;
    ReleaseDcFunction releaseDc = nullptr;
    GetDeviceCapsFunction deviceCaps = nullptr;
    GetDpiForMonitorFunction dpiForMonitor = nullptr;

private:
    SystemModule m_user32;
    SystemModule m_gdi32;
    SystemModule m_shcore;
    SetThreadDpiAwarenessContextFunction m_setAwareness = nullptr;
    HANDLE m_previousAwareness = nullptr;
};

// Nullopt for a monitor that has gone since it was listed.
std::optional<DisplayInfo> Describe(const DisplayFunctions& functions, HMONITOR monitor,
                                    UINT systemDpi) {
    DisplayInfo display;
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (functions.monitorInfo(monitor, &info) == 0) {
        return std::nullopt;
    }
    display.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    display.name = Utf8(info.szDevice, std::size(info.szDevice));
    if (functions.devices != nullptr) {
        DISPLAY_DEVICEW device{};
        device.cb = sizeof device;
        if (functions.devices(info.szDevice, 0, &device, 0) != 0 && device.DeviceString[0] != 0) {
            display.name = Utf8(device.DeviceString, std::size(device.DeviceString));
        }
    }
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    if (functions.settings != nullptr &&
        functions.settings(info.szDevice, ENUM_CURRENT_SETTINGS, &mode) != 0) {
        display.widthPixels = mode.dmPelsWidth;
        display.heightPixels = mode.dmPelsHeight;
        if (mode.dmDisplayFrequency >= kLeastSaidRefresh) {
            display.refreshHz = mode.dmDisplayFrequency;
        }
    } else {
        display.widthPixels =
            static_cast<std::uint32_t>(info.rcMonitor.right - info.rcMonitor.left);
        display.heightPixels =
            static_cast<std::uint32_t>(info.rcMonitor.bottom - info.rcMonitor.top);
    }
    UINT dpiX = 0;
    UINT dpiY = 0;
    if (functions.dpiForMonitor == nullptr ||
        FAILED(functions.dpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY))) {
        dpiX = systemDpi;
    }
    display.scalePercent = ScalePercentOfDpi(dpiX);
    return display;
}

}  // namespace

std::vector<DisplayInfo> ReadMonitors() {
    const DisplayFunctions functions;
    std::vector<DisplayInfo> displays;
    if (!functions.Usable()) {
        return displays;
    }
    std::vector<HMONITOR> monitors;
    if (functions.enumMonitors(nullptr, nullptr, CollectMonitor,
                               reinterpret_cast<LPARAM>(&monitors)) == 0) {
        return displays;
    }
    const UINT systemDpi = functions.SystemDpi();
    for (const HMONITOR monitor : monitors) {
        if (std::optional<DisplayInfo> display = Describe(functions, monitor, systemDpi)) {
            displays.push_back(std::move(*display));
        }
    }
    return PrimaryFirst(std::move(displays));
}

}  // namespace kolt::win32
