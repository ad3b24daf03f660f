// No Windows headers here: these rules build and are tested on every platform.
#include "platform/win32/adapter_rules.h"

#include <algorithm>
#include <array>

#include "platform/common/ipv6_scope.h"

namespace kolt::win32 {

namespace {

// What VPN drivers call themselves in their adapters' descriptions.
constexpr std::array<std::string_view, 5> kVpnDriverWords = {"VPN", "TAP-Windows", "Wintun",
                                                             "WireGuard", "OpenVPN"};

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool ContainsIgnoringCase(std::string_view text, std::string_view word) {
    return std::search(text.begin(), text.end(), word.begin(), word.end(),
                       [](char a, char b) { return AsciiLower(a) == AsciiLower(b); }) != text.end();
}

}  // namespace

AdapterKind ClassifyAdapter(const AdapterRecord& record) {
    switch (record.interfaceType) {
        case interface_type::kWiFi:
            return AdapterKind::WiFi;
        case interface_type::kTunnel:
        case interface_type::kPpp:
        case interface_type::kPropVirtual:
            return AdapterKind::Tunnel;
        default:
            break;
    }
    const bool vpnDriver = std::any_of(
        kVpnDriverWords.begin(), kVpnDriverWords.end(),
        [&](std::string_view word) { return ContainsIgnoringCase(record.description, word); });
    if (vpnDriver) {
        return AdapterKind::Tunnel;
    }
    if (record.interfaceType == interface_type::kEthernet) {
        return record.hardwareInterface == false ? AdapterKind::Virtual : AdapterKind::Ethernet;
    }
    return AdapterKind::Unknown;
}

NetworkInfo NetworkFromRecords(const std::vector<AdapterRecord>& records,
                               std::optional<std::uint32_t> defaultRouteIndex) {
    NetworkInfo network;
    for (const AdapterRecord& record : records) {
        if (!record.up || record.interfaceType == interface_type::kSoftwareLoopback) {
            continue;
        }
        NetworkAdapter adapter;
        adapter.name = record.name;
        adapter.kind = ClassifyAdapter(record);
        adapter.hardwareAddress = record.hardwareAddress;
        if (std::all_of(adapter.hardwareAddress.begin(), adapter.hardwareAddress.end(),
                        [](std::uint8_t octet) { return octet == 0; })) {
            adapter.hardwareAddress.clear();
        }
        for (const IpPrefix& prefix : record.addresses) {
            if (std::holds_alternative<Ipv4Address>(prefix.address)) {
                adapter.ipv4.push_back(prefix);
            } else if (common::IsGlobalIpv6(std::get<Ipv6Address>(prefix.address))) {
                adapter.ipv6.push_back(prefix);
            }
        }
        adapter.gateways = record.gateways;
        std::stable_partition(adapter.gateways.begin(), adapter.gateways.end(),
                              [](const InternetAddress& address) {
                                  return std::holds_alternative<Ipv4Address>(address);
                              });
        adapter.dnsServers = record.dnsServers;
        adapter.carriesDefaultRoute =
            defaultRouteIndex && record.ipv4Index != 0 && record.ipv4Index == *defaultRouteIndex;
        network.adapters.push_back(std::move(adapter));
    }
    return network;
}

}  // namespace kolt::win32
