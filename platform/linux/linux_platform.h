// The Linux backend of the platform seam: every answer is read afresh from /proc, /sys,
// os-release, uname, the user database, the resolver and statvfs, and nothing stays open or
// cached between two calls. What it keeps is which drives' probes are still stuck, so that the
// next report does not ask them again.
#pragma once

#include <optional>

#include "platform/common/deadline.h"
#include "platform/common/stuck_questions.h"
#include "platform/platform.h"

namespace kolt::linux_backend {

class LinuxPlatform final : public Platform {
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

    std::vector<Ipv4Address> OwnHostAddresses() override;

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
    char PathSeparator() override { return '/'; }

private:
    common::StuckQuestions m_stuckQuestions;
    // The printers' question, started by StartDeskQuestions and waited for by Printers() until
    // its deadline; nullopt when it was not started (its last asking is still stuck).
    std::optional<common::AnswerSlot<std::optional<PrinterList>>> m_printersAsking;
    common::DeadlineClock::time_point m_printersDeadline{};
};

}  // namespace kolt::linux_backend
