#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "report/system_report.h"
#include "tests/support/scripted_platform.h"

namespace kolt {
namespace {

using test_support::ScriptedPlatform;

std::string MemoryBlock(const std::optional<MemoryStatus>& memory) {
    ScriptedPlatform platform;
    platform.memory = memory;
    CSystemReport composer(platform);
    std::string report;
    composer.AppendMemory(report);
    return report;
}

std::string MemoryBlock(const MemoryStatus& memory) {
    return MemoryBlock(std::optional<MemoryStatus>(memory));
}

// The four figure lines of one memory kind as the block writes them.
struct Figures {
    const char* total;
    const char* usage;
    const char* used;
    const char* free;
};

std::string ExpectedBlock(const Figures& physical, const Figures& paging) {
    return std::string(
               "        \r\n  System Memory\r\n"
               "  ----------------------------------------------\r\n") +
           "  Physical Memory : " + physical.total + " Mb\r\n" +
           "            Usage : " + physical.usage + " %\r\n" +
           "             Used : " + physical.used + " Mb\r\n" +
           "             Free : " + physical.free + " Mb\r\n" +
           "  Paging File     : " + paging.total + " Mb\r\n" +
           "            Usage : " + paging.usage + " %\r\n" + "             Used : " + paging.used +
           " Mb\r\n" + "             Free : " + paging.free + " Mb\r\n";
}

TEST(Memory, BlockWithRoundedUpMegabytes) {
    EXPECT_EQ(MemoryBlock({{536'281'088, 209'715'200}, {1'317'011'456, 905'969'664}}),
              ExpectedBlock({"512", "61", "312", "200"}, {"1256", "31", "392", "864"}));
}

struct KindCase {
    std::uint64_t total;
    std::uint64_t available;
    Figures shown;
};

TEST(Memory, FiguresOfOneKind) {
    constexpr std::uint64_t kMb = 1'048'576;
    const KindCase cases[] = {
        {536'870'913, 0, {"513", "100", "513", "0"}},  // one byte more rounds up
        {4'294'967'295, 4'294'967'295, {"4096", "0", "0", "4096"}},
        {512 * kMb, 448 * kMb, {"512", "13", "64", "448"}},  // 12.5 % rounds up
        {16ULL * 1024 * kMb, 8ULL * 1024 * kMb, {"16384", "50", "8192", "8192"}},
        {1024ULL * 1024 * kMb, 1, {"1048576", "100", "1048575", "1"}},  // 1 TiB
        {0, 0, {"0", "0", "0", "0"}},                                   // no division by zero
        {1, 1, {"1", "0", "0", "1"}},
        // More available than there is (a container can say so) counts as all of it.
        {512 * kMb, 100'000 * kMb, {"512", "0", "0", "512"}},
        {0, 1, {"0", "0", "0", "0"}},
    };
    for (const KindCase& c : cases) {
        EXPECT_EQ(MemoryBlock({{c.total, c.available}, {c.total, c.available}}),
                  ExpectedBlock(c.shown, c.shown))
            << c.total << " / " << c.available;
    }
}

TEST(Memory, EachCallReadsTheFiguresAfresh) {
    ScriptedPlatform platform;
    platform.memory = {{1'048'576, 0}, {1'048'576, 0}};
    CSystemReport composer(platform);
    std::string first;
    composer.AppendMemory(first);
    platform.memory = {{2'097'152, 0}, {2'097'152, 0}};
    std::string second;
    composer.AppendMemory(second);
    EXPECT_EQ(second, ExpectedBlock({"2", "100", "2", "0"}, {"2", "100", "2", "0"}));
}

// Counts the system did not give show the placeholder where the figure and its unit stand.
TEST(Memory, UnknownCountsShowThePlaceholderInTheirPlaces) {
    EXPECT_EQ(MemoryBlock(std::nullopt),
              "        \r\n  System Memory\r\n"
              "  ----------------------------------------------\r\n"
              "  Physical Memory : Unknown\r\n"
              "            Usage : Unknown\r\n"
              "             Used : Unknown\r\n"
              "             Free : Unknown\r\n"
              "  Paging File     : Unknown\r\n"
              "            Usage : Unknown\r\n"
              "             Used : Unknown\r\n"
              "             Free : Unknown\r\n");
}

struct SizeCase {
    std::int64_t bytes;
    const char* text;
};

TEST(FormatByteSize, UsesEachUnitUpToAndIncluding1024OfIt) {
    const SizeCase cases[] = {
        {0, "0 Bytes"},
        {1, "1 Bytes"},
        {1024, "1024 Bytes"},
        {1025, "1.00 Kb"},
        {1152, "1.13 Kb"},
        {1536, "1.50 Kb"},
        {1'048'576, "1024.00 Kb"},
        {1'048'577, "1.00 Mb"},
        {681'574'400, "650.00 Mb"},
        {1'073'741'824, "1024.00 Mb"},
        {1'073'741'825, "1.00 Gb"},
        {12'884'901'888, "12.00 Gb"},
        {40'007'729'152, "37.26 Gb"},
        {1'099'511'627'776, "1024.00 Gb"},
        {1'099'511'627'777, "1.00 Tb"},
        {5'497'558'138'880, "5.00 Tb"},
        {1'125'899'906'842'624, "1024.00 Tb"},
        {2'251'799'813'685'248, "2048.00 Tb"},
        {INT64_MAX, "8388608.00 Tb"},
        // Negative counts are written as a plain count.
        {-1, "-1 Bytes"},
        {-5'000'000, "-5000000 Bytes"},
        {INT64_MIN, "-9223372036854775808 Bytes"},
    };
    for (const SizeCase& c : cases) {
        std::string text = "previous content";
        const std::string returned = CSystemReport::FormatByteSize(c.bytes, text);
        EXPECT_EQ(text, c.text) << c.bytes;
        EXPECT_EQ(returned, text) << c.bytes;
    }
}

}  // namespace
}  // namespace kolt
