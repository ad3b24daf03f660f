// The machine's own IPv4 address.
#include <string>
#include <vector>

#include "report/report_lines.h"
#include "report/system_report.h"

namespace kolt {

std::optional<Ipv4Address> CSystemReport::QueryIpAddress() {
    // One address: the one the platform puts first, the one that reaches the network.
    const std::vector<Ipv4Address> addresses = m_platform.OwnHostAddresses();
    if (addresses.empty()) {
        return std::nullopt;
    }
    return addresses.front();
}

std::string& CSystemReport::AppendIpAddress(std::string& report) {
    // None (the name unread or unresolved) leaves the value empty.
    std::string address;
    if (const std::optional<Ipv4Address> found = QueryIpAddress()) {
        const auto& octets = found->octets;
        address = std::to_string(octets[0]) + "." + std::to_string(octets[1]) + "." +
                  std::to_string(octets[2]) + "." + std::to_string(octets[3]);
    }
    std::string text;
    report_lines::AppendLine(text, "  IP Address      : ", address);
    return report.append(text);
}

}  // namespace kolt
