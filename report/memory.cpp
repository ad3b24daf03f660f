// The System Memory block.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "report/decimal_format.h"
#include "report/report_lines.h"
#include "report/system_report.h"

namespace kolt {

namespace {

constexpr double kBytesPerMegabyte = 1048576.0;

// One memory kind in whole megabytes, each count rounded up before the difference is taken.
struct MegabyteFigures {
    double total = 0;
    double available = 0;
    double used = 0;
    double usage = 0;  // percent, not rounded
};

MegabyteFigures ToMegabytes(std::uint64_t totalBytes, std::uint64_t availableBytes) {
    // More available than there is (a container runtime can say so) counts as all of it, so
    // neither the usage nor the used count goes below 0.
    availableBytes = std::min(availableBytes, totalBytes);
    MegabyteFigures figures;
    figures.total = std::ceil(static_cast<double>(totalBytes) / kBytesPerMegabyte);
    figures.available = std::ceil(static_cast<double>(availableBytes) / kBytesPerMegabyte);
    figures.used = figures.total - figures.available;
    // A total of 0 has no meaningful share; 0 rather than a division by zero.
    figures.usage = figures.total == 0 ? 0 : figures.used / figures.total * 100;
    return figures;
}

void AppendFigures(std::string& text, std::string_view sizeLabel, const MegabyteFigures& figures) {
    report_lines::AppendLine(text, sizeLabel, FormatDecimal(figures.total, 0) + " Mb");
    report_lines::AppendLine(text, "            Usage : ", FormatDecimal(figures.usage, 0) + " %");
    report_lines::AppendLine(text, "             Used : ", FormatDecimal(figures.used, 0) + " Mb");
    report_lines::AppendLine(text,
                             "             Free : ", FormatDecimal(figures.available, 0) + " Mb");
}

}  // namespace

std::string& CSystemReport::AppendMemory(std::string& report) {
    m_memoryStatus = m_platform.Memory();
    const MegabyteFigures physical =
        ToMegabytes(m_memoryStatus.totalPhys, m_memoryStatus.availPhys);
    const MegabyteFigures pagingFile =
        ToMegabytes(m_memoryStatus.totalPageFile, m_memoryStatus.availPageFile);

    std::string text;
    report_lines::AppendLine(text, report_lines::kBlockOpening);
    report_lines::AppendLine(text, "  System Memory");
    report_lines::AppendLine(text, report_lines::kBlockUnderline);
    AppendFigures(text, "  Physical Memory : ", physical);
    AppendFigures(text, "  Paging File     : ", pagingFile);
    return report.append(text);
}

}  // namespace kolt
