#include "platform/win32/power_rules.h"

#include <utility>

namespace kolt::win32 {
namespace {

constexpr std::uint8_t kMostPercent = 100;

std::optional<std::uint32_t> ChargeOf(const SystemPowerAnswer& status) {
    if (status.lifePercent > kMostPercent) {
        return std::nullopt;
    }
    return status.lifePercent;
}

}  // namespace

std::optional<PowerInfo> PowerFromStatus(const std::optional<SystemPowerAnswer>& status,
                                         std::vector<BatteryInfo> batteries) {
    PowerInfo power;
    if (status) {
        if (status->acLineStatus == 0 || status->acLineStatus == 1) {
            power.onMains = status->acLineStatus == 1;
        }
    }
    if (!batteries.empty()) {
        if (status && batteries.size() == 1 && !batteries.front().chargePercent) {
            batteries.front().chargePercent = ChargeOf(*status);
        }
        power.batteries = std::move(batteries);
        return power;
    }
    if (!status || status->batteryFlag == kBatteryStatusUnknown) {
        return std::nullopt;
    }
    if (status->batteryFlag != kNoSystemBattery) {
        BatteryInfo battery;
        battery.chargePercent = ChargeOf(*status);
        power.batteries.push_back(std::move(battery));
    }
    return power;
}

}  // namespace kolt::win32
