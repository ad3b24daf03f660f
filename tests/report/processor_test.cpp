#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "report/sections/architecture.h"
#include "report/sections/cpu_speed.h"
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
    platform.processor.vendor = "GenuineIntel";
    platform.processor.identifier = "x86 Family 6 Model 8 Stepping 3";
    platform.processor.mmx = true;
    platform.processorCount = 4;
    CSystemReport composer(platform);
    std::string report;
    composer.AppendArchitecture(report);
    EXPECT_EQ(report,
              "  Architecture    : Genuine Intel\r\n  Number of CPUs  : 4\r\n"
              "  CPU Type        : x86 Family 6 Model 8 Stepping 3\r\n"
              "  MMX Feature     : Present\r\n");
}

// A system that gives family, model and stepping as numbers (Linux) has the identifier made from
// them, with the architecture word Windows writes for the program and the vendor.
TEST(ProcessorIdentifier, ArchitectureWordFollowsBuildAndVendor) {
    struct Case {
        const char* vendor;
        bool program32Bit;
        std::optional<std::uint32_t> stepping;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"GenuineIntel", true, 10, "x86 Family 6 Model 158 Stepping 10"},
        {"AuthenticAMD", true, 10, "x86 Family 6 Model 158 Stepping 10"},
        {"GenuineIntel", false, 10, "Intel64 Family 6 Model 158 Stepping 10"},
        {"AuthenticAMD", false, 10, "AMD64 Family 6 Model 158 Stepping 10"},
        {"HygonGenuine", false, 10, "AMD64 Family 6 Model 158 Stepping 10"},
        {"genuineintel", false, 10, "AMD64 Family 6 Model 158 Stepping 10"},
        // Without all three numbers there is no identifier.
        {"GenuineIntel", false, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vendor);
        ProcessorInfo processor;
        processor.vendor = c.vendor;
        processor.family = 6;
        processor.model = 158;
        processor.stepping = c.stepping;
        processor.program32Bit = c.program32Bit;
        EXPECT_EQ(ProcessorIdentifier(processor), c.expected);
    }
}

// One second of a 1 MHz steady clock: the cycles fix the speed.
ClockWindow OneSecondOf(std::uint64_t cycles) {
    return ClockWindow{cycles, 1'000'000, 1'000'000};
}

TEST(CpuSpeed, ShowsMegahertzAndTheTotalOverSeveralProcessors) {
    const struct {
        std::uint32_t processors;
        std::uint64_t cycles;
        std::string shown;
    } cases[] = {
        {1, 1'000'000'000, "1000.00 Mhz"},
        {4, 1'000'000'000, "1000.00 (4000.00) Mhz"},
        {2, 2'793'120'000, "2793.12 (5586.24) Mhz"},
        {0, 2'000'000'000, "2000.00 Mhz"},
        // Above 2^32 cycles the whole 64-bit count counts.
        {1, 5'000'000'000, "5000.00 Mhz"},
        {1, 1'234'567, "1.23 Mhz"},
    };
    for (const auto& c : cases) {
        ScriptedPlatform platform;
        platform.processorCount = c.processors;
        platform.clock = OneSecondOf(c.cycles);
        CSystemReport composer(platform);
        std::string report;
        composer.AppendArchitecture(report);
        report.clear();
        composer.AppendCpuSpeed(report);
        EXPECT_EQ(report, "  CPU Speed       : " + c.shown + "\r\n") << c.cycles;
        EXPECT_EQ(platform.clockMeasurements, 1);
    }
}

// A process that is stopped or preempted closes the one-second window late, and the cycles of
// the delay are counted too: they are divided by the time that passed between the two cycle
// readings, not by a nominal second. A 2,000 MHz processor, steady clock at 1 MHz.
TEST(CpuSpeed, CyclesAreDividedByTheTimeThatPassed) {
    const struct {
        const char* what;
        ClockWindow window;
        double megahertz;
    } cases[] = {
        {"on time", {2'000'000'000, 1'000'000, 1'000'000}, 2000.0},
        {"stopped for three seconds", {7'000'000'000, 3'500'000, 1'000'000}, 2000.0},
        {"preempted as the window closed", {2'026'000'000, 1'013'000, 1'000'000}, 2000.0},
        {"a clock at 3 MHz", {2'500'000'000, 3'000'000, 3'000'000}, 2500.0},
        // A steady clock that did not advance measures no time: the cycles stand for a second.
        {"no ticks", {1'500'000'000, 0, 1'000'000}, 1500.0},
        {"no frequency", {1'500'000'000, 0, 0}, 1500.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_DOUBLE_EQ(ClockMegahertz(c.window), c.megahertz);
    }
}

TEST(CpuSpeed, ProcessorCountStartsAtTheSystemCountWithoutArchitecture) {
    ScriptedPlatform platform;
    platform.processorCount = 2;
    platform.clock = OneSecondOf(1'500'000'000);
    CSystemReport composer(platform);
    std::string report;
    composer.AppendCpuSpeed(report);
    EXPECT_EQ(report, "  CPU Speed       : 1500.00 (3000.00) Mhz\r\n");
}

}  // namespace
}  // namespace kolt
