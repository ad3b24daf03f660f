// What any POSIX system answers the same way: the user, the host's names, the clock, the current
// directory and the space of a file system. Each call asks afresh and keeps nothing open.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace kolt::posix {

// The effective user's login name from the user database.
std::optional<std::string> EffectiveUserName();

// The host name and the kernel's release, as uname gives them.
std::optional<std::string> HostName();
std::optional<std::string> KernelRelease();
// The machine's hardware name as uname gives it: "x86_64", "aarch64".
std::optional<std::string> MachineName();

std::int64_t CurrentTime();
std::optional<LocalTime> ToLocalTime(std::int64_t calendarTime);
// The monotonic clock in nanoseconds: a steady counter whose frequency is 10^9.
inline constexpr std::uint64_t kNanosecondsPerSecond = 1'000'000'000;
std::uint64_t MonotonicNanoseconds();

std::optional<std::string> CurrentDirectory();

// Size and free bytes of the file system that holds `path`; nullopt when it cannot be measured.
std::optional<DiskSpace> MeasureFileSystem(const std::string& path);

// Size and free bytes from a file system's block counts and its fragment and block sizes (the
// fragment size is the unit where it is set), each stopping at the largest count.
DiskSpace DiskSpaceFromBlocks(std::uint64_t blocks, std::uint64_t freeBlocks,
                              std::uint64_t fragmentSize, std::uint64_t blockSize);

}  // namespace kolt::posix
