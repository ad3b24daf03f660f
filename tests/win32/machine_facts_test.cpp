// The Win32 backend's answers under Wine, checked against the host machine behind Wine (its
// figures come through the environment, see host_facts.h) or against another Windows call.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/common/architecture.h"
#include "platform/common/firmware_text.h"
#include "platform/platform.h"
#include "tests/win32/host_facts.h"
#include "tests/win32/system_utf8.h"

namespace kolt {
namespace {

using test_support::HostFact;
using test_support::HostNumbers;
using test_support::HostVolumeFact;
using test_support::SystemUtf8;

constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr std::uint64_t kGiB = 1024 * kMiB;

class MachineFacts : public ::testing::Test {
protected:
    std::unique_ptr<Platform> m_platform = CreateHostPlatform();
};

TEST_F(MachineFacts, ProcessorsAreTheHostsOnlineProcessors) {
    const std::vector<std::uint64_t> processors = HostNumbers("KOLT_HOST_PROCESSORS");
    ASSERT_EQ(processors.size(), 1u);
    EXPECT_EQ(m_platform->ProcessorCount(), processors[0]);
    EXPECT_EQ(m_platform->Processor().mmx, HostFact("KOLT_HOST_MMX") == "1");
}

TEST_F(MachineFacts, NamesAreTheHostsNames) {
    // Wine presents the host name's first label, upper-cased, as the NetBIOS computer name.
    const std::optional<std::string> hostName = HostFact("KOLT_HOST_NAME");
    ASSERT_TRUE(hostName);
    std::string expected = hostName->substr(0, hostName->find('.'));
    std::transform(expected.begin(), expected.end(), expected.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const std::optional<std::string> computerName = m_platform->ComputerName().netbiosName;
    ASSERT_TRUE(computerName);
    ASSERT_FALSE(computerName->empty());
    EXPECT_EQ(expected.compare(0, computerName->size(), *computerName), 0)
        << *computerName << " is not the start of " << expected;

    EXPECT_EQ(m_platform->UserName(), HostFact("KOLT_HOST_USER"));
}

TEST_F(MachineFacts, UserDomainsCrossWhole) {
    // Characters no 8-bit code page holds together, and a C1 control, reach the report in UTF-8;
    // a long value whole, an empty one as empty, an unset one as none.
    const std::wstring wide =
        L"Zo\u00EB \u041B\u0443\u043A\u0430\u0448 \u738B\u4F1F \U0001F600 \u009B";
    const std::wstring longValue(300, L'v');
    struct Case {
        const wchar_t* domain;
        const wchar_t* dnsDomain;
        std::optional<std::string> expectedDomain;
        std::optional<std::string> expectedDnsDomain;
    };
    const Case cases[] = {
        {wide.c_str(), longValue.c_str(), SystemUtf8(wide), std::string(300, 'v')},
        {L"", nullptr, "", std::nullopt},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(SetEnvironmentVariableW(L"USERDOMAIN", c.domain));
        SetEnvironmentVariableW(L"USERDNSDOMAIN", c.dnsDomain);
        const UserDomainNames domains = m_platform->UserDomains();
        EXPECT_EQ(domains.domain, c.expectedDomain);
        EXPECT_EQ(domains.dnsDomain, c.expectedDnsDomain);
    }
    SetEnvironmentVariableW(L"USERDOMAIN", nullptr);
}

TEST_F(MachineFacts, MemoryIsTheHostsMemory) {
    const std::vector<std::uint64_t> memTotal = HostNumbers("KOLT_HOST_MEMTOTAL_KIB");
    const std::vector<std::uint64_t> swapTotal = HostNumbers("KOLT_HOST_SWAPTOTAL_KIB");
    ASSERT_EQ(memTotal.size(), 1u);
    ASSERT_EQ(swapTotal.size(), 1u);
    const std::optional<MemoryStatus> answer = m_platform->Memory();
    ASSERT_TRUE(answer);
    const MemoryStatus& memory = *answer;
    // Whole 64-bit counts: the host's memory to within a megabyte, never capped at 4 GB.
    const std::uint64_t hostPhys = memTotal[0] * 1024;
    EXPECT_LE(memory.physical.totalBytes, hostPhys + kMiB);
    EXPECT_GE(memory.physical.totalBytes + kMiB, hostPhys);
    EXPECT_LE(memory.physical.availableBytes, memory.physical.totalBytes);
    // The commit limit: memory and swap together.
    const std::uint64_t hostCommit = hostPhys + swapTotal[0] * 1024;
    EXPECT_LE(memory.pagingFile.totalBytes, hostCommit + kMiB);
    EXPECT_GE(memory.pagingFile.totalBytes + kMiB, hostCommit);
    EXPECT_LE(memory.pagingFile.availableBytes, memory.pagingFile.totalBytes);
}

TEST_F(MachineFacts, DrivesAreTheLettersThatExistWithTheVolumesBehindThem) {
    // A drive that answers after its deadline counts as not measured, by design; on a machine
    // busy with other tests even a local drive under Wine can. Such an answer is asked again
    // (twice at most, once the late probe has had time to end) before the facts are compared.
    std::vector<DriveInfo> drives = m_platform->Drives();
    const auto anyLate = [&drives] {
        return std::any_of(drives.begin(), drives.end(),
                           [](const DriveInfo& drive) { return !drive.answeredInTime; });
    };
    for (int retry = 0; retry < 2 && anyLate(); ++retry) {
        Sleep(2000);
        drives = m_platform->Drives();
    }
    const DWORD mapped = GetLogicalDrives();
    std::string letters;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        if ((mapped & (1u << (letter - 'A'))) != 0) {
            letters += letter;
        }
    }
    std::string answered;
    for (const DriveInfo& drive : drives) {
        answered += drive.letter;
    }
    EXPECT_EQ(answered, letters);

    struct Volume {
        char letter;
        const char* hostFact;  // C: is the prefix's drive_c, Z: the host's root directory
    };
    for (const Volume volume :
         {Volume{'C', "KOLT_HOST_C_VOLUME"}, Volume{'Z', "KOLT_HOST_ROOT_VOLUME"}}) {
        SCOPED_TRACE(volume.letter);
        const auto host = HostVolumeFact(volume.hostFact);
        ASSERT_TRUE(host);
        const auto drive = std::find_if(drives.begin(), drives.end(), [&](const DriveInfo& d) {
            return d.letter == volume.letter;
        });
        ASSERT_NE(drive, drives.end());
        ASSERT_TRUE(drive->space);
        EXPECT_EQ(drive->space->totalBytes, host->totalBytes);
        // Other programs write to the volume meanwhile; the free space only has to be close.
        const std::uint64_t free = drive->space->totalFreeBytes;
        const std::uint64_t difference =
            free > host->availableBytes ? free - host->availableBytes : host->availableBytes - free;
        EXPECT_LE(difference, kGiB);
        EXPECT_LE(free, drive->space->totalBytes);
        EXPECT_EQ(drive->kind, DriveKind::Fixed);
    }
}

TEST_F(MachineFacts, OwnAddressesAreTheHostsAddresses) {
    if (HostFact("KOLT_HOST_NAME_RESOLVES") != "1") {
        GTEST_SKIP() << "this machine's resolver does not know its own host name, so there is no "
                        "address to compare";
    }
    const std::vector<Ipv4Address> addresses = m_platform->OwnHostAddresses().addresses;
    ASSERT_FALSE(addresses.empty());
    const std::optional<std::string> hostAddresses = HostFact("KOLT_HOST_ADDRESSES");
    for (const Ipv4Address& address : addresses) {
        std::ostringstream text;
        text << int{address.octets[0]} << '.' << int{address.octets[1]} << '.'
             << int{address.octets[2]} << '.' << int{address.octets[3]};
        EXPECT_NE(text.str(), "0.0.0.0");
        if (hostAddresses && !hostAddresses->empty() && address.octets[0] != 127) {
            std::istringstream known(*hostAddresses);
            std::string candidate;
            bool listed = false;
            while (known >> candidate) {
                listed = listed || candidate == text.str();
            }
            EXPECT_TRUE(listed) << text.str() << " is not among " << *hostAddresses;
        }
    }
}

// The extended facts as Wine presents the host: its uptime, its SMBIOS table (which Wine builds
// from the host's /sys/class/dmi/id; dmi-namespace.sh gives it one with known texts where the
// host has none) and its architecture.
TEST_F(MachineFacts, ExtendedFactsAreTheHostsAsWinePresentsThem) {
    const std::vector<std::uint64_t> hostBoot = HostNumbers("KOLT_HOST_BOOT_TIME");
    ASSERT_EQ(hostBoot.size(), 1u);
    const std::optional<std::uint64_t> uptime = m_platform->SecondsSinceStart();
    ASSERT_TRUE(uptime);
    const std::int64_t boot = m_platform->CurrentTime() - static_cast<std::int64_t>(*uptime);
    EXPECT_LE(std::llabs(boot - static_cast<std::int64_t>(hostBoot[0])), 2)
        << "booted at " << boot << ", the host at " << hostBoot[0];

    const FirmwareInfo firmware = m_platform->Firmware();
    const auto hostText = [](const char* name) {
        const std::optional<std::string> text = HostFact(name);
        return text ? common::KnownFirmwareText(*text) : std::nullopt;
    };
    EXPECT_EQ(firmware.make, hostText("KOLT_HOST_DMI_SYS_VENDOR"));
    EXPECT_EQ(firmware.model, hostText("KOLT_HOST_DMI_PRODUCT_NAME"));
    EXPECT_EQ(firmware.serialNumber, hostText("KOLT_HOST_DMI_PRODUCT_SERIAL"));
    EXPECT_EQ(firmware.biosVendor, hostText("KOLT_HOST_DMI_BIOS_VENDOR"));
    EXPECT_EQ(firmware.biosVersion, hostText("KOLT_HOST_DMI_BIOS_VERSION"));
    const std::optional<std::string> biosDate = HostFact("KOLT_HOST_DMI_BIOS_DATE");
    EXPECT_EQ(firmware.biosDate, biosDate ? common::ParseFirmwareDate(*biosDate) : std::nullopt);

    // A 64-bit program on the 64-bit system Wine presents, or a 32-bit one under WOW64.
    const std::optional<std::string> machine = HostFact("KOLT_HOST_MACHINE");
    ASSERT_TRUE(machine);
    const SystemRelease release = m_platform->Release();
    EXPECT_EQ(release.systemArchitecture, common::ArchitectureName(*machine));
    EXPECT_EQ(release.programArchitecture, sizeof(void*) == 8 ? "x64" : "x86");
    EXPECT_TRUE(release.build);

    const ProcessorDetails processor = m_platform->ProcessorDetail();
    const std::vector<std::uint64_t> processors = HostNumbers("KOLT_HOST_PROCESSORS");
    ASSERT_EQ(processors.size(), 1u);
    EXPECT_EQ(processor.logicalProcessors, processors[0]);
}

TEST_F(MachineFacts, TheClockWindowIsOneSecondOfThePerformanceCounter) {
    const ULONGLONG started = GetTickCount64();
    const ClockWindow window = m_platform->MeasureClock();
    // The tick count moves in steps of up to 16 ms.
    EXPECT_GE(GetTickCount64() - started, 980u);
    ASSERT_GT(window.ticksPerSecond, 0u);
    EXPECT_GE(window.ticks, window.ticksPerSecond);
    EXPECT_GT(window.cycles, 0u);
}

TEST_F(MachineFacts, TheClockIsTheHostsClock) {
    const std::vector<std::uint64_t> hostTime = HostNumbers("KOLT_HOST_TIME");
    ASSERT_EQ(hostTime.size(), 1u);
    const std::int64_t now = m_platform->CurrentTime();
    const auto started = static_cast<std::int64_t>(hostTime[0]);
    EXPECT_GE(now, started);
    EXPECT_LE(now, started + 600);
}

// The local date of a calendar time agrees with the system's own conversion, 2038 and later too.
TEST_F(MachineFacts, LocalTimesAgreeWithTheSystemsConversion) {
    const std::int64_t times[] = {
        0, 86'400 * 59, 1'796'564'698, 2'147'483'647, 2'147'483'648, 2'208'988'800, 4'102'444'799};
    for (const std::int64_t time : times) {
        SCOPED_TRACE(time);
        // Calendar seconds to FILETIME (100-ns steps since 1601), then to local time.
        const std::uint64_t ticks =
            (static_cast<std::uint64_t>(time) + 11'644'473'600ull) * 10'000'000ull;
        FILETIME utcFile{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
        SYSTEMTIME utc{};
        SYSTEMTIME local{};
        ASSERT_TRUE(FileTimeToSystemTime(&utcFile, &utc));
        ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local));
        const std::optional<LocalTime> converted = m_platform->ToLocalTime(time);
        if (local.wYear < 1970) {
            continue;  // a zone west of UTC puts the first instant before the library's range
        }
        ASSERT_TRUE(converted);
        EXPECT_EQ(converted->year, local.wYear);
        EXPECT_EQ(converted->month, local.wMonth);
        EXPECT_EQ(converted->day, local.wDay);
        EXPECT_EQ(converted->hour, local.wHour);
        EXPECT_EQ(converted->minute, local.wMinute);
        EXPECT_EQ(converted->second, local.wSecond);
        EXPECT_EQ(converted->weekday, local.wDayOfWeek);
        FILETIME localFile{};
        ASSERT_TRUE(SystemTimeToFileTime(&local, &localFile));
        const std::uint64_t localTicks =
            (std::uint64_t{localFile.dwHighDateTime} << 32) | localFile.dwLowDateTime;
        EXPECT_EQ(converted->utcOffsetSeconds,
                  (static_cast<std::int64_t>(localTicks) - static_cast<std::int64_t>(ticks)) /
                      10'000'000);
    }
    // Before 1970 there is no local date to give.
    EXPECT_EQ(m_platform->ToLocalTime(-86'400), std::nullopt);
}

// Read whole, and in UTF-8 whatever the folders are called: one of them has a Chinese name.
TEST_F(MachineFacts, TheCurrentDirectoryIsReadWhole) {
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
    // A deep directory: its path passes 200 characters. (The calls without the "\\?\" prefix
    // make none deeper than about 248, on Windows as under Wine, so the area's growth is not
    // reached from here.)
    std::wstring deep = std::wstring(temp) + L"kolt current directory test \u738B\u4F1F";
    CreateDirectoryW(deep.c_str(), nullptr);
    std::vector<std::wstring> made{deep};
    while (deep.size() < 200) {
        deep += L"\\" + std::wstring(40, L'd');
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr) ||
                    GetLastError() == ERROR_ALREADY_EXISTS);
        made.push_back(deep);
    }
    wchar_t previous[4096] = {};
    ASSERT_NE(GetCurrentDirectoryW(4096, previous), 0u);
    ASSERT_TRUE(SetCurrentDirectoryW(deep.c_str()));
    const std::optional<std::string> current = m_platform->CurrentDirectory();
    SetCurrentDirectoryW(previous);
    for (auto dir = made.rbegin(); dir != made.rend(); ++dir) {
        RemoveDirectoryW(dir->c_str());
    }
    EXPECT_EQ(current, SystemUtf8(deep));
    EXPECT_EQ(m_platform->PathSeparator(), '\\');
}

}  // namespace
}  // namespace kolt
