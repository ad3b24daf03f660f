// The /proc and os-release parsers on canned text.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "platform/linux/cpuinfo.h"
#include "platform/linux/meminfo.h"
#include "platform/linux/os_release.h"

namespace kolt::linux_backend {
namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

TEST(ParseMeminfo, ReadsTheFieldsItNeedsAndIgnoresLookAlikes) {
    const Meminfo info = ParseMeminfo(
        "MemTotal:       16303508 kB\n"
        "MemFree:         9817112 kB\n"
        "MemAvailable:   12913428 kB\n"
        "Buffers:          207460 kB\n"
        "Cached:          3022232 kB\n"
        "SwapCached:            0 kB\n"
        "Active(file):    1212345 kB\n"
        "SwapTotal:       2097148 kB\n"
        "SwapFree:        2000000 kB\n"
        "HugePages_Total:       0\n");
    EXPECT_EQ(info.memTotalKb, 16303508u);
    EXPECT_EQ(info.memFreeKb, 9817112u);
    EXPECT_EQ(info.memAvailableKb, 12913428u);
    EXPECT_EQ(info.buffersKb, 207460u);
    EXPECT_EQ(info.cachedKb, 3022232u);  // not SwapCached
    EXPECT_EQ(info.swapTotalKb, 2097148u);
    EXPECT_EQ(info.swapFreeKb, 2000000u);
}

TEST(ParseMeminfo, MalformedValuesStayUnset) {
    const Meminfo info = ParseMeminfo(
        "MemTotal: -5 kB\n"
        "MemFree: 12x kB\n"
        "MemAvailable: 99999999999999999999999 kB\n"
        "SwapTotal: 7 MB\n"
        "SwapFree:\n"
        "Cached 5 kB\n");
    EXPECT_FALSE(info.memTotalKb);
    EXPECT_FALSE(info.memFreeKb);
    EXPECT_FALSE(info.memAvailableKb);
    EXPECT_FALSE(info.swapTotalKb);
    EXPECT_FALSE(info.swapFreeKb);
    EXPECT_FALSE(info.cachedKb);
}

void ExpectMemoryStatus(const std::optional<MemoryStatus>& status,
                        const std::optional<MemoryStatus>& expected) {
    ASSERT_EQ(status.has_value(), expected.has_value());
    if (!status) {
        return;
    }
    EXPECT_EQ(status->physical.totalBytes, expected->physical.totalBytes);
    EXPECT_EQ(status->physical.availableBytes, expected->physical.availableBytes);
    EXPECT_EQ(status->pagingFile.totalBytes, expected->pagingFile.totalBytes);
    EXPECT_EQ(status->pagingFile.availableBytes, expected->pagingFile.availableBytes);
}

TEST(MemoryStatusFromMeminfo, CountsInBytesWithSwapInThePagingFile) {
    struct Case {
        const char* name;
        Meminfo info;
        std::optional<MemoryStatus> expected;
    };
    const Case cases[] = {
        {"16 GiB, no swap",
         {16777216, 1, 8388608, 0, 0, 0, 0},
         MemoryStatus{{17179869184u, 8589934592u}, {17179869184u, 8589934592u}}},
        {"swap joins the commit limit",
         {1048576, 1, 524288, 0, 0, 2097152, 1048576},
         MemoryStatus{{1073741824u, 536870912u}, {3221225472u, 1610612736u}}},
        {"no MemAvailable: free, buffers and cached",
         {1000, 100, std::nullopt, 20, 30, 0, 0},
         MemoryStatus{{1024000u, 153600u}, {1024000u, 153600u}}},
        {"estimate never above the total",
         {1000, 900, std::nullopt, 200, 300, 0, 0},
         MemoryStatus{{1024000u, 1024000u}, {1024000u, 1024000u}}},
        // A text without the total (an empty or unreadable file) says nothing: no invented 0.
        {"nothing known", {}, std::nullopt},
        {"no MemTotal", {std::nullopt, 100, 100, 0, 0, 0, 0}, std::nullopt},
        {"overflowing counts saturate",
         {kMax / 512, 1, kMax / 512, 0, 0, kMax / 512, kMax / 512},
         MemoryStatus{{kMax, kMax}, {kMax, kMax}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectMemoryStatus(MemoryStatusFromMeminfo(c.info), c.expected);
    }
}

// sysinfo(2)'s counts, for when /proc/meminfo cannot be read.
TEST(MemoryStatusFromKernelCounts, CountsInBytesOfTheKernelsUnit) {
    struct Case {
        const char* name;
        KernelMemoryCounts counts;
        std::optional<MemoryStatus> expected;
    };
    const Case cases[] = {
        {"bytes", {1000, 300, 100, 500, 200, 1}, MemoryStatus{{1000, 400}, {1500, 600}}},
        {"4 KiB units (32-bit kernels with much memory)",
         {4, 1, 1, 2, 2, 4096},
         MemoryStatus{{16384, 8192}, {24576, 16384}}},
        {"free and buffers never above the total",
         {1000, 900, 300, 0, 0, 1},
         MemoryStatus{{1000, 1000}, {1000, 1000}}},
        {"overflowing counts saturate",
         {kMax / 2, 1, 0, kMax / 2, 0, 4},
         MemoryStatus{{kMax, 4}, {kMax, 4}}},
        {"no memory counted", {0, 0, 0, 0, 0, 1}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectMemoryStatus(MemoryStatusFromKernelCounts(c.counts), c.expected);
    }
}

TEST(ParseOsRelease, FollowsShellQuoting) {
    struct Case {
        const char* line;
        const char* expected;
    };
    const Case cases[] = {
        {R"x(PRETTY_NAME="Debian GNU/Linux 12 (bookworm)")x", "Debian GNU/Linux 12 (bookworm)"},
        {R"x(PRETTY_NAME='Fedora Linux 40 (Workstation Edition)')x",
         "Fedora Linux 40 (Workstation Edition)"},
        {R"x(PRETTY_NAME=Alpine)x", "Alpine"},
        {R"x(PRETTY_NAME="Say \"hi\" \\ \$5 \`x\`")x", R"x(Say "hi" \ $5 `x`)x"},
        {R"x(PRETTY_NAME="keeps \n as is")x", R"x(keeps \n as is)x"},
        {R"x(PRETTY_NAME='single \ keeps "all"')x", R"x(single \ keeps "all")x"},
        {R"x(PRETTY_NAME=Mixed\ "quo"'ting')x", "Mixed quoting"},
        {"PRETTY_NAME=\"Ends in CR\"\r", "Ends in CR"},
        {R"x(PRETTY_NAME="")x", ""},
        {R"x(PRETTY_NAME="unterminated)x", "unterminated"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const OsRelease values = ParseOsRelease(c.line);
        ASSERT_EQ(values.count("PRETTY_NAME"), 1u);
        EXPECT_EQ(values.at("PRETTY_NAME"), c.expected);
    }
}

TEST(ParseOsRelease, SkipsCommentsAndNonAssignmentsAndKeepsTheLastValue) {
    const OsRelease values = ParseOsRelease(
        "# PRETTY_NAME=\"commented out\"\n"
        "\n"
        "NAME=\"Example OS\"\n"
        "not an assignment\n"
        "=no key\n"
        "BAD KEY=x\n"
        "PRETTY_NAME=\"first\"\n"
        "PRETTY_NAME=\"second\"\n"
        "VERSION_ID=1.0");
    EXPECT_EQ(values.at("PRETTY_NAME"), "second");
    EXPECT_EQ(values.at("NAME"), "Example OS");
    EXPECT_EQ(values.at("VERSION_ID"), "1.0");
    EXPECT_EQ(values.size(), 3u);
}

constexpr const char* kIntelCpuinfo =
    "processor\t: 0\n"
    "vendor_id\t: GenuineIntel\n"
    "cpu family\t: 6\n"
    "model\t\t: 158\n"
    "model name\t: Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz\n"
    "stepping\t: 10\n"
    "flags\t\t: fpu vme de pse tsc msr pae mce cx8 mmx fxsr sse sse2\n"
    "\n"
    "processor\t: 1\n"
    "vendor_id\t: OtherVendor\n"
    "cpu family\t: 99\n"
    "model\t\t: 99\n"
    "stepping\t: 99\n"
    "flags\t\t: fpu\n";

TEST(ParseCpuinfo, ReadsTheFirstProcessorOnly) {
    const CpuInfo info = ParseCpuinfo(kIntelCpuinfo);
    EXPECT_EQ(info.vendorId, "GenuineIntel");
    EXPECT_EQ(info.family, 6u);
    EXPECT_EQ(info.model, 158u);  // not confused with "model name"
    EXPECT_EQ(info.stepping, 10u);
    EXPECT_TRUE(info.mmx);
}

TEST(ParseCpuinfo, FlagsAndMissingFields) {
    struct Case {
        const char* name;
        const char* text;
        bool mmx;
        bool identified;
    };
    const Case cases[] = {
        {"mmxext is not mmx", "vendor_id : AuthenticAMD\nflags : fpu mmxext 3dnow\n", false, false},
        {"mmx last on the line", "flags : fpu sse mmx\n", true, false},
        {"arm has no x86 fields", "processor : 0\nBogoMIPS : 50.00\nFeatures : fp asimd\n", false,
         false},
        {"unknown stepping", "cpu family : 6\nmodel : 1\nstepping : unknown\n", false, false},
        {"leading blank lines", "\n\ncpu family : 6\nmodel : 1\nstepping : 2\nflags : mmx\n", true,
         true},
        {"empty", "", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CpuInfo info = ParseCpuinfo(c.text);
        EXPECT_EQ(info.mmx, c.mmx);
        EXPECT_EQ(info.family && info.model && info.stepping, c.identified);
    }
}

}  // namespace
}  // namespace kolt::linux_backend
