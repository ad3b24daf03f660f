// The machine's own IPv4 address.
#include <string>
#include <vector>

#include "report/report_lines.h"
#include "report/system_report.h"

namespace kolt {

std::string& CSystemReport::AppendIpAddress(std::string& report) {
    // Only the first address counts; none (the name unread or unresolved) leaves the value empty.
    const std::vector<Ipv4Address> addresses = m_platform.OwnHostAddresses();
    std::string address;
    if (!addresses.empty()) {
        const auto& octets = addresses.front().octets;
        address = std::to_string(octets[0]) + "." + std::to_string(octets[1]) + "." +
                  std::to_string(octets[2]) + "." + std::to_string(octets[3]);
    }
    std::string text;
    report_lines::AppendLine(text, "  IP Address      : ", address);
    return report.append(text);
}

}  // namespace kolt
