// Which network adapters the report lists on Windows and of what kind: pure functions over the
// values the adapter list gives, tested with recorded answers. No Windows headers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace kolt::win32 {

// Interface types as the adapter list numbers them.
namespace interface_type {
inline constexpr std::uint32_t kEthernet = 6;
inline constexpr std::uint32_t kPpp = 23;
inline constexpr std::uint32_t kSoftwareLoopback = 24;
inline constexpr std::uint32_t kPropVirtual = 53;
inline constexpr std::uint32_t kWiFi = 71;
inline constexpr std::uint32_t kTunnel = 131;
}  // namespace interface_type

// One adapter as the adapter list describes it.
struct AdapterRecord {
    std::string name;         // the friendly name, "Ethernet 2"
    std::string description;  // the driver's, "Intel(R) Ethernet Connection I219-V"
    std::uint32_t interfaceType = 0;
    bool up = false;                        // operational status up
    std::optional<bool> hardwareInterface;  // the interface's own flag; nullopt when not asked
    std::uint32_t ipv4Index = 0;            // 0 when it has no IPv4
    std::vector<std::uint8_t> hardwareAddress;
    std::vector<IpPrefix> addresses;  // unicast, both families
    std::vector<InternetAddress> gateways;
    std::vector<InternetAddress> dnsServers;
};

// Wi-Fi for 802.11; Tunnel for tunnels, PPP and proprietary virtual links, and for adapters whose
// driver calls itself a VPN, TAP-Windows, Wintun or WireGuard; for Ethernet, Virtual when the
// interface says it is no hardware (Hyper-V, VirtualBox) and Ethernet otherwise; Unknown else.
AdapterKind ClassifyAdapter(const AdapterRecord& record);

// The adapters that are up and not loopback, in the list's order, with IPv4 before IPv6 among
// gateways, global IPv6 addresses only, and the default route's adapter marked by its IPv4
// interface index (`defaultRouteIndex`; nullopt when there is no default route).
NetworkInfo NetworkFromRecords(const std::vector<AdapterRecord>& records,
                               std::optional<std::uint32_t> defaultRouteIndex);

}  // namespace kolt::win32
