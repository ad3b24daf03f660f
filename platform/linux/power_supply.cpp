// Only POSIX and Linux code here.
#include "platform/linux/power_supply.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "platform/linux/text_lines.h"
#include "platform/posix/files.h"

namespace kolt::linux_backend {

namespace {

namespace fs = std::filesystem;

std::optional<std::string> Attribute(const fs::path& supply, const char* name) {
    const auto text = posix::ReadTextFile((supply / name).c_str());
    return text ? std::optional<std::string>(FirstLine(*text)) : std::nullopt;
}

std::optional<std::uint64_t> Number(const fs::path& supply, const char* name) {
    const auto text = Attribute(supply, name);
    return text ? ParseUnsigned(*text) : std::nullopt;
}

std::optional<std::uint32_t> Small(const std::optional<std::uint64_t>& value) {
    return value && *value <= 0xFFFFFFFFu ? std::optional(static_cast<std::uint32_t>(*value))
                                          : std::nullopt;
}

BatteryInfo BatteryAt(const fs::path& supply) {
    BatteryInfo battery;
    battery.name = supply.filename().string();
    battery.chargePercent = Small(Number(supply, "capacity"));
    battery.fullChargeCapacity = Number(supply, "charge_full");
    battery.designCapacity = Number(supply, "charge_full_design");
    if (!battery.fullChargeCapacity || !battery.designCapacity) {
        battery.fullChargeCapacity = Number(supply, "energy_full");
        battery.designCapacity = Number(supply, "energy_full_design");
    }
    if (const auto cycles = Small(Number(supply, "cycle_count")); cycles && *cycles > 0) {
        battery.cycleCount = cycles;
    }
    return battery;
}

}  // namespace

std::optional<PowerInfo> ReadPower(const std::string& root) {
    const fs::path supplies = fs::path(root + "/sys/class/power_supply");
    std::error_code error;
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(supplies, error), end; !error && it != end;
         it.increment(error)) {
        entries.push_back(it->path());
    }
    if (error) {
        return std::nullopt;
    }
    std::sort(entries.begin(), entries.end());
    PowerInfo power;
    for (const fs::path& supply : entries) {
        const auto type = Attribute(supply, "type");
        if (!type) {
            continue;
        }
        if (*type == "Battery") {
            if (Attribute(supply, "scope") != "Device") {
                power.batteries.push_back(BatteryAt(supply));
            }
        } else if (*type == "Mains" || type->starts_with("USB")) {
            if (const auto online = Number(supply, "online")) {
                power.onMains = power.onMains.value_or(false) || *online != 0;
            }
        }
    }
    return power;
}

}  // namespace kolt::linux_backend
