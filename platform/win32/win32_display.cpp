// The display devices. Only Win32 code here.
#include "platform/win32/win32_display.h"

#include <windows.h>

#include <string>

#include "text/utf16.h"

namespace kolt::win32 {

namespace {

// A system has a handful of outputs; the enumeration is cut off well beyond that.
constexpr DWORD kMostDevices = 64;

using EnumDisplayDevicesFunction = BOOL(WINAPI*)(LPCWSTR, DWORD, PDISPLAY_DEVICEW, DWORD);

// user32 loaded for as long as the enumeration runs. The console program does not link it: its
// start-up (a connection to the window system) would cost every report, not only those that ask
// for the graphics adapters. A known system DLL, so it is found only in the system directory.
class User32Module {
public:
    User32Module() : m_module(LoadLibraryW(L"user32.dll")) {}
    ~User32Module() {
        if (m_module != nullptr) {
            FreeLibrary(m_module);
        }
    }
    User32Module(const User32Module&) = delete;
    User32Module& operator=(const User32Module&) = delete;

    EnumDisplayDevicesFunction EnumDisplayDevices() const {
        if (m_module == nullptr) {
            return nullptr;
        }
        // Through a plain function pointer type: the looked-up address has the call's real type.
        return reinterpret_cast<EnumDisplayDevicesFunction>(
            reinterpret_cast<void (*)()>(GetProcAddress(m_module, "EnumDisplayDevicesW")));
    }

private:
    HMODULE m_module;
};

std::string Utf8(const wchar_t* text, std::size_t capacity) {
    return text::Utf8FromUtf16(std::wstring_view(text, wcsnlen(text, capacity)));
}

}  // namespace

std::vector<DisplayDeviceRecord> EnumerateDisplayDevices() {
    std::vector<DisplayDeviceRecord> records;
    const User32Module user32;
    const EnumDisplayDevicesFunction enumDisplayDevices = user32.EnumDisplayDevices();
    if (enumDisplayDevices == nullptr) {
        return records;
    }
    for (DWORD index = 0; index < kMostDevices; ++index) {
        DISPLAY_DEVICEW device{};
        device.cb = sizeof device;
        if (enumDisplayDevices(nullptr, index, &device, 0) == 0) {
            break;
        }
        records.push_back(DisplayDeviceRecord{
            Utf8(device.DeviceString, std::size(device.DeviceString)),
            Utf8(device.DeviceID, std::size(device.DeviceID)),
            Utf8(device.DeviceKey, std::size(device.DeviceKey)), device.StateFlags});
    }
    return records;
}

}  // namespace kolt::win32
