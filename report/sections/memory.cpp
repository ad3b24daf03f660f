#include "report/sections/memory.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include <nlohmann/json.hpp>

#include "report/decimal_format.h"
#include "report/report_lines.h"

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

// The block's placeholder for a count the system did not give, in place of the figure and its
// unit, so the labels keep their places.
constexpr std::string_view kUnknownFigure = "Unknown";

std::string Figure(const std::optional<MemoryKindFacts>& kind, double MemoryKindFacts::*count,
                   std::string_view unit) {
    if (!kind) {
        return std::string(kUnknownFigure);
    }
    return FormatDecimal((*kind).*count, 0) + std::string(unit);
}

void AppendFigures(std::string& text, std::string_view sizeLabel,
                   const std::optional<MemoryKindFacts>& kind) {
    report_lines::AppendLine(text, sizeLabel,
                             Figure(kind, &MemoryKindFacts::totalMegabytes, " Mb"));
    report_lines::AppendLine(
        text, "            Usage : ", Figure(kind, &MemoryKindFacts::usagePercent, " %"));
    report_lines::AppendLine(
        text, "             Used : ", Figure(kind, &MemoryKindFacts::usedMegabytes, " Mb"));
    report_lines::AppendLine(
        text, "             Free : ", Figure(kind, &MemoryKindFacts::availableMegabytes, " Mb"));
}

// A kind of memory the system gave no counts for keeps its members, each null.
Json KindJson(const std::optional<MemoryKindFacts>& kind) {
    if (!kind) {
        return Json{{"totalBytes", nullptr},
                    {"availableBytes", nullptr},
                    {"usedBytes", nullptr},
                    {"usagePercent", nullptr}};
    }
    return Json{{"totalBytes", kind->totalBytes},
                {"availableBytes", kind->availableBytes},
                {"usedBytes", kind->usedBytes},
                {"usagePercent", kind->usagePercent}};
}

}  // namespace

MemoryFacts GatherMemory(GatherContext& context) {
    const std::optional<MemoryStatus> status = context.platform.Memory();
    if (!status) {
        return MemoryFacts{};
    }
    return MemoryFacts{Count(status->physical), Count(status->pagingFile)};
}

void AppendMemoryText(const MemoryFacts& facts, std::string& report) {
    report_lines::AppendLine(report, report_lines::kBlockOpening);
    report_lines::AppendLine(report, "  System Memory");
    report_lines::AppendLine(report, report_lines::kBlockUnderline);
    AppendFigures(report, "  Physical Memory : ", facts.physical);
    AppendFigures(report, "  Paging File     : ", facts.pagingFile);
}

void WriteMemoryJson(const MemoryFacts& facts, Json& value) {
    value =
        Json{{"physical", KindJson(facts.physical)}, {"pagingFile", KindJson(facts.pagingFile)}};
}

}  // namespace kolt
