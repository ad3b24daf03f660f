#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "report/system_report.h"
#include "tests/support/scripted_platform.h"

namespace kolt {
namespace {

using test_support::ScriptedPlatform;

std::string Lines(const std::string& name, const std::string& version) {
    return "  Operating System: " + name + "\r\n  Version         : " + version + "\r\n";
}

TEST(OperatingSystem, NameAndVersionAsTheSystemGivesThem) {
    const struct {
        OperatingSystemInfo os;
        std::string lines;
    } cases[] = {
        {{"Microsoft Windows XP", "5.1 Service Pack 1"},
         Lines("Microsoft Windows XP", "5.1 Service Pack 1")},
        {{"Windows NT", "4.0 "}, Lines("Windows NT", "4.0 ")},
        {{std::nullopt, std::nullopt}, Lines("Not Found", "")},
        {{"Debian GNU/Linux 12 (bookworm)", std::nullopt},
         Lines("Debian GNU/Linux 12 (bookworm)", "")},
        // A name far longer than the Windows registry's areas is shown whole.
        {{std::string(300, 'L'), "6.1.0"}, Lines(std::string(300, 'L'), "6.1.0")},
    };
    for (const auto& c : cases) {
        ScriptedPlatform platform;
        platform.operatingSystem = c.os;
        CSystemReport composer(platform);
        std::string report;
        composer.AppendOperatingSystem(report);
        EXPECT_EQ(report, c.lines);
    }
}

TEST(OperatingSystem, VersionKeepsItsEarlierValueWhenTheLookupFindsNone) {
    ScriptedPlatform platform;
    platform.operatingSystem = {"Microsoft Windows XP", "5.1 Service Pack 1"};
    CSystemReport composer(platform);
    std::string first;
    composer.AppendOperatingSystem(first);

    platform.operatingSystem = {};
    std::string second;
    composer.AppendOperatingSystem(second);
    EXPECT_EQ(second, Lines("Not Found", "5.1 Service Pack 1"));
}

}  // namespace
}  // namespace kolt
