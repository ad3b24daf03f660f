// The Win32 backend of the platform seam: kernel32, advapi32, Windows Sockets, the IP helper and
// the time-stamp counter. Only Win32 code here; nothing stays open between two calls. What it
// keeps is which questions to the drivers, WMI and the spooler (a drive, the firmware, the
// adapters, the displays, the updates, the printers) are still stuck, so that the next report
// does not ask them again, and the askings a report has started and not yet taken.
#pragma once

#include <vector>

#include "platform/common/started_question.h"
#include "platform/common/stuck_questions.h"
#include "platform/platform.h"
#include "platform/win32/display_rules.h"

namespace kolt::win32 {

class Win32Platform final : public Platform {
public:
    std::uint32_t ProcessorCount() override;
    ProcessorInfo Processor() override;
    OperatingSystemInfo OperatingSystem() override;

    ComputerNameInfo ComputerName() override;
    std::optional<std::string> UserName() override;
    UserDomainNames UserDomains() override;

    std::int64_t CurrentTime() override;
    std::optional<LocalTime> ToLocalTime(std::int64_t calendarTime) override;
    ClockWindow MeasureClock() override;

    std::optional<MemoryStatus> Memory() override;
    std::vector<DriveInfo> Drives() override;

    HostAddresses OwnHostAddresses() override;

    std::optional<std::uint64_t> SecondsSinceStart() override;
    SystemRelease Release() override;
    ProcessorDetails ProcessorDetail() override;
    FirmwareInfo Firmware() override;
    NetworkInfo Network() override;
    std::vector<GraphicsAdapter> GraphicsAdapters() override;
    void StartDeskQuestions() override;
    std::optional<RestartState> RestartPending() override;
    std::optional<InstalledUpdates> Updates() override;
    SecurityInfo Security() override;
    std::optional<PrinterList> Printers() override;
    std::vector<DisplayInfo> Displays() override;
    std::optional<PowerInfo> Power() override;
    ProxySettings Proxy() override;
    std::optional<TimeSource> ClockSource() override;

    std::optional<std::string> CurrentDirectory() override;
    char PathSeparator() override { return '\\'; }

private:
    common::StuckQuestions m_stuckQuestions;
    // The questions that can wait on a driver, another process or another machine: started
    // together by StartDeskQuestions, each taken by its own call.
    common::StartedQuestion<FirmwareInfo> m_firmware{"firmware"};
    common::StartedQuestion<NetworkInfo> m_adapters{"network adapters"};
    common::StartedQuestion<std::vector<DisplayDeviceRecord>> m_displayDevices{"display devices"};
    common::StartedQuestion<std::optional<InstalledUpdates>> m_updates{"installed updates"};
    common::StartedQuestion<std::optional<std::vector<AntivirusProduct>>> m_antivirus{
        "antivirus products"};
    common::StartedQuestion<std::optional<PrinterList>> m_printers{"printers"};
    common::StartedQuestion<std::vector<DisplayInfo>> m_monitors{"monitors"};
};

}  // namespace kolt::win32
