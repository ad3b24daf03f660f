// Only POSIX calls here.
#include "platform/posix/system_queries.h"

#include <pwd.h>
#include <sys/statvfs.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <limits>

#include "platform/common/calendar.h"

namespace kolt::posix {

namespace {

// The user database may hold long entries; a buffer beyond this means a broken database.
constexpr std::size_t kLargestUserEntry = 1u << 20;

std::optional<utsname> Uname() {
    utsname names{};
    if (::uname(&names) != 0) {
        return std::nullopt;
    }
    return names;
}

std::uint64_t SaturatingProduct(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > std::numeric_limits<std::uint64_t>::max() / a) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return a * b;
}

}  // namespace

std::optional<std::string> EffectiveUserName() {
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 1024, '\0');
    for (;;) {
        passwd entry{};
        passwd* found = nullptr;
        const int error = ::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < kLargestUserEntry) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error != 0 || found == nullptr || entry.pw_name == nullptr) {
            return std::nullopt;
        }
        return std::string(entry.pw_name);
    }
}

std::optional<std::string> HostName() {
    const auto names = Uname();
    if (!names) {
        return std::nullopt;
    }
    return std::string(names->nodename);
}

std::optional<std::string> KernelRelease() {
    const auto names = Uname();
    if (!names) {
        return std::nullopt;
    }
    return std::string(names->release);
}

std::optional<std::string> MachineName() {
    const auto names = Uname();
    if (!names) {
        return std::nullopt;
    }
    return std::string(names->machine);
}

std::int64_t CurrentTime() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

std::optional<LocalTime> ToLocalTime(std::int64_t calendarTime) {
    const auto converted = static_cast<std::time_t>(calendarTime);
    if (static_cast<std::int64_t>(converted) != calendarTime) {
        return std::nullopt;  // does not fit this system's time_t
    }
    std::tm parts{};
    if (::localtime_r(&converted, &parts) == nullptr) {
        return std::nullopt;
    }
    LocalTime local = common::LocalTimeFromTm(parts);
    local.utcOffsetSeconds = static_cast<int>(parts.tm_gmtoff);
    return local;
}

std::uint64_t MonotonicNanoseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * kNanosecondsPerSecond +
           static_cast<std::uint64_t>(now.tv_nsec);
}

std::optional<std::string> CurrentDirectory() {
    std::string buffer(256, '\0');
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size()) != nullptr) {
            buffer.resize(buffer.find('\0'));
            return buffer;
        }
        if (errno != ERANGE) {
            return std::nullopt;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::optional<DiskSpace> MeasureFileSystem(const std::string& path) {
    struct statvfs info {};
    if (::statvfs(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return DiskSpaceFromBlocks(info.f_blocks, info.f_bfree, info.f_frsize, info.f_bsize);
}

DiskSpace DiskSpaceFromBlocks(std::uint64_t blocks, std::uint64_t freeBlocks,
                              std::uint64_t fragmentSize, std::uint64_t blockSize) {
    const std::uint64_t unit = fragmentSize != 0 ? fragmentSize : blockSize;
    DiskSpace space;
    space.totalBytes = SaturatingProduct(blocks, unit);
    space.totalFreeBytes = SaturatingProduct(freeBlocks, unit);
    return space;
}

}  // namespace kolt::posix
