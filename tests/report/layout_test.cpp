#include <gtest/gtest.h>

#include <string>

#include "branding.h"
#include "report/system_report.h"
#include "tests/support/scripted_platform.h"

namespace kolt {
namespace {

const std::string kRule(54, '-');

TEST(ReportLayout, HeaderIsTitleSubtitleAndRule) {
    testing::ScriptedPlatform platform;
    const CSystemReport composer(platform);
    std::string report;
    composer.AppendHeader(report);
    EXPECT_EQ(report,
              "Kolt Information - Version 2.11\r\nTechnical Support Report\r\n" + kRule + "\r\n");
}

TEST(ReportLayout, FooterIsRuleAndBareWebDomain) {
    testing::ScriptedPlatform platform;
    const CSystemReport composer(platform);
    std::string report;
    composer.AppendFooter(report);
    EXPECT_EQ(report, kRule + "\r\n" + std::string(branding::kWebDomain) + "\r\n");
    EXPECT_EQ(std::string(branding::kWebDomain).find_first_of(" /:\r\n"), std::string::npos);
}

// Every section only appends: what the caller's string held before stays byte for byte, and
// the returned reference is the caller's string.
TEST(ReportLayout, EverySectionOnlyAppends) {
    testing::ScriptedPlatform platform;
    platform.hostAddresses = {Ipv4Address{{10, 0, 0, 5}}};
    platform.disks["C:\\"] = DiskSpace{1000, 500};
    CSystemReport composer(platform);

    using Section = std::string& (CSystemReport::*)(std::string&);
    const Section sections[] = {
        &CSystemReport::AppendDateTime,     &CSystemReport::AppendArchitecture,
        &CSystemReport::AppendCpuSpeed,     &CSystemReport::AppendOperatingSystem,
        &CSystemReport::AppendComputerName, &CSystemReport::AppendIpAddress,
        &CSystemReport::AppendUserName,     &CSystemReport::AppendMemory,
        &CSystemReport::AppendDisks,
    };
    const std::string before = "earlier text without a line end";
    for (const Section section : sections) {
        std::string alone;
        (composer.*section)(alone);
        std::string report = before;
        std::string& returned = (composer.*section)(report);
        EXPECT_EQ(&returned, &report);
        EXPECT_EQ(report, before + alone);
        // Each section ends its last line, and no line ends in a bare LF or CR.
        ASSERT_GE(alone.size(), 2u);
        EXPECT_EQ(alone.substr(alone.size() - 2), "\r\n");
        for (std::size_t i = 0; i < alone.size(); ++i) {
            if (alone[i] == '\n') {
                EXPECT_TRUE(i > 0 && alone[i - 1] == '\r') << "bare LF at " << i;
            }
            if (alone[i] == '\r') {
                EXPECT_TRUE(i + 1 < alone.size() && alone[i + 1] == '\n') << "bare CR at " << i;
            }
        }
    }
}

}  // namespace
}  // namespace kolt
