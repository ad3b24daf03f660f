// The rules over drives and memory.
#include <cstdio>
#include <string>

#include "report/attention/rules.h"
#include "report/attention/thresholds.h"
#include "report/sections/disks.h"
#include "report/system_report.h"

namespace kolt::attention {

namespace {

std::string ByteSizeText(std::uint64_t bytes) {
    std::string text;
    return CSystemReport::FormatByteSize(CountValue(bytes), text);
}

std::string DriveName(char letter) {
    return std::string(1, letter);
}

bool AlmostFull(const SpaceFacts& space) {
    if (space.totalBytes == 0) {
        return false;
    }
    if (space.freeBytes < kDriveFreeBytesAlwaysLow) {
        return true;
    }
    // free / total < 10 %, without the product overflowing: free is below 20 Gb here.
    return space.freeBytes < kDriveFreeBytesLowWithShare &&
           space.freeBytes * 100 < space.totalBytes * kDriveFreePercentLow;
}

}  // namespace

std::vector<RuleFinding> DriveAlmostFull(const RuleInput& input) {
    std::vector<RuleFinding> found;
    if (!input.facts.disk) {
        return found;
    }
    for (const ListedDrive& drive : input.facts.disk->drives) {
        if (drive.kind != DriveKind::Fixed || !drive.space || !AlmostFull(*drive.space)) {
            continue;
        }
        const SpaceFacts& space = *drive.space;
        // The share free, rounded down: a drive below the line never shows as on it.
        const auto freePercent = static_cast<std::int64_t>(
            static_cast<long double>(space.freeBytes) * 100 / space.totalBytes);
        char text[128];
        std::snprintf(text, sizeof text, "Drive %c: has %s free (%lld %%)", drive.letter,
                      ByteSizeText(space.freeBytes).c_str(), static_cast<long long>(freePercent));
        found.push_back({text,
                         {{"drive", DriveName(drive.letter)},
                          {"freeBytes", CountValue(space.freeBytes)},
                          {"totalBytes", CountValue(space.totalBytes)},
                          {"freePercent", freePercent}}});
    }
    return found;
}

std::vector<RuleFinding> DriveNotAnswering(const RuleInput& input) {
    std::vector<RuleFinding> found;
    if (!input.facts.disk) {
        return found;
    }
    for (const ListedDrive& drive : input.facts.disk->drives) {
        if (drive.space) {
            continue;
        }
        std::string text = "Drive ";
        text += drive.letter;
        text += drive.kind == DriveKind::Network ? ": (a network share) did not answer in time"
                                                 : ": did not answer in time";
        found.push_back({std::move(text), {{"drive", DriveName(drive.letter)}}});
    }
    return found;
}

std::vector<RuleFinding> MemoryAlmostFull(const RuleInput& input) {
    if (!input.facts.memory || !input.facts.memory->physical) {
        return {};
    }
    const MemoryKindFacts& physical = *input.facts.memory->physical;
    if (physical.totalBytes == 0 || !(physical.usagePercent > kMemoryInUsePercentHigh)) {
        return {};
    }
    char text[128];
    std::snprintf(text, sizeof text, "Physical memory is %.1f %% in use (%.0f Mb free)",
                  physical.usagePercent, physical.availableMegabytes);
    return {{text,
             {{"usagePercent", physical.usagePercent},
              {"availableBytes", CountValue(physical.availableBytes)}}}};
}

}  // namespace kolt::attention
