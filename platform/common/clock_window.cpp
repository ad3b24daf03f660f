#include "platform/common/clock_window.h"

namespace kolt::common {

ClockWindow MeasureClockWindow(std::uint64_t ticksPerSecond,
                               const std::function<std::uint64_t()>& readTicks,
                               const std::function<std::uint64_t()>& readCycles) {
    const std::uint64_t cyclesStart = readCycles();
    const std::uint64_t ticksStart = readTicks();
    std::uint64_t ticksEnd = ticksStart;
    while (ticksEnd - ticksStart < ticksPerSecond) {
        ticksEnd = readTicks();
    }
    const std::uint64_t cyclesEnd = readCycles();
    return ClockWindow{cyclesEnd - cyclesStart, ticksEnd - ticksStart, ticksPerSecond};
}

}  // namespace kolt::common
