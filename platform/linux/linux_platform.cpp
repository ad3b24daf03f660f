// Only POSIX and Linux code here.
#include "platform/linux/linux_platform.h"

#include <sys/sysinfo.h>
#include <unistd.h>

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/common/clock_window.h"
#include "platform/common/deadline.h"
#include "platform/common/deadlines.h"
#include "platform/common/environment.h"
#include "platform/common/numeric_host_name.h"
#include "platform/linux/cpuinfo.h"
#include "platform/linux/cups_printers.h"
#include "platform/linux/drives.h"
#include "platform/linux/drm_displays.h"
#include "platform/linux/firmware.h"
#include "platform/linux/graphics_adapters.h"
#include "platform/linux/host_address.h"
#include "platform/linux/meminfo.h"
#include "platform/linux/name_services.h"
#include "platform/linux/network_adapters.h"
#include "platform/linux/os_release.h"
#include "platform/linux/package_log.h"
#include "platform/linux/power_supply.h"
#include "platform/linux/processor_topology.h"
#include "platform/linux/proxy_variables.h"
#include "platform/linux/release_facts.h"
#include "platform/linux/restart_pending.h"
#include "platform/linux/time_source.h"
#include "platform/posix/files.h"
#include "platform/posix/network.h"
#include "platform/posix/system_queries.h"
#include "platform/posix/time_stamp_counter.h"

namespace kolt::linux_backend {

namespace {

// The text of the first os-release that exists; nullopt when the system names itself nowhere.
std::optional<std::string> OsReleaseText() {
    for (const char* path : kOsReleasePaths) {
        if (auto content = posix::ReadTextFile(path)) {
            return content;
        }
    }
    return std::nullopt;
}

// PRETTY_NAME of the first os-release that exists, whole; os-release's own default when the
// system names itself nowhere.
std::string PrettyName() {
    if (const auto content = OsReleaseText()) {
        const OsRelease values = ParseOsRelease(*content);
        const auto pretty = values.find("PRETTY_NAME");
        return pretty != values.end() ? pretty->second : std::string(kDefaultPrettyName);
    }
    return std::string(kDefaultPrettyName);
}

}  // namespace

std::uint32_t LinuxPlatform::ProcessorCount() {
    const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    if (online < 1) {
        return 1;  // a running program has at least the processor it runs on
    }
    return static_cast<std::uint32_t>(
        std::min<long>(online, std::numeric_limits<std::int32_t>::max()));
}

ProcessorInfo LinuxPlatform::Processor() {
    const auto content = posix::ReadFirstParagraph("/proc/cpuinfo");
    const CpuInfo cpu = content ? ParseCpuinfo(*content) : CpuInfo{};
    ProcessorInfo processor;
    processor.vendor = cpu.vendorId;
    processor.family = cpu.family;
    processor.model = cpu.model;
    processor.stepping = cpu.stepping;
    processor.program32Bit = kBuild32Bit;
    processor.mmx = cpu.mmx;
    return processor;
}

OperatingSystemInfo LinuxPlatform::OperatingSystem() {
    return OperatingSystemInfo{PrettyName(), posix::KernelRelease()};
}

ComputerNameInfo LinuxPlatform::ComputerName() {
    return ComputerNameInfo{std::nullopt, posix::HostName()};
}

std::optional<std::string> LinuxPlatform::UserName() {
    // The user database may be a directory service on the network; a name that has not come in
    // time counts as not found. One the password file answers is taken from it, as the database
    // would take it; one kept in local files otherwise is asked for directly.
    const auto nsswitch = posix::ReadTextFile(kNameServiceSwitchPath);
    if (const auto passwd = nsswitch ? posix::ReadTextFile(kPasswdPath) : std::nullopt) {
        if (auto name = PasswdFileUserName(*nsswitch, *passwd, ::geteuid())) {
            return name;
        }
    }
    if (nsswitch && UserDatabaseIsLocal(*nsswitch)) {
        return posix::EffectiveUserName();
    }
    return common::AskWithin<std::optional<std::string>>(common::kUserLookupLimit,
                                                         posix::EffectiveUserName)
        .value_or(std::nullopt);
}

UserDomainNames LinuxPlatform::UserDomains() {
    // A session logged on through a domain service says so in the environment, as on Windows.
    return UserDomainNames{common::EnvironmentValue("USERDOMAIN"),
                           common::EnvironmentValue("USERDNSDOMAIN")};
}

std::int64_t LinuxPlatform::CurrentTime() {
    return posix::CurrentTime();
}

std::optional<LocalTime> LinuxPlatform::ToLocalTime(std::int64_t calendarTime) {
    return posix::ToLocalTime(calendarTime);
}

ClockWindow LinuxPlatform::MeasureClock() {
    return common::MeasureClockWindow(posix::kNanosecondsPerSecond, posix::MonotonicNanoseconds,
                                      posix::ReadTimeStampCounter);
}

std::optional<MemoryStatus> LinuxPlatform::Memory() {
    if (const auto content = posix::ReadTextFile("/proc/meminfo")) {
        if (auto status = MemoryStatusFromMeminfo(ParseMeminfo(*content))) {
            return status;
        }
    }
    // /proc not mounted or not readable (a sandbox, an exhausted descriptor table): the kernel
    // still answers sysinfo(2), if with fewer details.
    struct sysinfo counts {};
    if (sysinfo(&counts) != 0) {
        return std::nullopt;
    }
    return MemoryStatusFromKernelCounts(KernelMemoryCounts{counts.totalram, counts.freeram,
                                                           counts.bufferram, counts.totalswap,
                                                           counts.freeswap, counts.mem_unit});
}

std::vector<DriveInfo> LinuxPlatform::Drives() {
    return ReadDrives(m_stuckQuestions);
}

std::vector<Ipv4Address> LinuxPlatform::OwnHostAddresses() {
    const auto hostName = posix::HostName();
    if (!hostName || hostName->empty()) {
        return {};
    }
    // A numeric name is not resolved: the resolver would only read the number as an address,
    // which belongs to no interface. The interfaces answer instead.
    if (common::IsNumericHostName(*hostName)) {
        return linux_backend::OwnHostAddresses({});
    }
    // A name that the hosts file answers is answered from it, as the resolver would answer it,
    // without waiting. Anything else may wait on a name server that never answers: the resolver
    // is asked with a deadline, and a late answer counts as none.
    const auto nsswitch = posix::ReadTextFile(kNameServiceSwitchPath);
    const auto hosts = posix::ReadTextFile(kHostsPath);
    if (nsswitch && hosts) {
        if (auto listed = HostsFileAddresses(*nsswitch, *hosts, *hostName)) {
            return linux_backend::OwnHostAddresses(std::move(*listed));
        }
    }
    const auto resolve = [name = *hostName] { return posix::ResolveIpv4(name); };
    using Addresses = std::vector<Ipv4Address>;
    return linux_backend::OwnHostAddresses(
        common::AskWithin<Addresses>(common::kNameResolutionLimit, resolve).value_or(Addresses{}));
}

// The extended facts are all the machine's own files and the kernel's answers: none waits on
// anything outside the machine, so none needs a deadline or a thread.
std::optional<std::uint64_t> LinuxPlatform::SecondsSinceStart() {
    const auto content = posix::ReadTextFile("/proc/uptime");
    return content ? ParseUptimeSeconds(*content) : std::nullopt;
}

SystemRelease LinuxPlatform::Release() {
    return ReleaseFromSources(OsReleaseText(), posix::KernelRelease(), posix::MachineName());
}

ProcessorDetails LinuxPlatform::ProcessorDetail() {
    ProcessorDetails details = ReadProcessorTopology("");
    if (const auto content = posix::ReadFirstParagraph("/proc/cpuinfo")) {
        details.brand = ParseCpuinfo(*content).modelName;
    }
    return details;
}

FirmwareInfo LinuxPlatform::Firmware() {
    return ReadFirmware("");
}

NetworkInfo LinuxPlatform::Network() {
    return ReadNetwork("", posix::InterfaceEntries());
}

std::vector<GraphicsAdapter> LinuxPlatform::GraphicsAdapters() {
    return ReadGraphicsAdapters("");
}

// CUPS may wait on a print server on the network: its question starts first, on a worker of its
// own, and the block's other questions are answered from files meanwhile.
constexpr const char* kPrintersQuestion = "printers";

void LinuxPlatform::StartDeskQuestions() {
    m_printersDeadline = common::DeadlineClock::now() + common::kExtendedFactLimit;
    m_printersAsking.reset();
    if (!m_stuckQuestions.StillStuck(kPrintersQuestion)) {
        m_printersAsking = common::AskOnWorkerThread<std::optional<PrinterList>>(&ReadCupsPrinters);
    }
}

std::optional<RestartState> LinuxPlatform::RestartPending() {
    return ReadRestartPending("");
}

std::optional<InstalledUpdates> LinuxPlatform::Updates() {
    return ReadLastPackageRun("");
}

// No source answers without privileges for both: antivirus products register nowhere, and the
// firewall's rules are root's to read. Unknown, not "none".
SecurityInfo LinuxPlatform::Security() {
    return SecurityInfo{};
}

std::optional<PrinterList> LinuxPlatform::Printers() {
    if (!m_printersAsking) {
        // Asked without StartDeskQuestions (or its last asking is stuck): ask now, or not at all.
        return m_stuckQuestions
            .AskWithin<std::optional<PrinterList>>(kPrintersQuestion, common::kExtendedFactLimit,
                                                   &ReadCupsPrinters)
            .value_or(std::nullopt);
    }
    const auto answer = m_printersAsking->WaitUntil(m_printersDeadline);
    if (!answer) {
        m_stuckQuestions.Remember(kPrintersQuestion, *m_printersAsking);
    }
    m_printersAsking.reset();
    return answer.value_or(std::nullopt);
}

std::vector<DisplayInfo> LinuxPlatform::Displays() {
    return ReadDrmDisplays("");
}

std::optional<PowerInfo> LinuxPlatform::Power() {
    return ReadPower("");
}

ProxySettings LinuxPlatform::Proxy() {
    ProxySettings settings;
    settings.environment = ReadProxyVariables(common::EnvironmentValue);
    return settings;
}

std::optional<TimeSource> LinuxPlatform::ClockSource() {
    TimeSource source = ReadTimeSource("", KernelClockSynchronised());
    if (!source.synchronised && source.servers.empty()) {
        return std::nullopt;
    }
    return source;
}

std::optional<std::string> LinuxPlatform::CurrentDirectory() {
    return posix::CurrentDirectory();
}

}  // namespace kolt::linux_backend

namespace kolt {

std::unique_ptr<Platform> CreateHostPlatform() {
    return std::make_unique<linux_backend::LinuxPlatform>();
}

}  // namespace kolt
