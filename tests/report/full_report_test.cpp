#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "branding.h"
#include "report/build_report.h"
#include "report/report_sections.h"
#include "report/system_report.h"
#include "selection/report_section.h"
#include "tests/support/scripted_platform.h"

namespace kolt {
namespace {

using test_support::ScriptedPlatform;

// A two-processor Windows XP machine with one domain, a 512 MB memory and two drives.
void ScriptMachine(ScriptedPlatform& platform) {
    platform.processorCount = 2;
    platform.processor.vendor = "GenuineIntel";
    platform.processor.identifier = "x86 Family 15 Model 2 Stepping 9";
    platform.processor.mmx = true;
    platform.localTime = LocalTime{2026, 12, 6, 13, 44, 58, 0};
    // A clock past any build of the program (2100-01-01), so that the Attention block stays
    // away: the clock as the report shows it is the local time above.
    platform.currentTime = 4'102'444'800;
    platform.operatingSystem = {"Microsoft Windows XP", "5.1 Service Pack 1"};
    platform.clock = ClockWindow{2'793'120'000, 1'000'000, 1'000'000};
    platform.hostAddresses = {Ipv4Address{{192, 168, 1, 10}}};
    platform.domains.domain = "SALES";
    platform.memory = {{536'281'088, 209'715'200}, {1'317'011'456, 905'969'664}};
    platform.AddDrive('C', DriveKind::Fixed, 40'007'729'152, 12'884'901'888);
    platform.AddDrive('D', DriveKind::CdRom, 681'574'400, 0);
}

std::string ExpectedReport() {
    const std::string rule(54, '-');
    return "Kolt Information - Version 2.11\r\n"
           "Technical Support Report\r\n" +
           rule +
           "\r\n"
           "  Date and Time   : Sun Dec 06 13:44:58 2026\r\n"
           "  Architecture    : Genuine Intel\r\n"
           "  Number of CPUs  : 2\r\n"
           "  CPU Type        : x86 Family 15 Model 2 Stepping 9\r\n"
           "  MMX Feature     : Present\r\n"
           "  CPU Speed       : 2793.12 (5586.24) Mhz\r\n"
           "  Operating System: Microsoft Windows XP\r\n"
           "  Version         : 5.1 Service Pack 1\r\n"
           "  Computer Name   : DESK042\r\n"
           "  IP Address      : 192.168.1.10\r\n"
           "  User Name       : jsmith\r\n"
           "  User Domain     : SALES\r\n"
           "        \r\n"
           "  System Memory\r\n"
           "  ----------------------------------------------\r\n"
           "  Physical Memory : 512 Mb\r\n"
           "            Usage : 61 %\r\n"
           "             Used : 312 Mb\r\n"
           "             Free : 200 Mb\r\n"
           "  Paging File     : 1256 Mb\r\n"
           "            Usage : 31 %\r\n"
           "             Used : 392 Mb\r\n"
           "             Free : 864 Mb\r\n"
           "        \r\n"
           "  Disk Information\r\n"
           "  ----------------------------------------------\r\n"
           "  Disk C      Type: Local Fixed Disk\r\n"
           "             Usage: 67.79 %\r\n"
           "              Size: 37.26 Gb \r\n"
           "              Free: 12.00 Gb \r\n"
           "  Disk D      Type: CD-ROM Drive\r\n"
           "             Usage: 100.00 %\r\n"
           "              Size: 650.00 Mb \r\n"
           "              Free: 0 Bytes \r\n"
           "  Disk Total \r\n"
           "             Usage: 68.33 %\r\n"
           "              Size: 37.89 Gb \r\n"
           "              Free: 12.00 Gb \r\n" +
           rule + "\r\n" + std::string(branding::kWebDomain) + "\r\n";
}

std::string BuildReport(CSystemReport& composer, const SelectionValues& selection) {
    return kolt::BuildReport(composer, WantedBySelection(selection));
}

// Every box of the original ten checked, as the dialog writes it: the Extended Information line
// off.
SelectionValues Everything() {
    SelectionValues all{};
    all.fill(1);
    At(all, ReportSection::Extended) = 0;
    return all;
}

TEST(FullReport, EverySectionInReportOrder) {
    ScriptedPlatform platform;
    ScriptMachine(platform);
    CSystemReport composer(platform);
    EXPECT_EQ(BuildReport(composer, Everything()), ExpectedReport());
}

TEST(FullReport, OrderCoversEachSectionButAllOnceAndReportsEveryTurn) {
    std::size_t seen = 0;
    for (const SectionRow& row : kReportSections) {
        EXPECT_NE(row.entry, ReportSection::All);
        seen |= std::size_t{1} << static_cast<std::size_t>(row.entry);
    }
    // Every entry but All and Redact, which are no sections.
    const std::size_t notSections =
        std::size_t{1} | std::size_t{1} << static_cast<std::size_t>(ReportSection::Redact);
    EXPECT_EQ(seen, ((std::size_t{1} << kReportSectionCount) - 1) & ~notSections);

    // Every section's turn is reported, in order, whether it was built or not.
    ScriptedPlatform platform;
    CSystemReport composer(platform);
    std::vector<std::size_t> turns;
    kolt::BuildReport(
        composer, [](ReportSection) { return false; },
        [&turns](const SectionRow& row) {
            turns.push_back(static_cast<std::size_t>(&row - kReportSections.data()));
        });
    EXPECT_EQ(turns, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

// Extended Information comes only from its own line, after the disks and before the closing
// lines; with it off the report is the one it always was, All or not.
TEST(FullReport, TheExtendedSectionComesOnlyFromItsOwnLine) {
    ScriptedPlatform platform;
    ScriptMachine(platform);
    platform.release.kernel = "6.1.0-18-amd64";
    CSystemReport composer(platform);
    SelectionValues withExtended = Everything();
    At(withExtended, ReportSection::Extended) = 1;

    std::string expected = ExpectedReport();
    std::string block;
    GatherContext context(platform);
    AppendExtendedText(GatherExtended(context), block);
    expected.insert(expected.rfind(std::string(54, '-')), block);
    EXPECT_EQ(BuildReport(composer, withExtended), expected);

    platform.extendedQueries = 0;
    SelectionValues allOnly{};
    At(allOnly, ReportSection::All) = 1;
    EXPECT_EQ(BuildReport(composer, allOnly), ExpectedReport());
    EXPECT_EQ(platform.extendedQueries, 0) << "nothing asked for a section that is off";

    SelectionValues extendedOnly{};
    At(extendedOnly, ReportSection::Extended) = 1;
    EXPECT_NE(BuildReport(composer, extendedOnly).find("  Extended Information\r\n"),
              std::string::npos);
}

TEST(FullReport, AllSelectsEverySectionWhateverTheOthersSay) {
    ScriptedPlatform platform;
    ScriptMachine(platform);
    CSystemReport composer(platform);
    SelectionValues allOnly{};
    At(allOnly, ReportSection::All) = -7;
    EXPECT_EQ(BuildReport(composer, allOnly), ExpectedReport());
}

TEST(FullReport, NoSectionGivesHeaderAndFooterOnly) {
    ScriptedPlatform platform;
    CSystemReport composer(platform);
    const std::string rule(54, '-');
    EXPECT_EQ(BuildReport(composer, SelectionValues{}),
              "Kolt Information - Version 2.11\r\nTechnical Support Report\r\n" + rule + "\r\n" +
                  rule + "\r\n" + std::string(branding::kWebDomain) + "\r\n");
}

TEST(FullReport, SecondReportShowsFreshFacts) {
    ScriptedPlatform platform;
    ScriptMachine(platform);
    CSystemReport composer(platform);
    BuildReport(composer, Everything());

    platform.computerName = "DESK043";
    platform.domains = {};
    platform.drives.pop_back();
    const std::string second = BuildReport(composer, Everything());
    EXPECT_NE(second.find("  Computer Name   : DESK043\r\n"), std::string::npos);
    EXPECT_EQ(second.find("User Domain"), std::string::npos);
    EXPECT_EQ(second.find("  Disk D"), std::string::npos);
    EXPECT_NE(second.find("  CPU Speed       : 2793.12 (5586.24) Mhz\r\n"), std::string::npos);
}

TEST(FullReport, CpuSpeedWithoutArchitectureUsesTheLastCount) {
    ScriptedPlatform platform;
    ScriptMachine(platform);
    CSystemReport composer(platform);
    BuildReport(composer, Everything());

    // The machine now reports one processor, but without the architecture section nothing
    // looks it up again: the earlier report's count stands.
    platform.processorCount = 1;
    SelectionValues speedOnly{};
    At(speedOnly, ReportSection::CpuSpeed) = 1;
    const std::string report = BuildReport(composer, speedOnly);
    EXPECT_NE(report.find("  CPU Speed       : 2793.12 (5586.24) Mhz\r\n"), std::string::npos);
}

}  // namespace
}  // namespace kolt
