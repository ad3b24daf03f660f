// The JSON form of the Extended Information block.
#include <cstdio>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "report/address_text.h"
#include "report/iso_time.h"
#include "report/json_or_null.h"
#include "report/sections/desk_facts.h"
#include "report/sections/extended.h"

namespace kolt {

namespace {

Json TimeOrNull(const std::optional<LocalTime>& time) {
    return time ? Json(Iso8601(*time)) : Json(nullptr);
}

Json DateOrNull(const std::optional<CalendarDate>& date) {
    if (!date) {
        return nullptr;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date->year, date->month, date->day);
    return text;
}

Json Prefixes(const std::vector<IpPrefix>& prefixes) {
    Json list = Json::array();
    for (const IpPrefix& prefix : prefixes) {
        list.push_back(
            Json{{"address", IpText(prefix.address)}, {"prefixLength", prefix.prefixLength}});
    }
    return list;
}

Json Addresses(const std::vector<InternetAddress>& addresses) {
    Json list = Json::array();
    for (const InternetAddress& address : addresses) {
        list.push_back(IpText(address));
    }
    return list;
}

Json Adapter(const NetworkAdapter& adapter) {
    const auto kind = AdapterKindText(adapter.kind);
    return Json{{"name", adapter.name},
                {"kind", kind ? Json(*kind) : Json(nullptr)},
                {"hardwareAddress", adapter.hardwareAddress.empty()
                                        ? Json(nullptr)
                                        : Json(HardwareAddressText(adapter.hardwareAddress))},
                {"ipv4", Prefixes(adapter.ipv4)},
                {"ipv6", Prefixes(adapter.ipv6)},
                {"gateways", Addresses(adapter.gateways)},
                {"dnsServers", Addresses(adapter.dnsServers)},
                {"defaultRoute", adapter.carriesDefaultRoute}};
}

}  // namespace

void WriteExtendedJson(const ExtendedFacts& facts, Json& value) {
    const SystemRelease& release = facts.release;
    const FirmwareInfo& firmware = facts.firmware;
    Json adapters = Json::array();
    for (const NetworkAdapter& adapter : facts.network.adapters) {
        adapters.push_back(Adapter(adapter));
    }
    Json graphics = Json::array();
    for (const GraphicsAdapter& adapter : facts.graphics) {
        graphics.push_back(Json{{"name", adapter.name},
                                {"driver", OrNull(adapter.driver)},
                                {"driverVersion", OrNull(adapter.driverVersion)}});
    }
    value = Json{
        {"lastBootTime", TimeOrNull(facts.lastBoot)},
        {"upTimeSeconds", OrNull(facts.upTimeSeconds)},
        {"operatingSystem", Json{{"edition", OrNull(release.edition)},
                                 {"distribution", OrNull(release.distribution)},
                                 {"release", OrNull(release.release)},
                                 {"build", OrNull(release.build)},
                                 {"kernel", OrNull(release.kernel)},
                                 {"installDate", TimeOrNull(facts.installed)},
                                 {"systemArchitecture", OrNull(release.systemArchitecture)},
                                 {"programArchitecture", OrNull(release.programArchitecture)}}},
        {"processor", Json{{"brand", OrNull(facts.processor.brand)},
                           {"physicalCores", OrNull(facts.processor.physicalCores)},
                           {"logicalProcessors", OrNull(facts.processor.logicalProcessors)}}},
        {"firmware", Json{{"make", OrNull(firmware.make)},
                          {"model", OrNull(firmware.model)},
                          {"serialNumber", OrNull(firmware.serialNumber)},
                          {"biosVendor", OrNull(firmware.biosVendor)},
                          {"biosVersion", OrNull(firmware.biosVersion)},
                          {"biosDate", DateOrNull(firmware.biosDate)}}},
        {"networkAdapters", std::move(adapters)},
        {"dnsServers", Addresses(facts.network.dnsServers)},
        {"graphicsAdapters", std::move(graphics)},
    };
    WriteDeskJson(facts, value);
}

}  // namespace kolt
