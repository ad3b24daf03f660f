// What the sections find, before the report's placeholders and layout: one plain value per
// section. The text report and the machine-readable one are both written from these values, so
// their figures always agree.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "report/extended_facts.h"

namespace kolt {

struct DateTimeFacts {
    std::optional<LocalTime> local;  // nullopt: the clock gave no valid time
};

struct ArchitectureFacts {
    ProcessorInfo found;         // as the system describes the processor
    std::string vendorText;      // the vendor as the report shows it ("Genuine Intel")
    std::string identifierText;  // the identifier, or its placeholder
    std::int32_t processors = 1;
};

struct CpuSpeedFacts {
    double megahertz = 0;
    std::int32_t processors = 1;  // the count the architecture lookup gathered
};

struct OperatingSystemFacts {
    OperatingSystemInfo found;  // as the system names itself now
    std::string nameText;       // the name, or its placeholder
    std::string versionText;    // the version, or the one found before
};

struct ComputerNameFacts {
    std::optional<std::string> name;  // nullopt: unknown, or too long for its area
};

struct IpAddressFacts {
    std::optional<Ipv4Address> address;  // nullopt: the host name unread or unresolved
};

struct UserFacts {
    std::optional<std::string> name;  // nullopt: unknown, or too long for its area
    UserDomainNames domains;
};

// One kind of memory as the report counts it.
struct MemoryKindFacts {
    std::uint64_t totalBytes = 0;
    std::uint64_t availableBytes = 0;  // never above the total
    std::uint64_t usedBytes = 0;
    // Whole megabytes, each count rounded up before the difference is taken, and the share in
    // use computed from them, unrounded: the figures the memory block writes.
    double totalMegabytes = 0;
    double availableMegabytes = 0;
    double usedMegabytes = 0;
    double usagePercent = 0;
};

// nullopt where the system gave no counts: the text shows its placeholder, JSON null figures.
struct MemoryFacts {
    std::optional<MemoryKindFacts> physical;
    std::optional<MemoryKindFacts> pagingFile;  // the commit limit on Windows
};

// Size, free and used bytes of a drive or of all of them, and the share in use (unrounded).
struct SpaceFacts {
    std::uint64_t totalBytes = 0;
    std::uint64_t freeBytes = 0;
    std::uint64_t usedBytes = 0;  // never below 0
    double usagePercent = 0;
};

// A drive the report lists: one that was measured, or one that did not answer in time.
struct ListedDrive {
    char letter = 'C';
    DriveKind kind = DriveKind::Unknown;  // for a late drive: what was known without it
    std::optional<SpaceFacts> space;      // nullopt: the drive did not answer in time
};

struct DiskFacts {
    // The measured drives and those that did not answer in time, in letter order; a drive
    // without a medium, or that cannot be measured, is not listed.
    std::vector<ListedDrive> drives;
    SpaceFacts total;  // the measured drives' sums, which stop at the largest count
};

// One report's facts: a section that was not asked for stays nullopt.
struct ReportFacts {
    std::optional<DateTimeFacts> dateTime;
    std::optional<ArchitectureFacts> architecture;
    std::optional<CpuSpeedFacts> cpuSpeed;
    std::optional<OperatingSystemFacts> operatingSystem;
    std::optional<ComputerNameFacts> computerName;
    std::optional<IpAddressFacts> ipAddress;
    std::optional<UserFacts> userName;
    std::optional<MemoryFacts> memory;
    std::optional<DiskFacts> disk;
    std::optional<ExtendedFacts> extended;
};

// "192.0.2.7": the address as both forms write it.
std::string DottedAddress(const Ipv4Address& address);

}  // namespace kolt
