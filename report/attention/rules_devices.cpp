// The rules over the battery, the default printer and the proxy settings.
#include <string>

#include "report/attention/rules.h"
#include "report/attention/thresholds.h"
#include "report/sections/desk_facts.h"

namespace kolt::attention {

namespace {

// "BAT0", or "1" for the first of batteries the system does not name: the sentences say
// "Battery BAT0", "Battery 1".
std::string BatteryName(const BatteryInfo& battery, std::size_t index) {
    return battery.name ? *battery.name : std::to_string(index + 1);
}

std::string_view ConditionText(PrinterCondition condition) {
    switch (condition) {
        case PrinterCondition::Offline:
            return "offline";
        case PrinterCondition::Paused:
            return "paused";
        case PrinterCondition::Error:
            return "in error";
        default:
            return {};  // paper, toner and doors are the printer's own to tell
    }
}

bool IsSet(const std::optional<std::string>& value) {
    return value && !value->empty();
}

}  // namespace

std::vector<RuleFinding> BatteryLow(const RuleInput& input) {
    const std::optional<PowerInfo>& power = input.extended.power;
    std::vector<RuleFinding> found;
    if (!power || power->onMains != false) {
        return found;
    }
    for (std::size_t i = 0; i < power->batteries.size(); ++i) {
        const BatteryInfo& battery = power->batteries[i];
        if (battery.chargePercent && *battery.chargePercent < kBatteryLowPercent) {
            const std::string name = BatteryName(battery, i);
            found.push_back(
                {"Battery " + name + " is at " + std::to_string(*battery.chargePercent) +
                     " % and the machine is not on mains power",
                 {{"battery", name},
                  {"chargePercent", static_cast<std::int64_t>(*battery.chargePercent)}}});
        }
    }
    return found;
}

std::vector<RuleFinding> BatteryWorn(const RuleInput& input) {
    const std::optional<PowerInfo>& power = input.extended.power;
    std::vector<RuleFinding> found;
    if (!power) {
        return found;
    }
    for (std::size_t i = 0; i < power->batteries.size(); ++i) {
        const BatteryInfo& battery = power->batteries[i];
        if (!battery.fullChargeCapacity || !battery.designCapacity ||
            *battery.designCapacity == 0) {
            continue;
        }
        const long double share =
            static_cast<long double>(*battery.fullChargeCapacity) * 100 / *battery.designCapacity;
        if (share >= kBatteryWornPercent) {
            continue;
        }
        const auto percent = static_cast<std::int64_t>(share);  // rounded down
        const std::string name = BatteryName(battery, i);
        found.push_back(
            {"Battery " + name + " holds " + std::to_string(percent) + " % of its design capacity",
             {{"battery", name}, {"capacityPercent", percent}}});
    }
    return found;
}

std::vector<RuleFinding> PrinterNotReady(const RuleInput& input) {
    const std::optional<PrinterList>& printers = input.extended.printers;
    if (!printers) {
        return {};
    }
    for (const PrinterInfo& printer : *printers) {
        if (!printer.isDefault) {
            continue;
        }
        std::string states;
        for (const PrinterCondition condition : printer.conditions) {
            const std::string_view text = ConditionText(condition);
            if (!text.empty() && states.find(text) == std::string::npos) {
                states += states.empty() ? "" : ", ";
                states += text;
            }
        }
        if (states.empty()) {
            return {};
        }
        return {{"The default printer " + printer.name + " is " + states,
                 {{"printer", printer.name}, {"state", states}}}};
    }
    return {};
}

std::vector<RuleFinding> ProxyMismatch(const RuleInput& input) {
    const ProxySettings& proxy = input.extended.proxy;
    if (!proxy.user || !proxy.machine) {
        return {};
    }
    // A server or a configuration script sends the user's programs through a proxy; automatic
    // detection alone may find none, so it does not count.
    const bool user = IsSet(proxy.user->server) || IsSet(proxy.user->autoConfigUrl);
    const bool machine = IsSet(proxy.machine->server);
    if (user == machine) {
        return {};
    }
    if (user) {
        const std::string set = WithoutUserInformation(
            IsSet(proxy.user->server) ? *proxy.user->server : *proxy.user->autoConfigUrl);
        return {{"A proxy is set for the user (" + set + ") but not for services (WinHTTP)",
                 {{"userProxy", set}}}};
    }
    const std::string set = WithoutUserInformation(*proxy.machine->server);
    return {{"A proxy is set for services (WinHTTP: " + set + ") but not for the user",
             {{"machineProxy", set}}}};
}

}  // namespace kolt::attention
