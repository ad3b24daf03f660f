// The Linux backend's answers against the kernel's own figures, read independently here.
#include <gtest/gtest.h>

#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/platform.h"

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
    const MemoryStatus memory = m_platform->Memory();
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
    EXPECT_EQ(m_platform->ComputerName(), expected);

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

}  // namespace
}  // namespace kolt
