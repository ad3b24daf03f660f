// The machine's own IPv4 address.
#include <string>
#include <vector>

#include "report/report_lines.h"
#include "report/section_text.h"
#include "report/system_report.h"

namespace kolt {

std::string DottedAddress(const Ipv4Address& address) {
    const auto& octets = address.octets;
    return std::to_string(octets[0]) + "." + std::to_string(octets[1]) + "." +
           std::to_string(octets[2]) + "." + std::to_string(octets[3]);
}

IpAddressFacts CSystemReport::GatherIpAddress() {
    // One address: the one the platform puts first, the one that reaches the network.
    const std::vector<Ipv4Address> addresses = m_platform.OwnHostAddresses();
    if (addresses.empty()) {
        return IpAddressFacts{std::nullopt};
    }
    return IpAddressFacts{addresses.front()};
}

void AppendIpAddressText(const IpAddressFacts& facts, std::string& report) {
    // None (the name unread or unresolved) leaves the value empty.
    report_lines::AppendLine(report, "  IP Address      : ",
                             facts.address ? DottedAddress(*facts.address) : std::string());
}

std::string& CSystemReport::AppendIpAddress(std::string& report) {
    AppendIpAddressText(GatherIpAddress(), report);
    return report;
}

}  // namespace kolt
