#include "report/sections/cpu_speed.h"

#include <nlohmann/json.hpp>

#include "report/decimal_format.h"
#include "report/report_lines.h"

namespace kolt {

namespace {

constexpr double kCyclesPerMegahertzSecond = 0.000001;

}  // namespace

double ClockMegahertz(const ClockWindow& window) {
    if (window.ticks == 0 || window.ticksPerSecond == 0) {
        return static_cast<double>(window.cycles) * kCyclesPerMegahertzSecond;
    }
    const double seconds =
        static_cast<double>(window.ticks) / static_cast<double>(window.ticksPerSecond);
    return static_cast<double>(window.cycles) / seconds * kCyclesPerMegahertzSecond;
}

CpuSpeedFacts GatherCpuSpeed(GatherContext& context) {
    return CpuSpeedFacts{ClockMegahertz(context.platform.MeasureClock()), context.processorCount};
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

void WriteCpuSpeedJson(const CpuSpeedFacts& facts, Json& value) {
    value = Json{{"megahertz", facts.megahertz},
                 {"processors", facts.processors},
                 {"totalMegahertz", facts.megahertz * facts.processors}};
}

}  // namespace kolt
