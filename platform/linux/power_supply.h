// The machine's power on Linux: the kernel's power-supply class.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"

namespace kolt::linux_backend {

// Under `root`, /sys/class/power_supply: each supply of type Battery that powers the machine (a
// mouse's or a headset's, scope "Device", left out) with its charge (capacity), its full-charge
// and design capacities (charge_* in µAh, else energy_* in µWh) and its cycle count (0, which
// drivers write when they do not count, is unknown); on mains where an external supply (Mains,
// USB) is online. No supply at all is a machine without a battery; nullopt where the class
// cannot be read.
std::optional<PowerInfo> ReadPower(const std::string& root);

}  // namespace kolt::linux_backend
