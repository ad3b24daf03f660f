// The Win32 backend of the platform seam. Only Win32 code here.
#include "platform/win32/win32_platform.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
// The time-stamp counter intrinsic.
#include <intrin.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <utility>

#include "platform/common/calendar.h"
#include "platform/common/clock_window.h"
#include "platform/common/deadline.h"
#include "platform/common/deadlines.h"
#include "platform/common/drive_probes.h"
#include "platform/win32/address_choice.h"
#include "platform/win32/drive_kinds.h"
#include "platform/win32/registry_rules.h"
#include "platform/win32/release_rules.h"
#include "platform/win32/restart_rules.h"
#include "platform/win32/security_rules.h"
#include "platform/win32/system_module.h"
#include "platform/win32/time_source_rules.h"
#include "platform/win32/win32_adapters.h"
#include "platform/win32/win32_antivirus.h"
#include "platform/win32/win32_display.h"
#include "platform/win32/win32_firmware.h"
#include "platform/win32/win32_monitors.h"
#include "platform/win32/win32_names.h"
#include "platform/win32/win32_network.h"
#include "platform/win32/win32_power.h"
#include "platform/win32/win32_printers.h"
#include "platform/win32/win32_proxy.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system_details.h"
#include "platform/win32/win32_time_service.h"
#include "platform/win32/win32_updates.h"

namespace kolt {
namespace win32 {

namespace {

// The drives the report shows: C: to Z:. A: and B: are floppy letters, never probed.
constexpr char kFirstDriveLetter = 'C';
constexpr char kLastDriveLetter = 'Z';

}  // namespace

std::uint32_t Win32Platform::ProcessorCount() {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors;
}

ProcessorInfo Win32Platform::Processor() {
    Win32RegistryView registry;
    ProcessorInfo processor = ReadProcessorIdentity(registry);
    processor.mmx = IsProcessorFeaturePresent(PF_MMX_INSTRUCTIONS_AVAILABLE) != 0;
    return processor;
}

OperatingSystemInfo Win32Platform::OperatingSystem() {
    Win32RegistryView registry;
    return ReadOperatingSystem(registry);
}

ComputerNameInfo Win32Platform::ComputerName() {
    return ComputerNameInfo{ReadComputerName(), std::nullopt};
}

std::optional<std::string> Win32Platform::UserName() {
    // In a domain the account's name may come from a domain controller; a name that has not come
    // in time counts as not found.
    return common::AskWithin<std::optional<std::string>>(common::kUserLookupLimit, ReadUserName)
        .value_or(std::nullopt);
}

UserDomainNames Win32Platform::UserDomains() {
    // The logon session names the user's domains in its environment.
    return UserDomainNames{ReadEnvironmentVariable("USERDOMAIN"),
                           ReadEnvironmentVariable("USERDNSDOMAIN")};
}

std::int64_t Win32Platform::CurrentTime() {
    return _time64(nullptr);
}

std::optional<LocalTime> Win32Platform::ToLocalTime(std::int64_t calendarTime) {
    // 64-bit time throughout, so dates after 2038 convert in the 32-bit program too. The library
    // refuses times before 1970 and past the year 3000.
    const __time64_t time = calendarTime;
    std::tm parts{};
    if (_localtime64_s(&parts, &time) != 0) {
        return std::nullopt;
    }
    LocalTime local = common::LocalTimeFromTm(parts);
    // The local fields read as if they were UTC give the local time's seconds; the difference to
    // the calendar time is the offset, daylight saving included.
    std::tm asUtc = parts;
    const __time64_t localSeconds = _mkgmtime64(&asUtc);
    if (localSeconds != -1) {
        local.utcOffsetSeconds = static_cast<int>(localSeconds - time);
    }
    return local;
}

ClockWindow Win32Platform::MeasureClock() {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return common::MeasureClockWindow(
        static_cast<std::uint64_t>(frequency.QuadPart),
        [] {
            LARGE_INTEGER counter{};
            QueryPerformanceCounter(&counter);
            return static_cast<std::uint64_t>(counter.QuadPart);
        },
        [] { return static_cast<std::uint64_t>(__rdtsc()); });
}

std::optional<MemoryStatus> Win32Platform::Memory() {
    MemoryStatus memory;
    // 64-bit counts: the older call caps every machine with more than 4 GB. Should it fail, the
    // older call, which cannot, still gives true counts up to its cap.
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (GlobalMemoryStatusEx(&status) != 0) {
        memory.physical = {status.ullTotalPhys, status.ullAvailPhys};
        memory.pagingFile = {status.ullTotalPageFile, status.ullAvailPageFile};
        return memory;
    }
    MEMORYSTATUS capped{};
    capped.dwLength = sizeof capped;
    GlobalMemoryStatus(&capped);
    memory.physical = {capped.dwTotalPhys, capped.dwAvailPhys};
    memory.pagingFile = {capped.dwTotalPageFile, capped.dwAvailPageFile};
    return memory;
}

std::vector<DriveInfo> Win32Platform::Drives() {
    const DWORD present = GetLogicalDrives();
    std::vector<common::DriveProbe> probes;
    for (char letter = kFirstDriveLetter; letter <= kLastDriveLetter; ++letter) {
        if ((present & (DWORD{1} << (letter - 'A'))) == 0) {
            continue;
        }
        // Any drive may keep a caller waiting: a mapped share whose server is gone for the
        // redirector's time-outs, a disc that spins up. Each is asked on a worker thread.
        const std::wstring root = {static_cast<wchar_t>(letter), L':', L'\\'};
        common::DriveProbe probe;
        probe.key = std::string{letter, ':', '\\'};
        probe.known.letter = letter;
        probe.askType = [root] { return DriveKindOfWindowsType(GetDriveTypeW(root.c_str())); };
        probe.askSpace = [root]() -> std::optional<DiskSpace> {
            ULARGE_INTEGER availableToCaller{};
            ULARGE_INTEGER total{};
            ULARGE_INTEGER totalFree{};
            // Fails for a drive without a medium, or a network letter that is not connected.
            if (GetDiskFreeSpaceExW(root.c_str(), &availableToCaller, &total, &totalFree) == 0) {
                return std::nullopt;
            }
            return DiskSpace{total.QuadPart, totalFree.QuadPart};
        };
        probes.push_back(std::move(probe));
    }
    return common::ProbeDrives(std::move(probes), common::kDriveAnswerLimit, m_stuckQuestions);
}

HostAddresses Win32Platform::OwnHostAddresses() {
    // The resolver may wait on a name server that never answers; a late answer counts as none.
    std::optional<std::vector<Ipv4Address>> answer = common::AskWithin<std::vector<Ipv4Address>>(
        common::kNameResolutionLimit, ResolveOwnHostAddresses);
    const bool inTime = answer.has_value();
    std::vector<Ipv4Address> resolved = std::move(answer).value_or(std::vector<Ipv4Address>{});
    // With one address or none there is nothing to choose, and the adapter list costs time.
    if (resolved.size() < 2) {
        return {std::move(resolved), inTime};
    }
    return {PreferRouteAdapter(std::move(resolved), DefaultRouteAdapterAddresses()), inTime};
}

std::optional<std::uint64_t> Win32Platform::SecondsSinceStart() {
    return GetTickCount64() / 1000;
}

SystemRelease Win32Platform::Release() {
    Win32RegistryView registry;
    SystemRelease release = ReadSystemRelease(registry);
    ApplyArchitecture(ReadArchitectureAnswers(), release);
    return release;
}

ProcessorDetails Win32Platform::ProcessorDetail() {
    const ProcessorCounts counts = ReadProcessorCounts();
    Win32RegistryView registry;
    return ProcessorDetails{ReadProcessorBrand(registry), counts.physicalCores,
                            counts.logicalProcessors};
}

// The firmware table, the adapter list and the display devices come from drivers, the updates
// and the antivirus products from WMI (another process), the printers from the spooler and the
// print servers it connects to, the monitors from the window system: each is asked on a worker
// thread with a deadline, and one that hangs is not asked again while it does.
void Win32Platform::StartDeskQuestions() {
    // What the workers load, loaded here first, one after another (see KeepSystemModulesLoaded).
    KeepSystemModulesLoaded({L"user32.dll", L"gdi32.dll", L"shcore.dll", L"ole32.dll",
                             L"oleaut32.dll", L"winspool.drv", L"wbem\\wbemprox.dll"});
    // One deadline for all: when every one hangs, the section waits for it once.
    const common::DeadlineClock::time_point deadline =
        common::DeadlineClock::now() + common::kExtendedFactLimit;
    m_firmware.Start(m_stuckQuestions, deadline, ReadFirmware);
    m_adapters.Start(m_stuckQuestions, deadline, ReadNetworkAdapters);
    m_displayDevices.Start(m_stuckQuestions, deadline, EnumerateDisplayDevices);
    m_updates.Start(m_stuckQuestions, deadline, ReadInstalledUpdates);
    m_antivirus.Start(m_stuckQuestions, deadline, ReadAntivirusProducts);
    m_printers.Start(m_stuckQuestions, deadline, ReadPrinters);
    m_monitors.Start(m_stuckQuestions, deadline, ReadMonitors);
}

FirmwareInfo Win32Platform::Firmware() {
    return m_firmware.Take(m_stuckQuestions, common::kExtendedFactLimit, ReadFirmware)
        .value_or(FirmwareInfo{});
}

NetworkInfo Win32Platform::Network() {
    return m_adapters.Take(m_stuckQuestions, common::kExtendedFactLimit, ReadNetworkAdapters)
        .value_or(NetworkInfo{});
}

std::vector<GraphicsAdapter> Win32Platform::GraphicsAdapters() {
    using Records = std::vector<DisplayDeviceRecord>;
    const Records records =
        m_displayDevices.Take(m_stuckQuestions, common::kExtendedFactLimit, EnumerateDisplayDevices)
            .value_or(Records{});
    Win32RegistryView registry;
    return GraphicsFromRecords(records, registry);
}

// The registry, the power status, the proxy settings and the service manager answer at once:
// asked on the caller's thread.
std::optional<RestartState> Win32Platform::RestartPending() {
    Win32RegistryView registry;
    return ReadRestartState(registry);
}

std::optional<InstalledUpdates> Win32Platform::Updates() {
    return m_updates.Take(m_stuckQuestions, common::kExtendedFactLimit, ReadInstalledUpdates)
        .value_or(std::nullopt);
}

SecurityInfo Win32Platform::Security() {
    SecurityInfo security;
    security.antivirus =
        m_antivirus.Take(m_stuckQuestions, common::kExtendedFactLimit, ReadAntivirusProducts)
            .value_or(std::nullopt);
    Win32RegistryView registry;
    security.firewall = ReadFirewallProfiles(registry);
    return security;
}

std::optional<PrinterList> Win32Platform::Printers() {
    return m_printers.Take(m_stuckQuestions, common::kExtendedFactLimit, ReadPrinters)
        .value_or(std::nullopt);
}

std::vector<DisplayInfo> Win32Platform::Displays() {
    return m_monitors.Take(m_stuckQuestions, common::kExtendedFactLimit, ReadMonitors)
        .value_or(std::vector<DisplayInfo>{});
}

std::optional<PowerInfo> Win32Platform::Power() {
    return ReadPower();
}

ProxySettings Win32Platform::Proxy() {
    return ReadProxySettings();
}

std::optional<TimeSource> Win32Platform::ClockSource() {
    Win32RegistryView registry;
    return ReadTimeSource(registry, TimeServiceRunning());
}

std::optional<std::string> Win32Platform::CurrentDirectory() {
    return ReadCurrentDirectory();
}

}  // namespace win32

std::unique_ptr<Platform> CreateHostPlatform() {
    return std::make_unique<win32::Win32Platform>();
}

void SuppressCriticalErrorDialogs() {
    // SetErrorMode answers the previous mode; read it and add the two flags to it.
    const UINT current = SetErrorMode(0);
    SetErrorMode(current | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

void PrepareConsoleProcess() {
    // Binary standard output: the report's CR LF must not become CR CR LF.
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
    // An unattended run must never stop on a "no disk in drive" box while drives are probed.
    SuppressCriticalErrorDialogs();
}

}  // namespace kolt
