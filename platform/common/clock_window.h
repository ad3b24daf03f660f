// Counting the processor's cycles over one second of a steady clock, for every backend alike.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/platform.h"

namespace kolt::common {

// Waits until `readTicks` has advanced by `ticksPerSecond` and answers the cycles `readCycles`
// counted meanwhile. Each cycle reading is taken right next to a tick reading, and the window's
// ticks are those between these two: a process that is stopped or preempted closes the window
// late, and the cycles of that delay are matched by the ticks that passed. Differences are taken
// whole in 64 bits, so a counter that wraps still gives the elapsed count. A frequency of 0 takes
// no time and measures no ticks.
ClockWindow MeasureClockWindow(std::uint64_t ticksPerSecond,
                               const std::function<std::uint64_t()>& readTicks,
                               const std::function<std::uint64_t()>& readCycles);

}  // namespace kolt::common
