// The Disk Information block: every measurable drive from C: to Z:, then their totals.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

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

// The share of a drive in use, in percent; 0 for a drive whose size is 0, and never below 0 for a
// drive that claims more free space than it has.
double UsagePercent(std::uint64_t totalBytes, std::uint64_t freeBytes) {
    if (totalBytes == 0) {
        return 0;
    }
    const std::uint64_t used = totalBytes > freeBytes ? totalBytes - freeBytes : 0;
    return static_cast<double>(used) / static_cast<double>(totalBytes) * 100;
}

// Usage, size and free lines of one drive or of the totals. Size and free lines end in a space.
void AppendFigures(std::string& text, std::uint64_t totalBytes, std::uint64_t freeBytes) {
    std::string size;
    std::string free;
    CSystemReport::FormatByteSize(AsByteCount(totalBytes), size);
    CSystemReport::FormatByteSize(AsByteCount(freeBytes), free);
    report_lines::AppendLine(
        text, "             Usage: ", FormatDecimal(UsagePercent(totalBytes, freeBytes), 2) + " %");
    report_lines::AppendLine(text, "              Size: ", size + " ");
    report_lines::AppendLine(text, "              Free: ", free + " ");
}

}  // namespace

std::string& CSystemReport::AppendDisks(std::string& report) {
    std::string text;
    report_lines::AppendLine(text, report_lines::kBlockOpening);
    report_lines::AppendLine(text, "  Disk Information");
    report_lines::AppendLine(text, report_lines::kBlockUnderline);

    std::uint64_t sumTotal = 0;
    std::uint64_t sumFree = 0;
    for (const DriveInfo& drive : m_platform.Drives()) {
        // A: and B: are floppy letters the report never shows; a drive without a medium, or one
        // that cannot be measured, gets no lines.
        if (drive.letter < 'C' || drive.letter > 'Z' || !drive.space) {
            continue;
        }
        sumTotal = SaturatingSum(sumTotal, drive.space->totalBytes);
        sumFree = SaturatingSum(sumFree, drive.space->totalFreeBytes);
        report_lines::AppendLine(text, std::string("  Disk ") + drive.letter + "      Type: ",
                                 DriveTypeText(drive.typeCode));
        AppendFigures(text, drive.space->totalBytes, drive.space->totalFreeBytes);
    }

    report_lines::AppendLine(text, "  Disk Total ");
    AppendFigures(text, sumTotal, sumFree);
    return report.append(text);
}

std::string CSystemReport::DriveTypeText(std::uint32_t driveTypeCode) {
    switch (driveTypeCode) {
        case drive_type::kUnknown:
            return "Error Acquiring Type";
        case drive_type::kNoRootDir:
            return "Drive Does Not Exist";
        case drive_type::kRemovable:
            return "Removable Media";
        case drive_type::kFixed:
            return "Local Fixed Disk";
        case drive_type::kRemote:
            return "Network Disk";
        case drive_type::kCdRom:
            return "CD-ROM Drive";
        case drive_type::kRamDisk:
            return "RAM Disk";
        default:
            return "Unknown Type";
    }
}

}  // namespace kolt
