#include "tests/gui_e2e/screen_scale.h"

#include <stdexcept>

namespace kolt::e2e {

namespace {

constexpr const char* kDesktopKey = "Control Panel\\Desktop";
constexpr const char* kLogPixels = "LogPixels";

// Functions of newer systems than the ones the driver is built for, looked up where they run.
template <typename Function>
Function User32Function(const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), name);
    if (found == nullptr) {
        throw std::runtime_error(std::string("this system has no ") + name);
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

void WriteDpi(HKEY key, DWORD dpi) {
    if (RegSetValueExA(key, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof dpi) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot set the screen's resolution");
    }
}

}  // namespace

ScreenScale::ScreenScale(int dpi) {
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &m_key,
                        nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot open the screen's settings");
    }
    DWORD size = sizeof m_previous;
    DWORD type = 0;
    m_hadPrevious =
        RegQueryValueExA(m_key, kLogPixels, nullptr, &type, reinterpret_cast<BYTE*>(&m_previous),
                         &size) == ERROR_SUCCESS &&
        type == REG_DWORD;
    try {
        WriteDpi(m_key, static_cast<DWORD>(dpi));
    } catch (...) {
        RegCloseKey(m_key);
        throw;
    }
}

ScreenScale::~ScreenScale() {
    if (m_hadPrevious) {
        RegSetValueExA(m_key, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&m_previous),
                       sizeof m_previous);
    } else {
        RegDeleteValueA(m_key, kLogPixels);
    }
    RegCloseKey(m_key);
}

void ReadWindowsInScreenPixels() {
    using SetAwareness = BOOL(WINAPI*)(HANDLE);
    // Per-monitor aware: no window's coordinates are converted to this process's own scale.
    const auto perMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
    User32Function<SetAwareness>("SetProcessDpiAwarenessContext")(perMonitorAware);
}

int SystemMetricAt(int index, int dpi) {
    using ForDpi = int(WINAPI*)(int, UINT);
    return User32Function<ForDpi>("GetSystemMetricsForDpi")(index, static_cast<UINT>(dpi));
}

LOGFONTW CaptionFontAt(int dpi) {
    using ForDpi = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!User32Function<ForDpi>("SystemParametersInfoForDpi")(
            SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
        throw std::runtime_error("no caption font for the scale");
    }
    return metrics.lfCaptionFont;
}

}  // namespace kolt::e2e
