// The processor's vendor, count, identifier and MMX support, and its measured clock speed.
#include <cstdint>
#include <string>
#include <string_view>

#include "report/decimal_format.h"
#include "report/report_lines.h"
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
    m_mmxPresent = processor.mmx;
    return processor;
}

std::string& CSystemReport::AppendArchitecture(std::string& report) {
    QueryProcessor();
    std::string text;
    report_lines::AppendLine(text, "  Architecture    : ", m_cpuVendor);
    report_lines::AppendLine(text, "  Number of CPUs  : ", std::to_string(m_processorCount));
    report_lines::AppendLine(text, "  CPU Type        : ", m_cpuIdentifier);
    // The report never says that MMX is absent: the line is only there when it is present.
    if (m_mmxPresent) {
        report_lines::AppendLine(text, "  MMX Feature     : ", "Present");
    }
    return report.append(text);
}

double CSystemReport::MeasureCpuMhz() {
    const std::uint64_t frequency = m_platform.PerformanceFrequency();
    // Each cycle count is read right next to a counter reading, and the cycles are divided by the
    // time between those two readings: the window is one second of the counter, but a process
    // that is stopped or preempted closes it late, and the cycles of that delay are counted too.
    const std::uint64_t cyclesStart = m_platform.TimeStampCounter();
    const std::uint64_t counterStart = m_platform.PerformanceCounter();
    std::uint64_t counterEnd = counterStart;
    while (counterEnd - counterStart < frequency) {
        counterEnd = m_platform.PerformanceCounter();
    }
    const std::uint64_t cyclesEnd = m_platform.TimeStampCounter();
    // The whole 64-bit differences: a 32-bit one would wrap above 4294.97 MHz.
    const std::uint64_t cycles = cyclesEnd - cyclesStart;
    if (counterEnd == counterStart) {
        // A counter without a frequency measures no time: the cycles stand for one second.
        return static_cast<double>(cycles) * kCyclesPerMegahertzSecond;
    }
    const double seconds =
        static_cast<double>(counterEnd - counterStart) / static_cast<double>(frequency);
    return static_cast<double>(cycles) / seconds * kCyclesPerMegahertzSecond;
}

std::string& CSystemReport::AppendCpuSpeed(std::string& report) {
    const double megahertz = MeasureCpuMhz();
    std::string value = FormatDecimal(megahertz, 2);
    if (m_processorCount > 1) {
        const double total = static_cast<double>(m_processorCount) * megahertz;
        value += " (" + FormatDecimal(total, 2) + ")";
    }
    value += " Mhz";
    std::string text;
    report_lines::AppendLine(text, "  CPU Speed       : ", value);
    return report.append(text);
}

}  // namespace kolt
