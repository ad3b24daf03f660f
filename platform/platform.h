// The one seam between the report and the machine. It names the facts the report relies on and
// passes only values: no handle, key or socket crosses it, and a backend keeps nothing open
// between two calls. How a fact is found (registry, /proc, sysctl) is the backend's business.
// Which backend answers is chosen by the build; tests answer with scripted values.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kolt {

// A calendar time broken down in the machine's local time zone.
struct LocalTime {
    int year = 1970;           // four digits, e.g. 2026
    int month = 1;             // 1 to 12
    int day = 1;               // 1 to 31
    int hour = 0;              // 0 to 23
    int minute = 0;            // 0 to 59
    int second = 0;            // 0 to 60 (a leap second)
    int weekday = 4;           // 0 = Sunday to 6 = Saturday
    int utcOffsetSeconds = 0;  // local time minus UTC, daylight saving included
};

// The operating system as it names itself. A name or version that cannot be found is nullopt:
// the report then shows its placeholder, or keeps the version it showed before.
struct OperatingSystemInfo {
    std::optional<std::string> name;     // "Microsoft Windows XP", "Debian GNU/Linux 12 (bookworm)"
    std::optional<std::string> version;  // "5.1 Service Pack 1", "6.1.0-18-amd64"
};

// The first processor as the system describes it; nullopt where the system does not say.
struct ProcessorInfo {
    std::optional<std::string> vendor;      // the maker's identifier, "GenuineIntel"
    std::optional<std::string> identifier;  // "x86 Family 15 Model 2 Stepping 9"
    bool mmx = false;                       // the MMX instructions are available
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

// One drive letter that exists on the machine.
struct DriveInfo {
    char letter = 'C';  // upper case
    std::uint32_t typeCode = drive_type::kUnknown;
    std::optional<DiskSpace> space;  // nullopt: no medium, or it cannot be measured
    // False when the drive did not answer within its deadline (a share whose server has gone):
    // it has no space then, and its type is what was known without it (kUnknown when nothing).
    bool answeredInTime = true;
};

// An IPv4 address, most significant octet first (network order).
struct Ipv4Address {
    std::array<std::uint8_t, 4> octets{};
    friend bool operator==(const Ipv4Address&, const Ipv4Address&) = default;
};

// --- Extended facts: what the opt-in Extended Information section reports ---------------------
// Each is what the system says, before the report's layout; a fact the system does not give (or
// gives only as a maker's placeholder) is nullopt or empty.

// An IPv6 address, most significant octet first (network order).
struct Ipv6Address {
    std::array<std::uint8_t, 16> octets{};
    friend bool operator==(const Ipv6Address&, const Ipv6Address&) = default;
};

// An address of either family: gateways and name servers may be of both.
using InternetAddress = std::variant<Ipv4Address, Ipv6Address>;

// An address of an interface with the length of its network prefix (24 for a 255.255.255.0 mask).
struct IpPrefix {
    InternetAddress address;
    std::uint8_t prefixLength = 0;
    friend bool operator==(const IpPrefix&, const IpPrefix&) = default;
};

// A day of the calendar, as firmware dates are given.
struct CalendarDate {
    int year = 1970;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// The operating system's release in detail, and what the machine and this program are built for.
struct SystemRelease {
    std::optional<std::string> edition;       // "Professional", "Enterprise"
    std::optional<std::string> distribution;  // the distribution's own id, "debian", "fedora"
    std::optional<std::string> release;       // "23H2", "Service Pack 1", "12", "14.2"
    std::optional<std::string> build;         // build and update revision, "22631.2861"
    std::optional<std::string> kernel;        // the kernel's release, "6.1.0-18-amd64"
    std::optional<std::int64_t> installTime;  // seconds since 1970 UTC
    // "x86", "x64", "ARM", "ARM64", or the system's own word for another machine: what the system
    // runs on natively, and what this program's code is built for (x86 on x64 for a 32-bit
    // program on 64-bit Windows, x64 on ARM64 for an emulated one).
    std::optional<std::string> systemArchitecture;
    std::optional<std::string> programArchitecture;
};

// The processor as its maker names it, and how many it is.
struct ProcessorDetails {
    std::optional<std::string> brand;  // "Intel(R) Core(TM) i7-8650U CPU @ 1.90GHz"
    std::optional<std::uint32_t> physicalCores;
    std::optional<std::uint32_t> logicalProcessors;
};

// The machine and its firmware as the firmware describes them (SMBIOS).
struct FirmwareInfo {
    std::optional<std::string> make;  // the system's manufacturer
    std::optional<std::string> model;
    std::optional<std::string> serialNumber;
    std::optional<std::string> biosVendor;
    std::optional<std::string> biosVersion;
    std::optional<CalendarDate> biosDate;
};

enum class AdapterKind { Unknown, Ethernet, WiFi, Tunnel, Virtual };

// A network adapter that is up and not a loopback.
struct NetworkAdapter {
    std::string name;  // "eth0", "Ethernet 2"
    AdapterKind kind = AdapterKind::Unknown;
    std::vector<std::uint8_t> hardwareAddress;  // empty when it has none (a tunnel)
    std::vector<IpPrefix> ipv4;                 // in the system's order
    std::vector<IpPrefix> ipv6;                 // global addresses only
    std::vector<InternetAddress> gateways;      // IPv4 first
    std::vector<InternetAddress> dnsServers;    // the name servers this adapter is given
    bool carriesDefaultRoute = false;           // the IPv4 default route leaves through it
};

struct NetworkInfo {
    std::vector<NetworkAdapter> adapters;  // in the system's order
    // Name servers the system uses that belong to no one adapter (a system-wide resolver list).
    std::vector<InternetAddress> dnsServers;
};

struct GraphicsAdapter {
    std::string name;                          // "NVIDIA GeForce RTX 3060", or its device ids
    std::optional<std::string> driver;         // the driver's name, "amdgpu"
    std::optional<std::string> driverVersion;  // "31.0.15.3623"
};

class Platform {
public:
    virtual ~Platform() = default;

    // --- Processor and operating system ---------------------------------------------------
    // Number of processors the system reports.
    virtual std::uint32_t ProcessorCount() = 0;
    virtual ProcessorInfo Processor() = 0;
    virtual OperatingSystemInfo OperatingSystem() = 0;

    // --- Identity ---------------------------------------------------------------------------
    // The computer's NetBIOS-style name, whole; nullopt when it cannot be obtained. Callers
    // apply their own buffer limits.
    virtual std::optional<std::string> ComputerName() = 0;
    // The name of the user the program runs as, whole; nullopt when it cannot be obtained, or not
    // within its deadline.
    virtual std::optional<std::string> UserName() = 0;
    // An environment variable's value byte for byte; nullopt when it is not set.
    virtual std::optional<std::string> EnvironmentVariable(const std::string& name) = 0;

    // --- Clock and counters -----------------------------------------------------------------
    // Seconds since 1 January 1970 UTC.
    virtual std::int64_t CurrentTime() = 0;
    // The local date and time of a calendar time; nullopt when it cannot be converted.
    virtual std::optional<LocalTime> ToLocalTime(std::int64_t calendarTime) = 0;
    // A steady high-resolution counter's frequency (counts per second) and value.
    virtual std::uint64_t PerformanceFrequency() = 0;
    virtual std::uint64_t PerformanceCounter() = 0;
    // The processor's time-stamp counter (clock cycles).
    virtual std::uint64_t TimeStampCounter() = 0;

    // --- Memory and drives ------------------------------------------------------------------
    virtual MemoryStatus Memory() = 0;
    // Every drive letter that exists, in letter order, each measured afresh. Drives are asked
    // with a deadline: one that does not answer in time is listed as such, never waited for.
    virtual std::vector<DriveInfo> Drives() = 0;

    // --- Network ----------------------------------------------------------------------------
    // The machine's own IPv4 addresses, the one that reaches the network first; empty when the
    // host name cannot be read or resolved (a resolver that does not answer within its deadline
    // counts as not resolving it).
    virtual std::vector<Ipv4Address> OwnHostAddresses() = 0;

    // --- Extended facts ---------------------------------------------------------------------
    // Each is asked only for the Extended Information section. A fact that may wait on something
    // outside the program (firmware, the network stack, a display driver) is asked with a
    // deadline: one that does not answer in time counts as unknown.
    // Whole seconds since the system started; nullopt when the system does not say.
    virtual std::optional<std::uint64_t> SecondsSinceStart() = 0;
    virtual SystemRelease Release() = 0;
    virtual ProcessorDetails ProcessorDetail() = 0;
    virtual FirmwareInfo Firmware() = 0;
    virtual NetworkInfo Network() = 0;
    // Every graphics adapter once, in the system's order.
    virtual std::vector<GraphicsAdapter> GraphicsAdapters() = 0;

    // --- Files ------------------------------------------------------------------------------
    // The process's current directory, whole; nullopt when it cannot be obtained.
    virtual std::optional<std::string> CurrentDirectory() = 0;
    // The character that separates a directory from a file name ('\\' on Windows).
    virtual char PathSeparator() = 0;
};

// The backend the build links: the real machine's answers.
std::unique_ptr<Platform> CreateHostPlatform();

// --- Process set-up ---------------------------------------------------------------------------

// Readies the console program's process: standard output carries bytes unchanged (no line-end
// translation), a closed pipe or a file-size limit fails a write instead of ending the process,
// and no "no disk in drive" box stops an unattended run while drives are probed.
void PrepareConsoleProcess();

// Keeps the platform from stopping the program with "no disk in drive" boxes while drives
// without a medium are probed.
void SuppressCriticalErrorDialogs();

// --- The programs' own files ------------------------------------------------------------------

// Hands a regular file's bytes to `consume`, piece by piece, until the end of the file, `limit`
// bytes in all, or `consume` answering false. False when the path is not a regular file (a
// directory, FIFO, device or socket) or cannot be opened or read; opening never waits.
bool ReadRegularFile(const std::string& path, std::size_t limit,
                     const std::function<bool(std::string_view)>& consume);

// The bytes a text file holds for `text` on this platform: on Windows each LF becomes CR LF, as a
// text stream writes it; elsewhere the text unchanged.
std::string TextFileBytes(std::string_view text);

// What became of a file the program meant to write.
struct FileWriteResult {
    bool written = false;
    std::string failure;     // why it was not written, in the system's words; empty when it was
    std::string leftBehind;  // the path of a new file that could not be removed again; empty when
                             // none was left
};

// Replaces the file at `path` with `bytes` in one step: the bytes go to a new file beside it,
// which takes the name only once they are on their way to the disk, so that a crash or power cut
// leaves either the whole new file or the old one. A link at the name is replaced, never
// followed. On any failure the new file is removed (or named in `leftBehind` when it cannot be),
// whatever stood at the name is left as it was, and `written` is false. Where the system ends the
// program by a signal while the new file has a name of its own (interrupt, terminate, hang-up),
// that file is removed first.
FileWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// --- Standard output and standard error ------------------------------------------------------

enum class StandardStream { Output, Error };

// Writes every byte to the process's standard output or error, going on after partial writes and
// waiting while a non-blocking stream is full; false when the stream fails (a closed pipe, a full
// disk, no such stream). A file or a pipe receives the bytes unchanged. A console window that
// does not take UTF-8 bytes as text (Windows, whose console shows bytes in its own code page) is
// given the text (UTF-8) in its own characters instead, so every name reads whole.
bool WriteToStandardStream(StandardStream stream, std::string_view bytes);

}  // namespace kolt
