// Only POSIX and Linux code here.
#include "platform/posix/posix_platform.h"

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <limits>

#include "platform/posix/cpuinfo.h"
#include "platform/posix/drives.h"
#include "platform/posix/emulated_registry.h"
#include "platform/posix/file_content.h"
#include "platform/posix/host_address.h"
#include "platform/posix/host_identity.h"
#include "platform/posix/meminfo.h"
#include "platform/posix/os_release.h"
#include "platform/posix/time_stamp_counter.h"

namespace kolt::posix {

namespace {

constexpr std::uint64_t kNanosecondsPerSecond = 1'000'000'000;

CpuInfo ReadCpuInfo() {
    const auto content = ReadFirstParagraph("/proc/cpuinfo");
    return content ? ParseCpuinfo(*content) : CpuInfo{};
}

std::optional<utsname> Uname() {
    utsname names{};
    if (::uname(&names) != 0) {
        return std::nullopt;
    }
    return names;
}

std::string PrettyName() {
    for (const char* path : kOsReleasePaths) {
        if (const auto content = ReadFileContent(path)) {
            const OsRelease values = ParseOsRelease(*content);
            const auto pretty = values.find("PRETTY_NAME");
            return pretty != values.end() ? pretty->second : std::string(kDefaultPrettyName);
        }
    }
    return std::string(kDefaultPrettyName);
}

std::optional<std::string> EmulatedValueData(EmulatedValue value) {
    switch (value) {
        case EmulatedValue::kProductName:
            return PrettyName();
        case EmulatedValue::kCurrentVersion:
            if (const auto names = Uname()) {
                return std::string(names->release);
            }
            return std::nullopt;
        case EmulatedValue::kVendorIdentifier:
            return ReadCpuInfo().vendorId;
        case EmulatedValue::kIdentifier:
            return ProcessorIdentifier(ReadCpuInfo(), kBuild32Bit);
        case EmulatedValue::kNone:
            break;
    }
    return std::nullopt;
}

}  // namespace

std::uint32_t PosixPlatform::ProcessorCount() {
    const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    if (online < 1) {
        return 1;  // a running program has at least the processor it runs on
    }
    return static_cast<std::uint32_t>(
        std::min<long>(online, std::numeric_limits<std::int32_t>::max()));
}

bool PosixPlatform::MmxAvailable() {
    return ReadCpuInfo().mmx;
}

std::optional<std::string> PosixPlatform::ComputerName() {
    const auto names = Uname();
    if (!names) {
        return std::nullopt;
    }
    return ComputerNameFromHostName(names->nodename);
}

std::optional<std::string> PosixPlatform::UserName() {
    long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 1024, '\0');
    for (;;) {
        passwd entry{};
        passwd* found = nullptr;
        const int error = ::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < (1u << 20)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error != 0 || found == nullptr || entry.pw_name == nullptr) {
            return std::nullopt;
        }
        return std::string(entry.pw_name);
    }
}

std::optional<std::string> PosixPlatform::EnvironmentVariable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

std::int64_t PosixPlatform::CurrentTime() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

std::optional<LocalTime> PosixPlatform::ToLocalTime(std::int64_t calendarTime) {
    const auto converted = static_cast<std::time_t>(calendarTime);
    if (static_cast<std::int64_t>(converted) != calendarTime) {
        return std::nullopt;  // does not fit this system's time_t
    }
    std::tm parts{};
    if (::localtime_r(&converted, &parts) == nullptr) {
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

bool PosixPlatform::RegistryKeyExists(std::string_view keyPath) {
    return FindEmulatedKey(keyPath) != EmulatedKey::kNone;
}

std::optional<std::string> PosixPlatform::RegistryText(std::string_view keyPath,
                                                       std::string_view valueName,
                                                       std::size_t capacity) {
    const EmulatedValue value = FindEmulatedValue(FindEmulatedKey(keyPath), valueName);
    return FitRegistryText(EmulatedValueData(value), capacity);
}

std::optional<std::uint32_t> PosixPlatform::RegistryDword(std::string_view, std::string_view) {
    return std::nullopt;  // the emulated keys hold text values only
}

std::uint64_t PosixPlatform::PerformanceFrequency() {
    return kNanosecondsPerSecond;
}

std::uint64_t PosixPlatform::PerformanceCounter() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * kNanosecondsPerSecond +
           static_cast<std::uint64_t>(now.tv_nsec);
}

std::uint64_t PosixPlatform::TimeStampCounter() {
    return ReadTimeStampCounter();
}

MemoryStatus PosixPlatform::Memory() {
    const auto content = ReadFileContent("/proc/meminfo");
    return MemoryStatusFromMeminfo(content ? ParseMeminfo(*content) : Meminfo{});
}

std::optional<DiskSpace> PosixPlatform::DiskFreeSpace(const std::string& rootPath) {
    return QueryDiskSpace(rootPath);
}

std::uint32_t PosixPlatform::DriveType(const std::string& rootPath) {
    return QueryDriveType(rootPath);
}

std::vector<Ipv4Address> PosixPlatform::OwnHostAddresses() {
    const auto names = Uname();
    if (!names || names->nodename[0] == '\0') {
        return {};
    }
    return QueryOwnHostAddresses(names->nodename);
}

std::optional<std::string> PosixPlatform::CurrentDirectory() {
    std::string buffer(256, '\0');
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size()) != nullptr) {
            buffer.resize(buffer.find('\0'));
            return buffer;
        }
        if (errno != ERANGE) {
            return std::nullopt;
        }
        buffer.resize(buffer.size() * 2);
    }
}

char PosixPlatform::PathSeparator() {
    return '/';
}

}  // namespace kolt::posix

namespace kolt {

std::unique_ptr<Platform> CreateHostPlatform() {
    return std::make_unique<posix::PosixPlatform>();
}

}  // namespace kolt
