// The Disk Information block: every measurable drive from C: to Z:, then their totals.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "report/decimal_format.h"
#include "report/report_lines.h"
#include "report/section_text.h"
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

}  // namespace

DiskFacts CSystemReport::QueryDisks() {
    DiskFacts disks;
    std::uint64_t sumTotal = 0;
    std::uint64_t sumFree = 0;
    for (const DriveInfo& drive : m_platform.Drives()) {
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

void AppendDisksText(const DiskFacts& facts, std::string& report) {
    report_lines::AppendLine(report, report_lines::kBlockOpening);
    report_lines::AppendLine(report, "  Disk Information");
    report_lines::AppendLine(report, report_lines::kBlockUnderline);
    for (const ListedDrive& drive : facts.drives) {
        // A drive that did not answer gets no lines, like one that cannot be measured.
        if (!drive.space) {
            continue;
        }
        report_lines::AppendLine(report, std::string("  Disk ") + drive.letter + "      Type: ",
                                 CSystemReport::DriveTypeText(drive.kind));
        AppendFigures(report, *drive.space);
    }
    report_lines::AppendLine(report, "  Disk Total ");
    AppendFigures(report, facts.total);
}

std::string& CSystemReport::AppendDisks(std::string& report) {
    AppendDisksText(QueryDisks(), report);
    return report;
}

std::string CSystemReport::DriveTypeText(DriveKind kind) {
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

}  // namespace kolt
