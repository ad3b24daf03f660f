#include "report/sections/disks.h"

#include <algorithm>
#include <limits>

#include <nlohmann/json.hpp>

#include "report/decimal_format.h"
#include "report/report_lines.h"
#include "report/system_report.h"

namespace kolt {

namespace {

constexpr std::uint64_t kLargestCount = std::numeric_limits<std::int64_t>::max();

// Sums stop at the largest count instead of wrapping past it.
std::uint64_t SaturatingSum(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t sum = a + b;
    return sum < a ? std::numeric_limits<std::uint64_t>::max() : sum;
}

// Byte counts are written as signed 64-bit numbers: a larger one is written as the largest.
std::int64_t AsByteCount(std::uint64_t bytes) {
    return static_cast<std::int64_t>(std::min(bytes, kLargestCount));
}

// A drive's or the totals' figures: the share in use is 0 for a size of 0, and never below 0
// for a drive that claims more free space than it has.
SpaceFacts Space(std::uint64_t totalBytes, std::uint64_t freeBytes) {
    SpaceFacts space;
    space.totalBytes = totalBytes;
    space.freeBytes = freeBytes;
    space.usedBytes = totalBytes > freeBytes ? totalBytes - freeBytes : 0;
    space.usagePercent = totalBytes == 0 ? 0
                                         : static_cast<double>(space.usedBytes) /
                                               static_cast<double>(totalBytes) * 100;
    return space;
}

// Usage, size and free lines of one drive or of the totals. Size and free lines end in a space.
void AppendFigures(std::string& text, const SpaceFacts& space) {
    std::string size;
    std::string free;
    CSystemReport::FormatByteSize(AsByteCount(space.totalBytes), size);
    CSystemReport::FormatByteSize(AsByteCount(space.freeBytes), free);
    report_lines::AppendLine(text,
                             "             Usage: ", FormatDecimal(space.usagePercent, 2) + " %");
    report_lines::AppendLine(text, "              Size: ", size + " ");
    report_lines::AppendLine(text, "              Free: ", free + " ");
}

// The number the document gives each drive kind: a code the JSON form has always written, with
// "Unknown Type" from 7 on.
std::uint32_t DocumentTypeCode(DriveKind kind) {
    switch (kind) {
        case DriveKind::Unknown:
            return 0;
        case DriveKind::NoRootDirectory:
            return 1;
        case DriveKind::Removable:
            return 2;
        case DriveKind::Fixed:
            return 3;
        case DriveKind::Network:
            return 4;
        case DriveKind::CdRom:
            return 5;
        case DriveKind::RamDisk:
            return 6;
        case DriveKind::Other:
            break;
    }
    return 7;
}

Json SpaceJson(const SpaceFacts& space) {
    return Json{{"totalBytes", space.totalBytes},
                {"freeBytes", space.freeBytes},
                {"usedBytes", space.usedBytes},
                {"usagePercent", space.usagePercent}};
}

// A measured drive with its type and figures; one that did not answer in time with its type where
// that was known without it, null figures and "timedOut" true.
Json DriveJson(const ListedDrive& drive) {
    Json entry{{"letter", std::string(1, drive.letter)}};
    if (drive.space) {
        entry["type"] = DriveTypeText(drive.kind);
        entry["typeCode"] = DocumentTypeCode(drive.kind);
        entry.update(SpaceJson(*drive.space));
        return entry;
    }
    const bool typeKnown = drive.kind != DriveKind::Unknown;
    entry["type"] = typeKnown ? Json(DriveTypeText(drive.kind)) : Json(nullptr);
    entry["typeCode"] = typeKnown ? Json(DocumentTypeCode(drive.kind)) : Json(nullptr);
    for (const char* figure : {"totalBytes", "freeBytes", "usedBytes", "usagePercent"}) {
        entry[figure] = nullptr;
    }
    entry["timedOut"] = true;
    return entry;
}

}  // namespace

DiskFacts GatherDisks(GatherContext& context) {
    DiskFacts disks;
    std::uint64_t sumTotal = 0;
    std::uint64_t sumFree = 0;
    for (const DriveInfo& drive : context.platform.Drives()) {
        // A drive that did not answer in time is listed without figures and counts nowhere.
        if (!drive.answeredInTime) {
            disks.drives.push_back(ListedDrive{drive.letter, drive.kind, std::nullopt});
            continue;
        }
        // A drive without a medium, or one that cannot be measured, counts nowhere.
        if (!drive.space) {
            continue;
        }
        sumTotal = SaturatingSum(sumTotal, drive.space->totalBytes);
        sumFree = SaturatingSum(sumFree, drive.space->totalFreeBytes);
        disks.drives.push_back(ListedDrive{
            drive.letter, drive.kind, Space(drive.space->totalBytes, drive.space->totalFreeBytes)});
    }
    disks.total = Space(sumTotal, sumFree);
    return disks;
}

std::string DriveTypeText(DriveKind kind) {
    switch (kind) {
        case DriveKind::Unknown:
            return "Error Acquiring Type";
        case DriveKind::NoRootDirectory:
            return "Drive Does Not Exist";
        case DriveKind::Removable:
            return "Removable Media";
        case DriveKind::Fixed:
            return "Local Fixed Disk";
        case DriveKind::Network:
            return "Network Disk";
        case DriveKind::CdRom:
            return "CD-ROM Drive";
        case DriveKind::RamDisk:
            return "RAM Disk";
        case DriveKind::Other:
            break;
    }
    return "Unknown Type";
}

void AppendDisksText(const DiskFacts& facts, std::string& report) {
    report_lines::AppendLine(report, report_lines::kBlockOpening);
    report_lines::AppendLine(report, "  Disk Information");
    report_lines::AppendLine(report, report_lines::kBlockUnderline);
    for (const ListedDrive& drive : facts.drives) {
        if (!drive.space) {
            continue;
        }
        report_lines::AppendLine(report, std::string("  Disk ") + drive.letter + "      Type: ",
                                 DriveTypeText(drive.kind));
        AppendFigures(report, *drive.space);
    }
    report_lines::AppendLine(report, "  Disk Total ");
    AppendFigures(report, facts.total);
}

void WriteDisksJson(const DiskFacts& facts, Json& value) {
    Json drives = Json::array();
    for (const ListedDrive& drive : facts.drives) {
        drives.push_back(DriveJson(drive));
    }
    value = Json{{"drives", std::move(drives)}, {"total", SpaceJson(facts.total)}};
}

}  // namespace kolt
