// The Disk Information block: every measurable drive from C: to Z:, then their totals.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "report/gather_context.h"
#include "report/json_value.h"

namespace kolt {

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

DiskFacts GatherDisks(GatherContext& context);

// The name of a drive kind ("Local Fixed Disk", "CD-ROM Drive", ...).
std::string DriveTypeText(DriveKind kind);

// A drive that did not answer in time has no lines; JSON lists it with null figures.
void AppendDisksText(const DiskFacts& facts, std::string& report);
void WriteDisksJson(const DiskFacts& facts, Json& value);

}  // namespace kolt
