#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "report/system_report.h"
#include "tests/support/scripted_platform.h"

namespace kolt {
namespace {

using testing::ScriptedPlatform;

const std::string kHeading =
    "        \r\n  Disk Information\r\n  ----------------------------------------------\r\n";

std::string Figures(const std::string& usage, const std::string& size, const std::string& free) {
    return "             Usage: " + usage + " %\r\n              Size: " + size +
           " \r\n              Free: " + free + " \r\n";
}

std::string Drive(char letter, const std::string& type, const std::string& usage,
                  const std::string& size, const std::string& free) {
    return std::string("  Disk ") + letter + "      Type: " + type + "\r\n" +
           Figures(usage, size, free);
}

std::string Totals(const std::string& usage, const std::string& size, const std::string& free) {
    return "  Disk Total \r\n" + Figures(usage, size, free);
}

TEST(Disks, FixedDiskAndFullCdRomWithTheirTotals) {
    ScriptedPlatform platform;
    platform.disks["C:\\"] = DiskSpace{40'007'729'152, 12'884'901'888};
    platform.driveTypes["C:\\"] = drive_type::kFixed;
    platform.disks["D:\\"] = DiskSpace{681'574'400, 0};
    platform.driveTypes["D:\\"] = drive_type::kCdRom;
    CSystemReport composer(platform);
    std::string report;
    composer.AppendDisks(report);
    EXPECT_EQ(report, kHeading + Drive('C', "Local Fixed Disk", "67.79", "37.26 Gb", "12.00 Gb") +
                          Drive('D', "CD-ROM Drive", "100.00", "650.00 Mb", "0 Bytes") +
                          Totals("68.33", "37.89 Gb", "12.00 Gb"));
}

TEST(Disks, NoMeasurableDriveStillWritesHeadingAndZeroTotals) {
    ScriptedPlatform platform;
    platform.driveTypes["D:\\"] = drive_type::kCdRom;  // empty: no medium to measure
    CSystemReport composer(platform);
    std::string report;
    composer.AppendDisks(report);
    EXPECT_EQ(report, kHeading + Totals("0.00", "0 Bytes", "0 Bytes"));
}

TEST(Disks, AsksForEveryLetterFromCToZAndTheTypeOnlyOfMeasuredDrives) {
    ScriptedPlatform platform;
    platform.disks["E:\\"] = DiskSpace{2048, 1024};
    platform.disks["Z:\\"] = DiskSpace{4096, 0};
    CSystemReport composer(platform);
    std::string report;
    composer.AppendDisks(report);

    std::vector<std::string> roots;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        roots.push_back(std::string(1, letter) + ":\\");
    }
    EXPECT_EQ(platform.diskQueries, roots);
    EXPECT_EQ(platform.driveTypeQueries, (std::vector<std::string>{"E:\\", "Z:\\"}));
    // An unanswered type query is code 1 on the scripted platform.
    EXPECT_EQ(report, kHeading +
                          Drive('E', "Drive Does Not Exist", "50.00", "2.00 Kb", "1024 Bytes") +
                          Drive('Z', "Drive Does Not Exist", "100.00", "4.00 Kb", "0 Bytes") +
                          Totals("83.33", "6.00 Kb", "1024 Bytes"));
}

TEST(Disks, ZeroSizedDriveHasZeroUsageAndCountsInTheTotals) {
    ScriptedPlatform platform;
    platform.disks["C:\\"] = DiskSpace{0, 0};
    platform.driveTypes["C:\\"] = drive_type::kRamDisk;
    platform.disks["F:\\"] = DiskSpace{1'048'576, 524'288};
    platform.driveTypes["F:\\"] = drive_type::kRemote;
    CSystemReport composer(platform);
    std::string report;
    composer.AppendDisks(report);
    EXPECT_EQ(report, kHeading + Drive('C', "RAM Disk", "0.00", "0 Bytes", "0 Bytes") +
                          Drive('F', "Network Disk", "50.00", "1024.00 Kb", "512.00 Kb") +
                          Totals("50.00", "1024.00 Kb", "512.00 Kb"));
}

TEST(Disks, TotalsAreSixtyFourBitSums) {
    ScriptedPlatform platform;
    constexpr std::uint64_t kFourTerabytes = 4'398'046'511'104;
    for (const char* root : {"C:\\", "D:\\", "E:\\"}) {
        platform.disks[root] = DiskSpace{kFourTerabytes, kFourTerabytes / 4};
        platform.driveTypes[root] = drive_type::kFixed;
    }
    CSystemReport composer(platform);
    std::string report;
    composer.AppendDisks(report);
    const std::string drive = "Local Fixed Disk";
    EXPECT_EQ(report, kHeading + Drive('C', drive, "75.00", "4.00 Tb", "1024.00 Gb") +
                          Drive('D', drive, "75.00", "4.00 Tb", "1024.00 Gb") +
                          Drive('E', drive, "75.00", "4.00 Tb", "1024.00 Gb") +
                          Totals("75.00", "12.00 Tb", "3.00 Tb"));
}

TEST(DriveTypeText, NamesEveryCode) {
    const std::pair<std::uint32_t, const char*> cases[] = {
        {0, "Error Acquiring Type"},
        {1, "Drive Does Not Exist"},
        {2, "Removable Media"},
        {3, "Local Fixed Disk"},
        {4, "Network Disk"},
        {5, "CD-ROM Drive"},
        {6, "RAM Disk"},
        {7, "Unknown Type"},
        {0xFFFF'FFFF, "Unknown Type"},
    };
    for (const auto& [code, text] : cases) {
        EXPECT_EQ(CSystemReport::DriveTypeText(code), text) << code;
    }
}

}  // namespace
}  // namespace kolt
