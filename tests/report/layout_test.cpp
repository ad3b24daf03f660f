#include <gtest/gtest.h>

#include <string>

#include "branding.h"
#include "report/system_report.h"
#include "tests/support/scripted_platform.h"

namespace kolt {
namespace {

const std::string kRule(54, '-');

TEST(ReportLayout, HeaderIsTitleSubtitleAndRule) {
    test_support::ScriptedPlatform platform;
    const CSystemReport composer(platform);
    std::string report;
    composer.AppendHeader(report);
    EXPECT_EQ(report,
              "Kolt Information - Version 2.11\r\nTechnical Support Report\r\n" + kRule + "\r\n");
}

TEST(ReportLayout, FooterIsRuleAndBareWebDomain) {
    test_support::ScriptedPlatform platform;
    const CSystemReport composer(platform);
    std::string report;
    composer.AppendFooter(report);
    EXPECT_EQ(report, kRule + "\r\n" + std::string(branding::kWebDomain) + "\r\n");
    EXPECT_EQ(std::string(branding::kWebDomain).find_first_of(" /:\r\n"), std::string::npos);
}

// Every section only appends: what the caller's string held before stays byte for byte, and
// the returned reference is the caller's string.
TEST(ReportLayout, EverySectionOnlyAppends) {
    test_support::ScriptedPlatform platform;
    platform.hostAddresses = {Ipv4Address{{10, 0, 0, 5}}};
    platform.AddDrive('C', DriveKind::Fixed, 1000, 500);
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

// Every text that comes from outside stays on its own line: CR, LF and the other control
// characters (an escape sequence for a terminal, DEL, the C1 controls such as the 8-bit CSI
// U+009B) become '?', so no value can forge another field or the footer. TAB, other characters
// beyond ASCII (U+00A0 right after the C1 range among them) and bytes that are not UTF-8 stay as
// they are.
TEST(ReportLayout, NoValueForgesALineOrReachesATerminalAsControl) {
    const std::string forged = "SALES\r\n  IP Address      : 10.9.9.9\r\n  User Name       : admin";
    const std::string escape =
        "\x1b[2J\x1b]0;owned\x07\x7f\xC2\x9B"
        "31m\xC2\x80\xC2\x9F";
    test_support::ScriptedPlatform platform;
    platform.computerName = "PC\n1";
    platform.userName = "j\tsmith\xe9 J\xC3\xBCrgen\xC2\xA0\xE7\x8E\x8B\xC2";
    platform.domains.domain = forged;
    platform.domains.dnsDomain = escape;
    platform.operatingSystem = {"Linux\r", std::string("6.1\0x", 5)};
    platform.processor.vendor = "Genuine\x01";
    platform.processor.identifier = "x86\n------";
    platform.processor.mmx = false;
    CSystemReport composer(platform);
    std::string report;
    composer.AppendArchitecture(report);
    composer.AppendOperatingSystem(report);
    composer.AppendComputerName(report);
    composer.AppendUserName(report);
    EXPECT_EQ(
        report,
        "  Architecture    : Genuine?\r\n"
        "  Number of CPUs  : 1\r\n"
        "  CPU Type        : x86?------\r\n"
        "  Operating System: Linux?\r\n"
        "  Version         : 6.1?x\r\n"
        "  Computer Name   : PC?1\r\n"
        "  User Name       : j\tsmith\xe9 J\xC3\xBCrgen\xC2\xA0\xE7\x8E\x8B\xC2\r\n"
        "  User Domain     : SALES??  IP Address      : 10.9.9.9??  User Name       : admin\r\n"
        "  User DNS Domain : ?[2J?]0;owned???31m??\r\n");
}

}  // namespace
}  // namespace kolt
