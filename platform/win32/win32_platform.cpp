// The Win32 backend of the platform seam. Only Win32 code here.
#include "platform/win32/win32_platform.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
// The time-stamp counter intrinsic.
#include <intrin.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/win32/win32_names.h"
#include "platform/win32/win32_network.h"
#include "platform/win32/win32_registry.h"

namespace kolt {
namespace win32 {

std::uint32_t Win32Platform::ProcessorCount() {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors;
}

bool Win32Platform::MmxAvailable() {
    return IsProcessorFeaturePresent(PF_MMX_INSTRUCTIONS_AVAILABLE) != 0;
}

std::optional<std::string> Win32Platform::ComputerName() {
    return ReadComputerName();
}

std::optional<std::string> Win32Platform::UserName() {
    return ReadUserName();
}

std::optional<std::string> Win32Platform::EnvironmentVariable(const std::string& name) {
    // The C library's copy of the environment, as the program was started with it.
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
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
    LocalTime local;
    local.year = parts.tm_year + 1900;
    local.month = parts.tm_mon + 1;
    local.day = parts.tm_mday;
    local.hour = parts.tm_hour;
    local.minute = parts.tm_min;
    local.second = parts.tm_sec;
    local.weekday = parts.tm_wday;
    return local;
}

bool Win32Platform::RegistryKeyExists(std::string_view keyPath) {
    return RegistryKeyOpens(keyPath);
}

std::optional<std::string> Win32Platform::RegistryText(std::string_view keyPath,
                                                       std::string_view valueName,
                                                       std::size_t capacity) {
    return ReadRegistryText(keyPath, valueName, capacity);
}

std::optional<std::uint32_t> Win32Platform::RegistryDword(std::string_view keyPath,
                                                          std::string_view valueName) {
    return ReadRegistryDword(keyPath, valueName);
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

std::optional<DiskSpace> Win32Platform::DiskFreeSpace(const std::string& rootPath) {
    ULARGE_INTEGER availableToCaller{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER totalFree{};
    if (GetDiskFreeSpaceExA(rootPath.c_str(), &availableToCaller, &total, &totalFree) == 0) {
        return std::nullopt;  // no drive behind the letter, or no medium in it
    }
    return DiskSpace{total.QuadPart, totalFree.QuadPart};
}

std::uint32_t Win32Platform::DriveType(const std::string& rootPath) {
    return GetDriveTypeA(rootPath.c_str());
}

std::vector<Ipv4Address> Win32Platform::OwnHostAddresses() {
    return ResolveOwnHostAddresses();
}

std::optional<std::string> Win32Platform::CurrentDirectory() {
    return ReadCurrentDirectory();
}

}  // namespace win32

std::unique_ptr<Platform> CreateHostPlatform() {
    return std::make_unique<win32::Win32Platform>();
}

void UseBinaryStandardOutput() {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}

void SuppressCriticalErrorDialogs() {
    // SetErrorMode answers the previous mode; read it and add the two flags to it.
    const UINT current = SetErrorMode(0);
    SetErrorMode(current | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

}  // namespace kolt
