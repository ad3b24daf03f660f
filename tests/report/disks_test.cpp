#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "report/sections/disks.h"
#include "report/system_report.h"
#include "tests/support/scripted_platform.h"

namespace kolt {
namespace {

using test_support::ScriptedPlatform;

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
    platform.AddDrive('C', DriveKind::Fixed, 40'007'729'152, 12'884'901'888);
    platform.AddDrive('D', DriveKind::CdRom, 681'574'400, 0);
    CSystemReport composer(platform);
    std::string report;
    composer.AppendDisks(report);
    EXPECT_EQ(report, kHeading + Drive('C', "Local Fixed Disk", "67.79", "37.26 Gb", "12.00 Gb") +
                          Drive('D', "CD-ROM Drive", "100.00", "650.00 Mb", "0 Bytes") +
                          Totals("68.33", "37.89 Gb", "12.00 Gb"));
    EXPECT_EQ(platform.driveQueries, 1);
}

TEST(Disks, DrivesWithoutAMediumGetNoLinesAndCountNowhere) {
    ScriptedPlatform platform;
    platform.AddEmptyDrive('D', DriveKind::CdRom);
    CSystemReport composer(platform);
    std::string report;
    composer.AppendDisks(report);
    EXPECT_EQ(report, kHeading + Totals("0.00", "0 Bytes", "0 Bytes"));

    platform.AddDrive('E', DriveKind::NoRootDirectory, 2048, 1024);
    platform.AddEmptyDrive('F', DriveKind::Network);
    // A share that did not answer in time gets no lines either.
    platform.drives.push_back(DriveInfo{'G', DriveKind::Network, std::nullopt, false});
    platform.AddDrive('Z', DriveKind::Other, 4096, 0);
    report.clear();
    composer.AppendDisks(report);
    EXPECT_EQ(report, kHeading +
                          Drive('E', "Drive Does Not Exist", "50.00", "2.00 Kb", "1024 Bytes") +
                          Drive('Z', "Unknown Type", "100.00", "4.00 Kb", "0 Bytes") +
                          Totals("83.33", "6.00 Kb", "1024 Bytes"));
}

TEST(Disks, ZeroSizedDriveHasZeroUsageAndCountsInTheTotals) {
    ScriptedPlatform platform;
    platform.AddDrive('C', DriveKind::RamDisk, 0, 0);
    platform.AddDrive('F', DriveKind::Network, 1'048'576, 524'288);
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
    for (const char letter : {'C', 'D', 'E'}) {
        platform.AddDrive(letter, DriveKind::Fixed, kFourTerabytes, kFourTerabytes / 4);
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

// File systems that report absurd figures (a FUSE file system can claim anything) never make a
// figure negative or wrap the totals: counts stop at the largest, usage stays within 0 to 100.
TEST(Disks, AbsurdFiguresAreClampedNeverNegativeOrWrapped) {
    constexpr std::uint64_t kMax = 0xFFFF'FFFF'FFFF'FFFF;
    constexpr std::uint64_t k4EiB = 1ULL << 62;
    struct Case {
        const char* what;
        std::vector<DiskSpace> drives;
        std::string lastDrive;  // usage, size and free of the last drive
        std::string totals;
    };
    const std::string kLargest = "8388608.00 Tb";  // INT64_MAX bytes
    const Case cases[] = {
        {"2^63 bytes and more",
         {{1ULL << 63, 0}},
         Figures("100.00", kLargest, "0 Bytes"),
         Totals("100.00", kLargest, "0 Bytes")},
        {"three of 4 EiB: the totals are the largest count",
         {{k4EiB, k4EiB / 2}, {k4EiB, k4EiB / 2}, {k4EiB, k4EiB / 2}},
         Figures("50.00", "4194304.00 Tb", "2097152.00 Tb"),
         Totals("50.00", kLargest, "6291456.00 Tb")},
        {"four of 4 EiB: the sum saturates instead of wrapping to 0",
         {{k4EiB, k4EiB / 2}, {k4EiB, k4EiB / 2}, {k4EiB, k4EiB / 2}, {k4EiB, k4EiB / 2}},
         Figures("50.00", "4194304.00 Tb", "2097152.00 Tb"),
         Totals("50.00", kLargest, kLargest)},
        {"more free than size",
         {{1024, 4096}},
         Figures("0.00", "1024 Bytes", "4.00 Kb"),
         Totals("0.00", "1024 Bytes", "4.00 Kb")},
        {"the largest counts",
         {{kMax, kMax}},
         Figures("0.00", kLargest, kLargest),
         Totals("0.00", kLargest, kLargest)},
    };
    for (const Case& c : cases) {
        ScriptedPlatform platform;
        char letter = 'C';
        for (const DiskSpace& space : c.drives) {
            platform.AddDrive(letter++, DriveKind::Network, space.totalBytes, space.totalFreeBytes);
        }
        CSystemReport composer(platform);
        std::string report;
        composer.AppendDisks(report);
        const std::size_t totals = report.find("  Disk Total ");
        ASSERT_NE(totals, std::string::npos) << c.what;
        EXPECT_EQ(report.substr(totals), c.totals) << c.what;
        EXPECT_EQ(report.substr(totals - c.lastDrive.size(), c.lastDrive.size()), c.lastDrive)
            << c.what;
        EXPECT_EQ(report.find('-', kHeading.size()), std::string::npos) << c.what << report;
    }
}

TEST(DriveTypeText, NamesEveryKind) {
    const std::pair<DriveKind, const char*> cases[] = {
        {DriveKind::Unknown, "Error Acquiring Type"},
        {DriveKind::NoRootDirectory, "Drive Does Not Exist"},
        {DriveKind::Removable, "Removable Media"},
        {DriveKind::Fixed, "Local Fixed Disk"},
        {DriveKind::Network, "Network Disk"},
        {DriveKind::CdRom, "CD-ROM Drive"},
        {DriveKind::RamDisk, "RAM Disk"},
        {DriveKind::Other, "Unknown Type"},
    };
    for (const auto& [kind, text] : cases) {
        EXPECT_EQ(DriveTypeText(kind), text) << static_cast<int>(kind);
    }
}

}  // namespace
}  // namespace kolt
