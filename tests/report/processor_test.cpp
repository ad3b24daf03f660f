#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "report/system_report.h"
#include "tests/support/scripted_platform.h"

namespace kolt {
namespace {

using test_support::ScriptedPlatform;

TEST(Architecture, TranslatesKnownVendorsAndFillsPlaceholders) {
    const struct {
        std::optional<std::string> vendor;  // nullopt: the system does not say
        std::optional<std::string> identifier;
        std::string vendorShown;
        std::string identifierShown;
    } cases[] = {
        {"GenuineIntel", "x86 Family 15 Model 2 Stepping 9", "Genuine Intel",
         "x86 Family 15 Model 2 Stepping 9"},
        {"AuthenticAMD", "AMD64 Family 25 Model 33 Stepping 0", "Authentic AMD",
         "AMD64 Family 25 Model 33 Stepping 0"},
        {"CyrixInstead", "x86 Family 5", "CyrixInstead", "x86 Family 5"},
        {"genuineintel", "", "genuineintel", ""},
        {"GenuineIntel ", "x", "GenuineIntel ", "x"},
        {std::nullopt, "x86", "Vendor Unknown", "x86"},
        {"GenuineIntel", std::nullopt, "Genuine Intel", "CPU Unknown"},
        {std::nullopt, std::nullopt, "Vendor Unknown", "CPU Unknown"},
    };
    for (const auto& c : cases) {
        ScriptedPlatform platform;
        platform.processorCount = 2;
        platform.processor.vendor = c.vendor;
        platform.processor.identifier = c.identifier;
        CSystemReport composer(platform);
        std::string report;
        composer.AppendArchitecture(report);
        EXPECT_EQ(report, "  Architecture    : " + c.vendorShown +
                              "\r\n  Number of CPUs  : 2\r\n  CPU Type        : " +
                              c.identifierShown + "\r\n");
    }
}

TEST(Architecture, MmxLineIsLastAndOnlyWhenPresent) {
    ScriptedPlatform platform;
    platform.processor = {"GenuineIntel", "x86 Family 6 Model 8 Stepping 3", true};
    platform.processorCount = 4;
    CSystemReport composer(platform);
    std::string report;
    composer.AppendArchitecture(report);
    EXPECT_EQ(report,
              "  Architecture    : Genuine Intel\r\n  Number of CPUs  : 4\r\n"
              "  CPU Type        : x86 Family 6 Model 8 Stepping 3\r\n"
              "  MMX Feature     : Present\r\n");
}

// The performance counter of the scripted platform advances on every read, so the one-second
// window closes after a few reads; the time-stamp readings fix the cycle count.
struct SpeedCase {
    std::uint32_t processors;
    std::uint64_t tscStart;
    std::uint64_t tscEnd;
    std::string shown;
};

TEST(CpuSpeed, ShowsMegahertzAndTheTotalOverSeveralProcessors) {
    const SpeedCase cases[] = {
        {1, 0, 1'000'000'000, "1000.00 Mhz"},
        {4, 0, 1'000'000'000, "1000.00 (4000.00) Mhz"},
        {2, 0, 2'793'120'000, "2793.12 (5586.24) Mhz"},
        {0, 0, 2'000'000'000, "2000.00 Mhz"},
        // Above 2^32 cycles the whole 64-bit difference counts.
        {1, 0, 5'000'000'000, "5000.00 Mhz"},
        {1, 0xFFFF'FFFF'0000'0000, 0xFFFF'FFFF'0000'0000 + 3'600'000'000, "3600.00 Mhz"},
        // A counter that wraps across 2^64 still gives the elapsed cycles.
        {1, 0xFFFF'FFFF'FFFF'FF00, 2'999'999'744, "3000.00 Mhz"},
        {1, 1'000, 1'000 + 1'234'567, "1.23 Mhz"},
    };
    for (const SpeedCase& c : cases) {
        ScriptedPlatform platform;
        platform.processorCount = c.processors;
        platform.tscReadings = {c.tscStart, c.tscEnd};
        CSystemReport composer(platform);
        std::string report;
        composer.AppendArchitecture(report);
        report.clear();
        composer.AppendCpuSpeed(report);
        EXPECT_EQ(report, "  CPU Speed       : " + c.shown + "\r\n") << c.tscEnd - c.tscStart;
    }
}

TEST(CpuSpeed, WaitsOneSecondOfTheCounterBetweenTwoCycleReadings) {
    ScriptedPlatform platform;
    platform.counterFrequency = 3'000'000;
    platform.counterStart = 5;
    platform.counterStep = 1'000'000;
    platform.tscReadings = {100, 100 + 2'500'000'000};
    CSystemReport composer(platform);
    EXPECT_DOUBLE_EQ(composer.MeasureCpuMhz(), 2500.0);
    // c0, then reads at +1, +2 and +3 seconds' worth of counts: the last one reaches the target.
    EXPECT_EQ(platform.counterReads, 4);
    EXPECT_EQ(platform.tscReads, 2);
}

// A process that is stopped or preempted closes the one-second window late, and the cycles of
// the delay are counted too: they are divided by the time between the two counter readings
// taken next to them, not by a nominal second. A 2,000 MHz processor, counter at 1 MHz.
TEST(CpuSpeed, CyclesAreDividedByTheTimeThatPassed) {
    const struct {
        const char* what;
        std::vector<std::uint64_t> counter;  // the readings, the first next to the first cycles
        std::uint64_t microseconds;          // what passed between the two cycle readings
    } cases[] = {
        {"on time", {7, 500'007, 1'000'007}, 1'000'000},
        {"stopped for three seconds", {7, 500'007, 3'500'007}, 3'500'000},
        {"preempted as the window closed", {7, 999'000, 1'013'007}, 1'013'000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedPlatform platform;
        platform.counterReadings = c.counter;
        platform.tscReadings = {5'000, 5'000 + 2'000 * c.microseconds};
        CSystemReport composer(platform);
        EXPECT_DOUBLE_EQ(composer.MeasureCpuMhz(), 2000.0);
    }
}

TEST(CpuSpeed, ProcessorCountStartsAtTheSystemCountWithoutArchitecture) {
    ScriptedPlatform platform;
    platform.processorCount = 2;
    platform.tscReadings = {0, 1'500'000'000};
    CSystemReport composer(platform);
    std::string report;
    composer.AppendCpuSpeed(report);
    EXPECT_EQ(report, "  CPU Speed       : 1500.00 (3000.00) Mhz\r\n");
}

}  // namespace
}  // namespace kolt
