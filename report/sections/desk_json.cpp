// The JSON members of what a desk asks next, in the Extended Information object.
#include <algorithm>

#include <nlohmann/json.hpp>

#include "report/iso_time.h"
#include "report/json_or_null.h"
#include "report/sections/desk_facts.h"
#include "report/sections/extended.h"
#include "report/sections/extended_lines.h"

namespace kolt {

namespace {

Json MaskedOrNull(const std::optional<std::string>& value) {
    return value ? Json(MaskProxyPassword(*value)) : Json(nullptr);
}

Json Restart(const ExtendedFacts& facts) {
    if (!facts.restart) {
        return nullptr;
    }
    Json reasons = Json::array();
    for (const RestartReason reason : facts.restart->reasons) {
        reasons.push_back(RestartReasonName(reason));
    }
    return Json{{"pending", !facts.restart->reasons.empty()},
                {"reasons", std::move(reasons)},
                {"packageCount", OrNull(facts.restart->packageCount)},
                {"since", facts.restartSince ? Json(Iso8601(*facts.restartSince)) : Json(nullptr)}};
}

Json Updates(const std::optional<InstalledUpdates>& updates) {
    if (!updates) {
        return nullptr;
    }
    return Json{
        {"newestId", OrNull(updates->newestId)},
        {"newestDate", updates->newestDate ? Json(extended_lines::DateText(*updates->newestDate))
                                           : Json(nullptr)},
        {"count", OrNull(updates->count)}};
}

Json Security(const SecurityInfo& security) {
    Json antivirus = nullptr;
    if (security.antivirus) {
        antivirus = Json::array();
        for (const AntivirusProduct& product : *security.antivirus) {
            antivirus.push_back(Json{{"name", product.name},
                                     {"enabled", OrNull(product.enabled)},
                                     {"upToDate", OrNull(product.upToDate)}});
        }
    }
    const FirewallProfiles& firewall = security.firewall;
    return Json{{"antivirus", std::move(antivirus)},
                {"firewall", Json{{"domain", OrNull(firewall.domain)},
                                  {"private", OrNull(firewall.privateProfile)},
                                  {"public", OrNull(firewall.publicProfile)}}}};
}

Json Printers(const std::optional<PrinterList>& printers) {
    if (!printers) {
        return nullptr;
    }
    Json list = Json::array();
    for (const PrinterInfo& printer : *printers) {
        Json state = Json::array();
        for (const PrinterCondition condition : printer.conditions) {
            state.push_back(PrinterConditionName(condition));
        }
        list.push_back(Json{{"name", printer.name},
                            {"network", printer.network},
                            {"default", printer.isDefault},
                            {"state", std::move(state)},
                            {"jobsWaiting", OrNull(printer.jobsWaiting)}});
    }
    return list;
}

Json Displays(const std::vector<DisplayInfo>& displays) {
    Json list = Json::array();
    for (const DisplayInfo& display : displays) {
        list.push_back(Json{{"name", OrNull(display.name)},
                            {"width", OrNull(display.widthPixels)},
                            {"height", OrNull(display.heightPixels)},
                            {"refreshHz", OrNull(display.refreshHz)},
                            {"scalePercent", OrNull(display.scalePercent)},
                            {"primary", display.primary}});
    }
    return list;
}

// null where the power source is unknown, [] for a machine without a battery.
Json Batteries(const std::optional<PowerInfo>& power) {
    if (!power) {
        return nullptr;
    }
    Json list = Json::array();
    for (const BatteryInfo& battery : power->batteries) {
        // A gauge may read a little over 100 % while it charges.
        const Json charge = battery.chargePercent
                                ? Json(std::min<std::uint32_t>(*battery.chargePercent, 100))
                                : Json(nullptr);
        list.push_back(Json{{"name", OrNull(battery.name)},
                            {"chargePercent", charge},
                            {"healthPercent", OrNull(BatteryHealthPercent(battery))},
                            {"cycleCount", OrNull(battery.cycleCount)}});
    }
    return list;
}

Json Proxy(const ProxySettings& proxy) {
    Json user = nullptr;
    if (proxy.user) {
        user = Json{{"server", MaskedOrNull(proxy.user->server)},
                    {"bypass", OrNull(proxy.user->bypass)},
                    {"autoConfigUrl", MaskedOrNull(proxy.user->autoConfigUrl)},
                    {"autoDetect", proxy.user->autoDetect}};
    }
    Json machine = nullptr;
    if (proxy.machine) {
        machine = Json{{"server", MaskedOrNull(proxy.machine->server)},
                       {"bypass", OrNull(proxy.machine->bypass)}};
    }
    Json environment = Json::array();
    for (const ProxyVariable& variable : proxy.environment) {
        environment.push_back(
            Json{{"name", variable.name}, {"value", MaskProxyPassword(variable.value)}});
    }
    return Json{{"user", std::move(user)},
                {"machine", std::move(machine)},
                {"environment", std::move(environment)}};
}

Json Time(const std::optional<TimeSource>& source) {
    if (!source) {
        return nullptr;
    }
    return Json{{"type", OrNull(source->type)},
                {"servers", source->servers},
                {"serviceRunning", OrNull(source->serviceRunning)},
                {"synchronised", OrNull(source->synchronised)}};
}

}  // namespace

void WriteDeskJson(const ExtendedFacts& facts, Json& value) {
    value["restartPending"] = Restart(facts);
    value["updates"] = Updates(facts.updates);
    value["security"] = Security(facts.security);
    value["printers"] = Printers(facts.printers);
    value["displays"] = Displays(facts.displays);
    value["onMains"] = facts.power ? OrNull(facts.power->onMains) : Json(nullptr);
    value["battery"] = Batteries(facts.power);
    value["proxy"] = Proxy(facts.proxy);
    value["timeSource"] = Time(facts.timeSource);
}

}  // namespace kolt
