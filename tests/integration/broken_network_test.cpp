// The real console program where the network is broken: shares whose server has gone (file
// systems that never answer) and a name server that never answers. The report still comes, in
// seconds, with exit status 0. The surroundings live in private namespaces that end with the
// test; the bound on the time is generous, the time itself is printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/integration/private_surroundings.h"
#include "tests/support/scratch_directory.h"

namespace kolt::integration {
namespace {

using Json = nlohmann::json;

// Far beyond what a run takes (every section but the CPU speed within 3 s, the full report within
// 4 s), so that only a hang fails it, never a busy machine.
constexpr double kHangSeconds = 10;

// One value per selection line: All, Date and Time, Architecture, Operating System, Computer Name,
// IP Address, User Name, Memory, CPU Speed, Disk.
std::string Selection(std::initializer_list<int> values) {
    std::string bytes;
    for (const int value : values) {
        bytes += std::to_string(value) + "\r\n";
    }
    return bytes;
}

const std::string kDiskOnly = Selection({0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
const std::string kAddressOnly = Selection({0, 0, 0, 0, 0, 1, 0, 0, 0, 0});
const std::string kAllButCpuSpeed = Selection({0, 1, 1, 1, 1, 1, 1, 1, 0, 1});
const std::string kAll = Selection({1, 0, 0, 0, 0, 0, 0, 0, 0, 0});

bool Holds(const std::string& output, const std::string& text) {
    return output.find(text) != std::string::npos;
}

void ExpectTenLateShares(const std::string& output) {
    const Json json = Json::parse(output, nullptr, false);
    ASSERT_FALSE(json.is_discarded()) << output;
    int late = 0;
    for (const Json& drive : json["disk"]["drives"]) {
        if (drive.contains("timedOut")) {
            ++late;
            EXPECT_EQ(drive["timedOut"], true);
            EXPECT_EQ(drive["type"], "Network Disk");
            EXPECT_TRUE(drive["totalBytes"].is_null());
            EXPECT_TRUE(drive["usagePercent"].is_null());
        }
    }
    EXPECT_EQ(late, 10) << output;
}

void ExpectSharesWithoutLines(const std::string& output) {
    EXPECT_TRUE(Holds(output, "  Disk Total \r\n")) << output;
    EXPECT_FALSE(Holds(output, "Type: Network Disk")) << output;
}

void ExpectNoAddress(const std::string& output) {
    // Only the loopback interface is up in the private network: nothing to fall back on.
    EXPECT_TRUE(Holds(output, "  IP Address      : \r\n")) << output;
}

void ExpectEverySectionBut(const std::string& output, bool cpuSpeed) {
    for (const char* label : {"  Date and Time   : ", "  Architecture    : ",
                              "  Operating System: ", "  Computer Name   : KOLT-UNLISTED-H",
                              "  User Name       : ", "  System Memory", "  Disk Total "}) {
        EXPECT_TRUE(Holds(output, label)) << label;
    }
    EXPECT_EQ(Holds(output, "  CPU Speed       : "), cpuSpeed);
    ExpectNoAddress(output);
    ExpectSharesWithoutLines(output);
    EXPECT_TRUE(Holds(output, "www.")) << "the footer";
}

// With Extended Information the report says first what is wrong: the dead shares, the silent
// name server, and no address but loopback.
void ExpectAttentionFirst(const std::string& output) {
    const std::size_t block = output.find("\r\n  Attention\r\n");
    ASSERT_NE(block, std::string::npos) << output;
    EXPECT_LT(block, output.find("  Date and Time   : ")) << output;
    for (const char* line :
         {": (a network share) did not answer in time\r\n",
          "  The computer's own name did not resolve in time", "  No IPv4 address but loopback"}) {
        EXPECT_TRUE(Holds(output, line)) << line;
    }
}

void ExpectFindingCodes(const std::string& output) {
    const Json json = Json::parse(output, nullptr, false);
    ASSERT_FALSE(json.is_discarded()) << output;
    std::vector<std::string> codes;
    for (const Json& finding : json["findings"]) {
        codes.push_back(finding["code"]);
    }
    for (const char* code : {"drive-not-answering", "no-ipv4-address", "own-name-not-resolved"}) {
        EXPECT_NE(std::find(codes.begin(), codes.end(), code), codes.end()) << code << output;
    }
}

TEST(BrokenNetwork, TheReportComesInSecondsWithDeadSharesAndASilentNameServer) {
    struct Case {
        const char* what;
        BrokenNetwork network;
        std::string selection;
        std::vector<std::string> arguments;
        std::function<void(const std::string&)> expect;
    };
    const Case cases[] = {
        {"ten dead shares, the JSON form lists them",
         {10, false},
         kDiskOnly,
         {"--format", "json"},
         ExpectTenLateShares},
        {"ten dead shares, the text form leaves them out",
         {10, false},
         kDiskOnly,
         {},
         ExpectSharesWithoutLines},
        {"a silent name server", {0, true}, kAddressOnly, {}, ExpectNoAddress},
        {"both, every section but the CPU speed",
         {10, true},
         kAllButCpuSpeed,
         {},
         [](const std::string& output) { ExpectEverySectionBut(output, false); }},
        {"both, the full report",
         {10, true},
         kAll,
         {},
         [](const std::string& output) { ExpectEverySectionBut(output, true); }},
        {"both, the Attention block first",
         {2, true},
         kAllButCpuSpeed,
         {"--extended"},
         ExpectAttentionFirst},
        {"both, the findings in the JSON form",
         {2, true},
         kAllButCpuSpeed,
         {"--extended", "--format", "json"},
         ExpectFindingCodes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const test_support::ScratchDirectory directory{"kolt_broken_"};
        directory.Write("kolt_info.cfg", c.selection);
        const TimedRun timed =
            RunWithBrokenNetwork(c.network, KOLT_CLI_PATH, c.arguments, directory.Path());
        if (timed.impossible) {
            GTEST_SKIP() << "cannot make the surroundings here: " << *timed.impossible;
        }
        std::printf("[   TIME   ] %s: %.3f s\n", c.what, timed.seconds);
        EXPECT_LT(timed.seconds, kHangSeconds) << "it hung";
        EXPECT_EQ(timed.run.signal, 0);
        EXPECT_EQ(timed.run.exitStatus, 0);
        c.expect(timed.run.standardOutput);
    }
}

}  // namespace
}  // namespace kolt::integration
