// The Disk Information block: every measurable drive from C: to Z:, then their totals.
#include <cstdint>
#include <optional>
#include <string>

#include "report/decimal_format.h"
#include "report/report_lines.h"
#include "report/system_report.h"

namespace kolt {

namespace {

// The share of a drive in use, in percent; 0 for a drive whose size is 0 (or absurdly large).
double UsagePercent(std::uint64_t totalBytes, std::uint64_t freeBytes) {
    const auto total = static_cast<std::int64_t>(totalBytes);
    if (total <= 0) {
        return 0;
    }
    const auto used = static_cast<std::int64_t>(totalBytes - freeBytes);
    return static_cast<double>(used) / static_cast<double>(total) * 100;
}

// Usage, size and free lines of one drive or of the totals. Size and free lines end in a space.
void AppendFigures(std::string& text, std::uint64_t totalBytes, std::uint64_t freeBytes) {
    std::string size;
    std::string free;
    CSystemReport::FormatByteSize(static_cast<std::int64_t>(totalBytes), size);
    CSystemReport::FormatByteSize(static_cast<std::int64_t>(freeBytes), free);
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
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        // A letter without a drive, or a drive without a medium, gets no lines and its type
        // is not asked for.
        const std::optional<DiskSpace> space = m_platform.DiskFreeSpace(root);
        if (!space) {
            continue;
        }
        sumTotal += space->totalBytes;
        sumFree += space->totalFreeBytes;
        report_lines::AppendLine(text, std::string("  Disk ") + letter + "      Type: ",
                                 DriveTypeText(m_platform.DriveType(root)));
        AppendFigures(text, space->totalBytes, space->totalFreeBytes);
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
