// What the sections find, before the report's placeholders and layout: the text report and the
// machine-readable one are both written from these values, so their figures always agree.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kolt {

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

struct MemoryFacts {
    MemoryKindFacts physical;
    MemoryKindFacts pagingFile;  // the commit limit on Windows
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
    std::uint32_t typeCode = drive_type::kUnknown;  // for a late drive: what was known without it
    std::optional<SpaceFacts> space;                // nullopt: the drive did not answer in time
};

struct DiskFacts {
    // The measured drives and those that did not answer in time, in letter order; a drive
    // without a medium, or that cannot be measured, is not listed.
    std::vector<ListedDrive> drives;
    SpaceFacts total;  // the measured drives' sums, which stop at the largest count
};

// The user's domains from the environment; nullopt where a variable is not set.
struct DomainFacts {
    std::optional<std::string> domain;
    std::optional<std::string> dnsDomain;
};

}  // namespace kolt
