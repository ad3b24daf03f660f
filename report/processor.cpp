// The processor's vendor, count, identifier and MMX support, and its measured clock speed.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "report/decimal_format.h"
#include "report/report_lines.h"
#include "report/section_text.h"
#include "report/system_report.h"

namespace kolt {

namespace {

// The vendor identifiers shown in a friendlier spelling; any other text is shown as read.
struct VendorName {
    std::string_view identifier;
    std::string_view shown;
};
constexpr VendorName kVendorNames[] = {
    {"GenuineIntel", "Genuine Intel"},
    {"AuthenticAMD", "Authentic AMD"},
};

constexpr double kCyclesPerMegahertzSecond = 0.000001;

}  // namespace

ProcessorInfo CSystemReport::QueryProcessor() {
    m_processorCount = static_cast<std::int32_t>(m_systemProcessorCount);

    ProcessorInfo processor = m_platform.Processor();
    m_cpuVendor = processor.vendor.value_or("Vendor Unknown");
    for (const VendorName& known : kVendorNames) {
        if (m_cpuVendor == known.identifier) {
            m_cpuVendor = known.shown;
        }
    }
    m_cpuIdentifier = processor.identifier.value_or("CPU Unknown");
    return processor;
}

ArchitectureFacts CSystemReport::GatherArchitecture() {
    ProcessorInfo found = QueryProcessor();
    return ArchitectureFacts{std::move(found), m_cpuVendor, m_cpuIdentifier, m_processorCount};
}

void AppendArchitectureText(const ArchitectureFacts& facts, std::string& report) {
    report_lines::AppendLine(report, "  Architecture    : ", facts.vendorText);
    report_lines::AppendLine(report, "  Number of CPUs  : ", std::to_string(facts.processors));
    report_lines::AppendLine(report, "  CPU Type        : ", facts.identifierText);
    // The report never says that MMX is absent: the line is only there when it is present.
    if (facts.found.mmx) {
        report_lines::AppendLine(report, "  MMX Feature     : ", "Present");
    }
}

std::string& CSystemReport::AppendArchitecture(std::string& report) {
    AppendArchitectureText(GatherArchitecture(), report);
    return report;
}

double ClockMegahertz(const ClockWindow& window) {
    if (window.ticks == 0 || window.ticksPerSecond == 0) {
        return static_cast<double>(window.cycles) * kCyclesPerMegahertzSecond;
    }
    const double seconds =
        static_cast<double>(window.ticks) / static_cast<double>(window.ticksPerSecond);
    return static_cast<double>(window.cycles) / seconds * kCyclesPerMegahertzSecond;
}

double CSystemReport::MeasureCpuMhz() {
    return ClockMegahertz(m_platform.MeasureClock());
}

CpuSpeedFacts CSystemReport::GatherCpuSpeed() {
    return CpuSpeedFacts{MeasureCpuMhz(), m_processorCount};
}

void AppendCpuSpeedText(const CpuSpeedFacts& facts, std::string& report) {
    std::string value = FormatDecimal(facts.megahertz, 2);
    if (facts.processors > 1) {
        const double total = static_cast<double>(facts.processors) * facts.megahertz;
        value += " (" + FormatDecimal(total, 2) + ")";
    }
    value += " Mhz";
    report_lines::AppendLine(report, "  CPU Speed       : ", value);
}

std::string& CSystemReport::AppendCpuSpeed(std::string& report) {
    AppendCpuSpeedText(GatherCpuSpeed(), report);
    return report;
}

}  // namespace kolt
