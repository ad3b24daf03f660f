// The Win32 backend of the platform seam. Only Win32 code here.
#include "platform/win32/win32_platform.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
// The time-stamp counter intrinsic.
#include <intrin.h>

#include <cstdio>
#include <ctime>
#include <utility>

#include "platform/common/calendar.h"
#include "platform/win32/address_choice.h"
#include "platform/win32/registry_rules.h"
#include "platform/win32/win32_names.h"
#include "platform/win32/win32_network.h"
#include "platform/win32/win32_registry.h"

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

std::optional<std::string> Win32Platform::ComputerName() {
    return ReadComputerName();
}

std::optional<std::string> Win32Platform::UserName() {
    return ReadUserName();
}

std::optional<std::string> Win32Platform::EnvironmentVariable(const std::string& name) {
    return ReadEnvironmentVariable(name);
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

std::uint64_t Win32Platform::PerformanceFrequency() {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<std::uint64_t>(frequency.QuadPart);
}

std::uint64_t Win32Platform::PerformanceCounter() {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<std::uint64_t>(counter.QuadPart);
}

std::uint64_t Win32Platform::TimeStampCounter() {
    return __rdtsc();
}

MemoryStatus Win32Platform::Memory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    MemoryStatus memory;
    // 64-bit counts: the older call caps every machine with more than 4 GB. Should the call
    // fail, the counts stay 0, which the report shows as an empty machine rather than garbage.
    if (GlobalMemoryStatusEx(&status) != 0) {
        memory.totalPhys = status.ullTotalPhys;
        memory.availPhys = status.ullAvailPhys;
        memory.totalPageFile = status.ullTotalPageFile;
        memory.availPageFile = status.ullAvailPageFile;
    }
    return memory;
}

std::vector<DriveInfo> Win32Platform::Drives() {
    const DWORD present = GetLogicalDrives();
    std::vector<DriveInfo> drives;
    for (char letter = kFirstDriveLetter; letter <= kLastDriveLetter; ++letter) {
        if ((present & (DWORD{1} << (letter - 'A'))) == 0) {
            continue;
        }
        const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
        DriveInfo drive;
        drive.letter = letter;
        ULARGE_INTEGER availableToCaller{};
        ULARGE_INTEGER total{};
        ULARGE_INTEGER totalFree{};
        // Fails for a drive without a medium, or a network letter that is not connected.
        if (GetDiskFreeSpaceExW(root, &availableToCaller, &total, &totalFree) != 0) {
            drive.space = DiskSpace{total.QuadPart, totalFree.QuadPart};
        }
        drive.typeCode = GetDriveTypeW(root);
        drives.push_back(drive);
    }
    return drives;
}

std::vector<Ipv4Address> Win32Platform::OwnHostAddresses() {
    std::vector<Ipv4Address> resolved = ResolveOwnHostAddresses();
    // With one address or none there is nothing to choose, and the adapter list costs time.
    if (resolved.size() < 2) {
        return resolved;
    }
    return PreferRouteAdapter(std::move(resolved), DefaultRouteAdapterAddresses());
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
