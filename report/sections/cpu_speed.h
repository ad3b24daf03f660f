// The CPU Speed line: the processor clock measured over one second, and the count times it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "report/gather_context.h"
#include "report/json_value.h"

namespace kolt {

struct CpuSpeedFacts {
    double megahertz = 0;
    std::int32_t processors = 1;  // the count the architecture lines show
};

// Measures the clock: takes one second.
CpuSpeedFacts GatherCpuSpeed(GatherContext& context);

// The MHz of a clock measurement: the cycles divided by the time that passed between the two
// cycle readings. A steady clock that did not advance measures no time: the cycles then stand
// for one second.
double ClockMegahertz(const ClockWindow& window);

void AppendCpuSpeedText(const CpuSpeedFacts& facts, std::string& report);
void WriteCpuSpeedJson(const CpuSpeedFacts& facts, Json& value);

}  // namespace kolt
