// The Linux backend's answers against the kernel's own figures, read independently here.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "platform/common/firmware_text.h"
#include "platform/platform.h"
#include "report/netbios_name.h"

namespace kolt {
namespace {

std::uint64_t MeminfoKb(const std::string& field) {
    std::ifstream in("/proc/meminfo");
    std::string key;
    std::uint64_t value = 0;
    std::string unit;
    while (in >> key >> value) {
        std::getline(in, unit);
        if (key == field + ":") {
            return value;
        }
    }
    ADD_FAILURE() << field << " not in /proc/meminfo";
    return 0;
}

// Sets an environment variable for one test and puts the old value back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = ::getenv(name)) {
            m_old = old;
        }
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
        ::tzset();
    }
    ~ScopedEnv() {
        if (m_old) {
            ::setenv(m_name, m_old->c_str(), 1);
        } else {
            ::unsetenv(m_name);
        }
        ::tzset();
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class PosixBackend : public ::testing::Test {
protected:
    std::unique_ptr<Platform> m_platform = CreateHostPlatform();
};

TEST_F(PosixBackend, ProcessorCountIsTheOnlineCount) {
    EXPECT_EQ(m_platform->ProcessorCount(),
              static_cast<std::uint32_t>(::sysconf(_SC_NPROCESSORS_ONLN)));
}

TEST_F(PosixBackend, MemoryTotalIsMemTotalInBytes) {
    const std::optional<MemoryStatus> answer = m_platform->Memory();
    ASSERT_TRUE(answer);
    const MemoryStatus& memory = *answer;
    EXPECT_EQ(memory.physical.totalBytes, MeminfoKb("MemTotal") * 1024);
    EXPECT_EQ(memory.pagingFile.totalBytes,
              (MeminfoKb("MemTotal") + MeminfoKb("SwapTotal")) * 1024);
    EXPECT_GT(memory.physical.availableBytes, 0u);
    EXPECT_LE(memory.physical.availableBytes, memory.physical.totalBytes);
    EXPECT_LE(memory.pagingFile.availableBytes, memory.pagingFile.totalBytes);
}

TEST_F(PosixBackend, DriveCIsTheRootFileSystemAndLettersFollowInOrder) {
    struct statvfs root {};
    ASSERT_EQ(::statvfs("/", &root), 0);
    const std::vector<DriveInfo> drives = m_platform->Drives();
    ASSERT_FALSE(drives.empty());
    ASSERT_LE(drives.size(), 24u);
    ASSERT_TRUE(drives[0].space);
    EXPECT_EQ(drives[0].letter, 'C');
    EXPECT_EQ(drives[0].space->totalBytes, std::uint64_t{root.f_blocks} * root.f_frsize);
    // Free space moves while other programs write; a few hundred megabytes is a loose bound.
    const double freeBytes = static_cast<double>(std::uint64_t{root.f_bfree} * root.f_frsize);
    EXPECT_NEAR(static_cast<double>(drives[0].space->totalFreeBytes), freeBytes,
                512.0 * 1024 * 1024);
    for (std::size_t i = 0; i < drives.size(); ++i) {
        EXPECT_EQ(drives[i].letter, static_cast<char>('C' + i));
        EXPECT_GE(drives[i].kind, DriveKind::Removable);
        EXPECT_LE(drives[i].kind, DriveKind::RamDisk);
    }
}

TEST_F(PosixBackend, IdentityFromUnameAndTheUserDatabase) {
    utsname names{};
    ASSERT_EQ(::uname(&names), 0);
    std::string expected(names.nodename);
    expected = expected.substr(0, expected.find('.')).substr(0, 15);
    for (char& c : expected) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    // The host name whole, from which the report makes the NetBIOS-style name.
    EXPECT_EQ(m_platform->ComputerName().hostName, std::string(names.nodename));
    EXPECT_EQ(NetbiosStyleName(m_platform->ComputerName()), expected);

    const passwd* user = ::getpwuid(::geteuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(m_platform->UserName(), std::string(user->pw_name));
}

TEST_F(PosixBackend, OperatingSystemIsOsReleaseAndTheKernelRelease) {
    utsname names{};
    ASSERT_EQ(::uname(&names), 0);
    const OperatingSystemInfo os = m_platform->OperatingSystem();
    ASSERT_TRUE(os.name);
    EXPECT_FALSE(os.name->empty());
    EXPECT_EQ(os.version, std::string(names.release));
}

TEST_F(PosixBackend, ProcessorFromTheFirstCpuinfoRecord) {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    std::optional<std::string> vendor;
    while (std::getline(cpuinfo, line) && !line.empty()) {
        if (line.rfind("vendor_id", 0) == 0) {
            vendor = line.substr(line.find(':') + 2);
        }
    }
    EXPECT_EQ(m_platform->Processor().vendor, vendor);
}

TEST_F(PosixBackend, UserDomainsWholeFromTheSession) {
    const std::string longValue(300, 'v');
    {
        const ScopedEnv domain("USERDOMAIN", longValue.c_str());
        const ScopedEnv dnsDomain("USERDNSDOMAIN", "");
        const UserDomainNames domains = m_platform->UserDomains();
        EXPECT_EQ(domains.domain, longValue);
        EXPECT_EQ(domains.dnsDomain, "");
    }
    const ScopedEnv domain("USERDOMAIN", nullptr);
    const ScopedEnv dnsDomain("USERDNSDOMAIN", nullptr);
    const UserDomainNames domains = m_platform->UserDomains();
    EXPECT_EQ(domains.domain, std::nullopt);
    EXPECT_EQ(domains.dnsDomain, std::nullopt);
}

TEST_F(PosixBackend, LocalTimeFollowsTheTimeZone) {
    {
        const ScopedEnv utc("TZ", "UTC0");
        const auto epoch = m_platform->ToLocalTime(0);
        ASSERT_TRUE(epoch);
        EXPECT_EQ(epoch->year, 1970);
        EXPECT_EQ(epoch->month, 1);
        EXPECT_EQ(epoch->day, 1);
        EXPECT_EQ(epoch->hour, 0);
        EXPECT_EQ(epoch->weekday, 4);
        EXPECT_EQ(epoch->utcOffsetSeconds, 0);
    }
    const ScopedEnv plusTwo("TZ", "XXX-2");
    // 6 December 2026, 11:44:58 UTC.
    const auto local = m_platform->ToLocalTime(1796557498);
    ASSERT_TRUE(local);
    EXPECT_EQ(local->year, 2026);
    EXPECT_EQ(local->month, 12);
    EXPECT_EQ(local->day, 6);
    EXPECT_EQ(local->hour, 13);
    EXPECT_EQ(local->minute, 44);
    EXPECT_EQ(local->second, 58);
    EXPECT_EQ(local->weekday, 0);
    EXPECT_EQ(local->utcOffsetSeconds, 2 * 3600);
    // A year beyond what the C library can hold.
    EXPECT_FALSE(m_platform->ToLocalTime(INT64_MAX));
}

TEST_F(PosixBackend, TheClockWindowIsOneSecondOfTheMonotonicClock) {
    const auto started = std::chrono::steady_clock::now();
    const ClockWindow window = m_platform->MeasureClock();
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    EXPECT_EQ(window.ticksPerSecond, 1'000'000'000u);
    EXPECT_GE(window.ticks, window.ticksPerSecond);
}

TEST_F(PosixBackend, CurrentDirectoryOfAnyLength) {
    const auto start = m_platform->CurrentDirectory();
    ASSERT_TRUE(start);
    char pattern[] = "/tmp/kolt_cwd_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    std::string deep = pattern;
    const std::string component(100, 'd');
    for (int i = 0; i < 12; ++i) {  // well past the first buffer's 256 bytes
        deep += "/" + component;
        ASSERT_EQ(::mkdir(deep.c_str(), 0700), 0);
    }
    ASSERT_EQ(::chdir(deep.c_str()), 0);
    const auto inside = m_platform->CurrentDirectory();
    ASSERT_EQ(::chdir(start->c_str()), 0);
    EXPECT_EQ(inside, deep);
    EXPECT_EQ(m_platform->PathSeparator(), '/');
    for (int i = 0; i <= 12; ++i) {
        ::rmdir(deep.c_str());
        deep.resize(deep.rfind('/'));
    }
}

// The extended facts against the kernel's own figures and what `ip` lists.
double UptimeNow() {
    std::ifstream in("/proc/uptime");
    double seconds = -1;
    in >> seconds;
    return seconds;
}

// The text of one /sys/class/dmi/id file; nullopt when it is not there.
std::optional<std::string> DmiId(const char* name) {
    std::ifstream in(std::string("/sys/class/dmi/id/") + name);
    std::string text;
    if (!in || !std::getline(in, text)) {
        return std::nullopt;
    }
    return text;
}

// The lines `ip -o` prints for a command; nullopt when ip cannot be run.
std::optional<std::vector<std::string>> IpLines(const char* arguments) {
    const std::string command = std::string("ip -o ") + arguments + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        lines.emplace_back(buffer);
    }
    if (::pclose(pipe) != 0) {
        return std::nullopt;
    }
    return lines;
}

std::string PrefixText(const IpPrefix& prefix) {
    char text[INET6_ADDRSTRLEN] = {};
    if (const auto* v4 = std::get_if<Ipv4Address>(&prefix.address)) {
        ::inet_ntop(AF_INET, v4->octets.data(), text, sizeof text);
    } else {
        ::inet_ntop(AF_INET6, std::get<Ipv6Address>(prefix.address).octets.data(), text,
                    sizeof text);
    }
    return std::string(text) + "/" + std::to_string(prefix.prefixLength);
}

TEST_F(PosixBackend, UptimeReleaseAndProcessorsAreTheKernels) {
    const double before = UptimeNow();
    const std::optional<std::uint64_t> uptime = m_platform->SecondsSinceStart();
    const double after = UptimeNow();
    ASSERT_TRUE(uptime);
    EXPECT_GE(static_cast<double>(*uptime), before - 1);
    EXPECT_LE(static_cast<double>(*uptime), after + 1);

    utsname names{};
    ASSERT_EQ(::uname(&names), 0);
    const SystemRelease release = m_platform->Release();
    EXPECT_EQ(release.kernel, std::string(names.release));
    if (std::string(names.machine) == "x86_64") {
        EXPECT_EQ(release.systemArchitecture, "x64");
        EXPECT_EQ(release.programArchitecture, sizeof(void*) == 8 ? "x64" : "x86");
    }

    const ProcessorDetails processor = m_platform->ProcessorDetail();
    EXPECT_EQ(processor.logicalProcessors,
              static_cast<std::uint32_t>(::sysconf(_SC_NPROCESSORS_ONLN)));
    if (processor.physicalCores) {
        EXPECT_GE(*processor.physicalCores, 1u);
        EXPECT_LE(*processor.physicalCores, *processor.logicalProcessors);
    }
}

TEST_F(PosixBackend, FirmwareIsWhatTheKernelCopiedFromIt) {
    if (!DmiId("sys_vendor") && !DmiId("bios_vendor")) {
        GTEST_SKIP() << "no /sys/class/dmi/id on this machine (no SMBIOS, or a container)";
    }
    const FirmwareInfo firmware = m_platform->Firmware();
    const auto known = [](const char* name) {
        const auto text = DmiId(name);
        return text ? common::KnownFirmwareText(*text) : std::nullopt;
    };
    EXPECT_EQ(firmware.make, known("sys_vendor"));
    EXPECT_EQ(firmware.model, known("product_name"));
    EXPECT_EQ(firmware.biosVendor, known("bios_vendor"));
    EXPECT_EQ(firmware.biosVersion, known("bios_version"));
    if (const auto date = DmiId("bios_date")) {
        EXPECT_EQ(firmware.biosDate, common::ParseFirmwareDate(*date));
    }
}

TEST_F(PosixBackend, AdaptersAreTheInterfacesIpListsUp) {
    const auto links = IpLines("link show up");
    const auto addresses = IpLines("addr show up");
    if (!links || !addresses) {
        GTEST_SKIP() << "the ip command cannot be run here";
    }
    // "2: eth0: <BROADCAST,...,UP,LOWER_UP> ..." and "2: eth0    inet 192.0.2.2/24 ... scope ..."
    std::set<std::string> expectedNames;
    for (const std::string& line : *links) {
        std::istringstream fields(line);
        std::string index;
        std::string name;
        fields >> index >> name;
        name = name.substr(0, name.find_first_of(":@"));
        if (line.find("LOOPBACK") == std::string::npos) {
            expectedNames.insert(name);
        }
    }
    std::set<std::string> expectedAddresses;
    for (const std::string& line : *addresses) {
        std::istringstream fields(line);
        std::string index;
        std::string name;
        std::string family;
        std::string prefix;
        fields >> index >> name >> family >> prefix;
        const bool global = line.find("scope global") != std::string::npos;
        if (expectedNames.contains(name) && (family == "inet" || (family == "inet6" && global))) {
            expectedAddresses.insert(name + " " + prefix);
        }
    }

    std::set<std::string> names;
    std::set<std::string> listed;
    for (const NetworkAdapter& adapter : m_platform->Network().adapters) {
        names.insert(adapter.name);
        for (const auto* family : {&adapter.ipv4, &adapter.ipv6}) {
            for (const IpPrefix& prefix : *family) {
                listed.insert(adapter.name + " " + PrefixText(prefix));
            }
        }
    }
    EXPECT_EQ(names, expectedNames);
    EXPECT_EQ(listed, expectedAddresses);
}

}  // namespace
}  // namespace kolt
