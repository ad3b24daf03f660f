// Where each check of the Attention block draws its line: every figure a rule compares with is
// named here, once, and documented in the user's guide under "The Attention block".
#pragma once

#include <cstdint>

namespace kolt::attention {

inline constexpr std::uint64_t kGibibyte = 1024ULL * 1024 * 1024;

// A fixed drive is almost full below 2 Gb free, or below 10 % free while also below 20 Gb (a
// large drive with 10 % free still has room).
inline constexpr std::uint64_t kDriveFreeBytesAlwaysLow = 2 * kGibibyte;
inline constexpr std::uint64_t kDriveFreeBytesLowWithShare = 20 * kGibibyte;
inline constexpr std::uint64_t kDriveFreePercentLow = 10;

// Physical memory in use above this share.
inline constexpr double kMemoryInUsePercentHigh = 90.0;

// Up for more than this many days.
inline constexpr std::uint64_t kUpTimeDaysLong = 30;

// The newest installed update older than this many days.
inline constexpr std::int64_t kNewestUpdateDaysOld = 60;

// A battery that holds less than this share of its design capacity when full.
inline constexpr std::uint64_t kBatteryWornPercent = 50;
// A battery charged below this share while the machine is not on mains power.
inline constexpr std::uint32_t kBatteryLowPercent = 10;

}  // namespace kolt::attention
