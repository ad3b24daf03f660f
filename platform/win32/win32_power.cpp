// The power status and the battery drivers. Only Win32 code here.
#include "platform/win32/win32_power.h"

#include <windows.h>
// After windows.h; the I/O control codes need winioctl.h.
#include <winioctl.h>
// After winioctl.h.
#include <batclass.h>
#include <setupapi.h>

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <iterator>
#include <vector>

#include "platform/win32/power_rules.h"
#include "platform/win32/system_module.h"
#include "text/utf16.h"

namespace kolt::win32 {
namespace {

// The battery device interface class.
constexpr GUID kBatteryInterface = {
    0x72631e54, 0x78a4, 0x11d0, {0xbc, 0xf7, 0x00, 0xaa, 0x00, 0xb7, 0xb3, 0x2a}};
// A machine has one or two batteries; the enumeration is cut off well beyond that.
constexpr DWORD kMostBatteries = 16;
constexpr std::uint64_t kWholePercent = 100;

using GetClassDevsFunction = decltype(&SetupDiGetClassDevsW);
using EnumInterfacesFunction = decltype(&SetupDiEnumDeviceInterfaces);
using InterfaceDetailFunction = decltype(&SetupDiGetDeviceInterfaceDetailW);
using DestroyListFunction = decltype(&SetupDiDestroyDeviceInfoList);

class DeviceFile {
public:
    explicit DeviceFile(const wchar_t* path)
        : m_handle(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~DeviceFile() {
        if (IsOpen()) {
            CloseHandle(m_handle);
        }
    }
    DeviceFile(const DeviceFile&) = delete;
    DeviceFile& operator=(const DeviceFile&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

    template <typename Input, typename Output>
    bool Ask(DWORD code, Input input, Output& output) const {
        DWORD returned = 0;
        return DeviceIoControl(m_handle, code, &input, sizeof input, &output, sizeof output,
                               &returned, nullptr) != 0;
    }
    bool AskText(DWORD code, const BATTERY_QUERY_INFORMATION& input, wchar_t* text,
                 DWORD bytes) const {
        DWORD returned = 0;
        return DeviceIoControl(m_handle, code, const_cast<BATTERY_QUERY_INFORMATION*>(&input),
                               sizeof input, text, bytes, &returned, nullptr) != 0;
    }

private:
    HANDLE m_handle;
};

std::optional<std::uint64_t> Capacity(ULONG value) {
    if (value == 0 || value == BATTERY_UNKNOWN_CAPACITY) {
        return std::nullopt;
    }
    return value;
}

// One battery as its driver describes it; nullopt where the device is gone or has no battery in
// it (a bay left empty).
std::optional<BatteryInfo> DescribeBattery(const wchar_t* path) {
    const DeviceFile device(path);
    if (!device.IsOpen()) {
        return std::nullopt;
    }
    ULONG tag = 0;
    const ULONG noWait = 0;
    if (!device.Ask(IOCTL_BATTERY_QUERY_TAG, noWait, tag) || tag == 0) {
        return std::nullopt;
    }
    BatteryInfo battery;
    BATTERY_QUERY_INFORMATION query{};
    query.BatteryTag = tag;
    query.InformationLevel = BatteryInformation;
    BATTERY_INFORMATION information{};
    if (device.Ask(IOCTL_BATTERY_QUERY_INFORMATION, query, information)) {
        battery.designCapacity = Capacity(information.DesignedCapacity);
        battery.fullChargeCapacity = Capacity(information.FullChargedCapacity);
        // 0: the battery does not count its cycles.
        if (information.CycleCount != 0) {
            battery.cycleCount = information.CycleCount;
        }
    }
    query.InformationLevel = BatteryDeviceName;
    wchar_t name[128] = {};
    if (device.AskText(IOCTL_BATTERY_QUERY_INFORMATION, query, name,
                       sizeof name - sizeof(wchar_t))) {
        const std::size_t length = wcsnlen(name, std::size(name));
        if (length > 0) {
            battery.name = text::Utf8FromUtf16(std::wstring_view(name, length));
        }
    }
    BATTERY_WAIT_STATUS wait{};
    wait.BatteryTag = tag;
    BATTERY_STATUS status{};
    if (battery.fullChargeCapacity && device.Ask(IOCTL_BATTERY_QUERY_STATUS, wait, status) &&
        status.Capacity != BATTERY_UNKNOWN_CAPACITY) {
        battery.chargePercent = static_cast<std::uint32_t>(
            std::min(kWholePercent,
                     std::uint64_t{status.Capacity} * kWholePercent / *battery.fullChargeCapacity));
    }
    return battery;
}

std::vector<BatteryInfo> ReadBatteries() {
    std::vector<BatteryInfo> batteries;
    const SystemModule setupapi(L"setupapi.dll");
    const auto getClassDevs = setupapi.Find<GetClassDevsFunction>("SetupDiGetClassDevsW");
    const auto enumInterfaces =
        setupapi.Find<EnumInterfacesFunction>("SetupDiEnumDeviceInterfaces");
    const auto interfaceDetail =
        setupapi.Find<InterfaceDetailFunction>("SetupDiGetDeviceInterfaceDetailW");
    const auto destroyList = setupapi.Find<DestroyListFunction>("SetupDiDestroyDeviceInfoList");
    if (!getClassDevs || !enumInterfaces || !interfaceDetail || !destroyList) {
        return batteries;
    }
    const HDEVINFO list =
        getClassDevs(&kBatteryInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (list == INVALID_HANDLE_VALUE) {
        return batteries;
    }
    for (DWORD index = 0; index < kMostBatteries; ++index) {
        SP_DEVICE_INTERFACE_DATA device{};
        device.cbSize = sizeof device;
        if (enumInterfaces(list, nullptr, &kBatteryInterface, index, &device) == 0) {
            break;
        }
        DWORD needed = 0;
        interfaceDetail(list, &device, nullptr, 0, &needed, nullptr);
        if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
            continue;
        }
        // Aligned for the record the call writes at its start.
        std::vector<SP_DEVICE_INTERFACE_DETAIL_DATA_W> area(
            needed / sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) + 1);
        area.front().cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        if (interfaceDetail(list, &device, area.data(),
                            static_cast<DWORD>(area.size() * sizeof area.front()), nullptr,
                            nullptr) == 0) {
            continue;
        }
        if (std::optional<BatteryInfo> battery = DescribeBattery(area.front().DevicePath)) {
            batteries.push_back(std::move(*battery));
        }
    }
    destroyList(list);
    return batteries;
}

}  // namespace

std::optional<PowerInfo> ReadPower() {
    std::optional<SystemPowerAnswer> answer;
    SYSTEM_POWER_STATUS status{};
    if (GetSystemPowerStatus(&status) != 0) {
        answer =
            SystemPowerAnswer{status.ACLineStatus, status.BatteryFlag, status.BatteryLifePercent};
    }
    // Only a machine that may have a battery has its drivers asked.
    std::vector<BatteryInfo> batteries;
    if (!answer || answer->batteryFlag != kNoSystemBattery) {
        batteries = ReadBatteries();
    }
    return PowerFromStatus(answer, std::move(batteries));
}

}  // namespace kolt::win32
