// The System Memory block.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "report/decimal_format.h"
#include "report/report_lines.h"
#include "report/section_text.h"
#include "report/system_report.h"

namespace kolt {

namespace {

constexpr double kBytesPerMegabyte = 1048576.0;

MemoryKindFacts Count(const MemoryAmount& amount) {
    MemoryKindFacts kind;
    kind.totalBytes = amount.totalBytes;
    // More available than there is (a container runtime can say so) counts as all of it, so
    // neither the usage nor the used count goes below 0.
    kind.availableBytes = std::min(amount.availableBytes, amount.totalBytes);
    kind.usedBytes = kind.totalBytes - kind.availableBytes;
    // Whole megabytes, each count rounded up before the difference is taken.
    kind.totalMegabytes = std::ceil(static_cast<double>(kind.totalBytes) / kBytesPerMegabyte);
    kind.availableMegabytes =
        std::ceil(static_cast<double>(kind.availableBytes) / kBytesPerMegabyte);
    kind.usedMegabytes = kind.totalMegabytes - kind.availableMegabytes;
    // A total of 0 has no meaningful share; 0 rather than a division by zero.
    kind.usagePercent =
        kind.totalMegabytes == 0 ? 0 : kind.usedMegabytes / kind.totalMegabytes * 100;
    return kind;
}

void AppendFigures(std::string& text, std::string_view sizeLabel, const MemoryKindFacts& kind) {
    report_lines::AppendLine(text, sizeLabel, FormatDecimal(kind.totalMegabytes, 0) + " Mb");
    report_lines::AppendLine(text,
                             "            Usage : ", FormatDecimal(kind.usagePercent, 0) + " %");
    report_lines::AppendLine(text,
                             "             Used : ", FormatDecimal(kind.usedMegabytes, 0) + " Mb");
    report_lines::AppendLine(
        text, "             Free : ", FormatDecimal(kind.availableMegabytes, 0) + " Mb");
}

}  // namespace

MemoryFacts CSystemReport::QueryMemory() {
    m_memoryStatus = m_platform.Memory();
    return MemoryFacts{Count(m_memoryStatus.physical), Count(m_memoryStatus.pagingFile)};
}

void AppendMemoryText(const MemoryFacts& facts, std::string& report) {
    report_lines::AppendLine(report, report_lines::kBlockOpening);
    report_lines::AppendLine(report, "  System Memory");
    report_lines::AppendLine(report, report_lines::kBlockUnderline);
    AppendFigures(report, "  Physical Memory : ", facts.physical);
    AppendFigures(report, "  Paging File     : ", facts.pagingFile);
}

std::string& CSystemReport::AppendMemory(std::string& report) {
    AppendMemoryText(QueryMemory(), report);
    return report;
}

}  // namespace kolt
