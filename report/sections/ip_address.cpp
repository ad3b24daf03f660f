#include "report/sections/ip_address.h"

#include <vector>

#include <nlohmann/json.hpp>

#include "report/report_lines.h"

namespace kolt {

IpAddressFacts GatherIpAddress(GatherContext& context) {
    // One address: the one the platform puts first, the one that reaches the network.
    const HostAddresses own = context.platform.OwnHostAddresses();
    if (own.addresses.empty()) {
        return IpAddressFacts{std::nullopt, own.resolvedInTime};
    }
    return IpAddressFacts{own.addresses.front(), own.resolvedInTime};
}

std::string DottedAddress(const Ipv4Address& address) {
    const auto& octets = address.octets;
    return std::to_string(octets[0]) + "." + std::to_string(octets[1]) + "." +
           std::to_string(octets[2]) + "." + std::to_string(octets[3]);
}

void AppendIpAddressText(const IpAddressFacts& facts, std::string& report) {
    report_lines::AppendLine(report, "  IP Address      : ",
                             facts.address ? DottedAddress(*facts.address) : std::string());
}

void WriteIpAddressJson(const IpAddressFacts& facts, Json& value) {
    value = facts.address ? Json(DottedAddress(*facts.address)) : Json(nullptr);
}

}  // namespace kolt
