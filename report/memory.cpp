// The System Memory block and the byte-size texts of the disk block.
#include <cmath>
#include <cstdint>
#include <iterator>
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

struct SizeUnit {
    std::int64_t bytes;
    std::string_view name;
};
// Each unit serves up to and including 1024 of itself; Tb serves everything above.
constexpr SizeUnit kSizeUnits[] = {
    {1024LL, " Kb"},
    {1024LL * 1024, " Mb"},
    {1024LL * 1024 * 1024, " Gb"},
    {1024LL * 1024 * 1024 * 1024, " Tb"},
};

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

std::string CSystemReport::FormatByteSize(std::int64_t byteCount, std::string& text) {
    // Negative counts fall in the first row too and are written as a plain count.
    if (byteCount <= kSizeUnits[0].bytes) {
        text = std::to_string(byteCount) + " Bytes";
        return text;
    }
    const SizeUnit* unit = std::begin(kSizeUnits);
    while (unit + 1 != std::end(kSizeUnits) && byteCount > unit->bytes * 1024) {
        ++unit;
    }
    text = FormatDecimal(static_cast<double>(byteCount) / static_cast<double>(unit->bytes), 2);
    text += unit->name;
    return text;
}

}  // namespace kolt
