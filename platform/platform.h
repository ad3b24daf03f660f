// The one seam between the report and the machine. It names the facts the report relies on, in
// the report's own terms, and passes only values: no handle, key or socket crosses it, and a
// backend keeps nothing open between two calls. Which backend answers is chosen by the build
// (platform/win32 or platform/posix); tests answer with scripted values.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kolt {

// A calendar time broken down in the machine's local time zone.
struct LocalTime {
    int year = 1970;   // four digits, e.g. 2026
    int month = 1;     // 1 to 12
    int day = 1;       // 1 to 31
    int hour = 0;      // 0 to 23
    int minute = 0;    // 0 to 59
    int second = 0;    // 0 to 60 (a leap second)
    int weekday = 4;   // 0 = Sunday to 6 = Saturday
};

// The four byte counts of the memory block, as the platform reports them (64-bit wide, so
// machines with more than 4 GB are counted whole).
struct MemoryStatus {
    std::uint64_t totalPhys = 0;
    std::uint64_t availPhys = 0;
    std::uint64_t totalPageFile = 0;  // the commit limit on Windows
    std::uint64_t availPageFile = 0;
};

// Size and free space of one drive, both in bytes.
struct DiskSpace {
    std::uint64_t totalBytes = 0;
    std::uint64_t totalFreeBytes = 0;
};

// Drive-type codes as Windows numbers them; a backend may answer any other value too.
namespace drive_type {
inline constexpr std::uint32_t kUnknown = 0;
inline constexpr std::uint32_t kNoRootDir = 1;
inline constexpr std::uint32_t kRemovable = 2;
inline constexpr std::uint32_t kFixed = 3;
inline constexpr std::uint32_t kRemote = 4;
inline constexpr std::uint32_t kCdRom = 5;
inline constexpr std::uint32_t kRamDisk = 6;
}  // namespace drive_type

// An IPv4 address, most significant octet first (network order).
struct Ipv4Address {
    std::array<std::uint8_t, 4> octets{};
    friend bool operator==(const Ipv4Address&, const Ipv4Address&) = default;
};

class Platform {
public:
    virtual ~Platform() = default;

    // --- System information ---------------------------------------------------------------
    // Number of processors the system reports (Windows: SYSTEM_INFO.dwNumberOfProcessors).
    virtual std::uint32_t ProcessorCount() = 0;
    // Whether the processor offers the MMX instructions.
    virtual bool MmxAvailable() = 0;

    // --- Identity ---------------------------------------------------------------------------
    // The computer's NetBIOS-style name, whole; nullopt when it cannot be obtained. Callers
    // apply their own buffer limits.
    virtual std::optional<std::string> ComputerName() = 0;
    // The name of the user the program runs as, whole; nullopt when it cannot be obtained.
    virtual std::optional<std::string> UserName() = 0;
    // An environment variable's value byte for byte; nullopt when it is not set.
    virtual std::optional<std::string> EnvironmentVariable(const std::string& name) = 0;

    // --- Clock ------------------------------------------------------------------------------
    // Seconds since 1 January 1970 UTC.
    virtual std::int64_t CurrentTime() = 0;
    // The local date and time of a calendar time; nullopt when it cannot be converted.
    virtual std::optional<LocalTime> ToLocalTime(std::int64_t calendarTime) = 0;

    // --- Registry (HKEY_LOCAL_MACHINE, read only) -------------------------------------------
    // Whether the key under HKEY_LOCAL_MACHINE can be opened for reading.
    virtual bool RegistryKeyExists(std::string_view keyPath) = 0;
    // A value's data as text, up to its first NUL. nullopt when the key cannot be opened, the
    // value is missing, or the data with a terminating NUL does not fit `capacity` bytes.
    virtual std::optional<std::string> RegistryText(std::string_view keyPath,
                                                    std::string_view valueName,
                                                    std::size_t capacity) = 0;
    // A REG_DWORD value; nullopt when the key or the value is missing or it is not a DWORD.
    virtual std::optional<std::uint32_t> RegistryDword(std::string_view keyPath,
                                                       std::string_view valueName) = 0;

    // --- Counters ---------------------------------------------------------------------------
    // The high-resolution performance counter's frequency (counts per second) and value.
    virtual std::uint64_t PerformanceFrequency() = 0;
    virtual std::uint64_t PerformanceCounter() = 0;
    // The processor's time-stamp counter (clock cycles).
    virtual std::uint64_t TimeStampCounter() = 0;

    // --- Memory -----------------------------------------------------------------------------
    virtual MemoryStatus Memory() = 0;

    // --- Drives; rootPath is a drive root such as "C:\" -----------------------------------
    // Total and free bytes; nullopt when no medium or no drive stands behind the letter.
    virtual std::optional<DiskSpace> DiskFreeSpace(const std::string& rootPath) = 0;
    // One of the drive_type codes (or any other value the platform answers).
    virtual std::uint32_t DriveType(const std::string& rootPath) = 0;

    // --- Network ----------------------------------------------------------------------------
    // The IPv4 addresses the machine's own host name resolves to, in the resolver's order;
    // empty when the name cannot be read or resolved.
    virtual std::vector<Ipv4Address> OwnHostAddresses() = 0;

    // --- Files ------------------------------------------------------------------------------
    // The process's current directory, whole; nullopt when it cannot be obtained.
    virtual std::optional<std::string> CurrentDirectory() = 0;
    // The character that separates a directory from a file name ('\\' on Windows).
    virtual char PathSeparator() = 0;
};

// The backend the build links: the real machine's answers.
std::unique_ptr<Platform> CreateHostPlatform();

// Makes standard output carry bytes unchanged (no line-end translation).
void UseBinaryStandardOutput();

// Keeps the platform from stopping an unattended run with "no disk in drive" boxes while drives
// without a medium are probed.
void SuppressCriticalErrorDialogs();

}  // namespace kolt
