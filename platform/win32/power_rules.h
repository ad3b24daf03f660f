// Mains power and the batteries, from the system's power status and what each battery's driver
// says: a pure rule, tested on every build.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/platform.h"

namespace kolt::win32 {

// The system's power status as it gives it.
struct SystemPowerAnswer {
    std::uint8_t acLineStatus = 255;  // 0 off mains, 1 on mains, 255 unknown
    std::uint8_t batteryFlag = 255;   // 128 no system battery, 255 unknown, other bits a battery
    std::uint8_t lifePercent = 255;   // 0 to 100, 255 unknown
};

inline constexpr std::uint8_t kNoSystemBattery = 128;
inline constexpr std::uint8_t kBatteryStatusUnknown = 255;

// The batteries the drivers described, or, where none did, "no battery" when the status says so
// and one battery with the status's charge when it says there is one. Charge the drivers did
// not give is the status's where there is one battery. Nullopt when the status could not be read
// or does not know whether there is a battery, and no driver described one: "no battery" is
// never guessed.
std::optional<PowerInfo> PowerFromStatus(const std::optional<SystemPowerAnswer>& status,
                                         std::vector<BatteryInfo> batteries);

}  // namespace kolt::win32
