#include "platform/common/clock_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kolt::common {
namespace {

// Readings handed out in turn, the last one repeating; counts how often it was read.
struct Readings {
    std::vector<std::uint64_t> values;
    int reads = 0;
    std::uint64_t operator()() {
        const auto index = static_cast<std::size_t>(reads++);
        return values[std::min(index, values.size() - 1)];
    }
};

TEST(ClockWindow, CountsCyclesBetweenReadingsNextToTheTicksOfOneSecond) {
    const struct {
        const char* what;
        std::uint64_t ticksPerSecond;
        std::vector<std::uint64_t> ticks;
        std::vector<std::uint64_t> cycles;
        ClockWindow expected;
        int tickReads;
    } cases[] = {
        // The start, then reads at +1, +2 and +3 seconds' worth of counts at 3 MHz.
        {"steps",
         3'000'000,
         {5, 1'000'005, 2'000'005, 3'000'005},
         {100, 2'500'000'100},
         {2'500'000'000, 3'000'000, 3'000'000},
         4},
        // A window closed late counts every tick that passed.
        {"late",
         1'000'000,
         {7, 500'007, 3'500'007},
         {0, 7'000'000'000},
         {7'000'000'000, 3'500'000, 1'000'000},
         3},
        // Counters that wrap across 2^64 still give the elapsed counts.
        {"wrapping",
         1'000'000,
         {0xFFFF'FFFF'FFFF'FFF0, 999'984},
         {0xFFFF'FFFF'FFFF'FF00, 2'999'999'744},
         {3'000'000'000, 1'000'000, 1'000'000},
         2},
        // No frequency: no wait, no ticks.
        {"no frequency", 0, {42}, {10, 20}, {10, 0, 0}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Readings ticks{c.ticks};
        Readings cycles{c.cycles};
        const ClockWindow window =
            MeasureClockWindow(c.ticksPerSecond, std::ref(ticks), std::ref(cycles));
        EXPECT_EQ(window.cycles, c.expected.cycles);
        EXPECT_EQ(window.ticks, c.expected.ticks);
        EXPECT_EQ(window.ticksPerSecond, c.expected.ticksPerSecond);
        EXPECT_EQ(ticks.reads, c.tickReads);
        EXPECT_EQ(cycles.reads, 2);
    }
}

}  // namespace
}  // namespace kolt::common
