// Only POSIX and Linux code here.
#include "platform/linux/network_adapters.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/common/ipv6_scope.h"
#include "platform/linux/host_address.h"
#include "platform/linux/text_lines.h"
#include "platform/posix/files.h"

namespace kolt::linux_backend {

namespace {

// Route flags as the kernel writes them.
constexpr std::uint64_t kRouteUp = 0x0001;       // RTF_UP
constexpr std::uint64_t kRouteGateway = 0x0002;  // RTF_GATEWAY

// Link types as the kernel numbers them (ARPHRD): Ethernet, and those of interfaces that carry a
// tunnel or a point-to-point link.
constexpr std::uint32_t kLinkEthernet = 1;
constexpr std::uint32_t kTunnelLinkTypes[] = {
    512,    // PPP
    768,    // IPIP
    769,    // IPv6 in IPv6
    776,    // SIT
    778,    // GRE
    823,    // IPv6 GRE
    65534,  // none: tun devices, WireGuard
};

constexpr std::string_view kResolverStub = "127.0.0.53";

// Whether the entry is there; nullopt when the system could not say (a lookup refused or failed,
// as opposed to an entry that is not there).
std::optional<bool> Exists(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, error);
    if (error && status.type() != std::filesystem::file_type::not_found) {
        return std::nullopt;
    }
    return std::filesystem::exists(status);
}

void AddOnce(std::vector<InternetAddress>& addresses, const InternetAddress& address) {
    if (std::find(addresses.begin(), addresses.end(), address) == addresses.end()) {
        addresses.push_back(address);
    }
}

// 32 hexadecimal digits as the kernel writes an IPv6 address in its route table.
std::optional<Ipv6Address> ParseHexIpv6(std::string_view field) {
    if (field.size() != 32) {
        return std::nullopt;
    }
    Ipv6Address address;
    for (std::size_t i = 0; i < address.octets.size(); ++i) {
        const auto octet = ParseUnsigned(field.substr(2 * i, 2), 16);
        if (!octet) {
            return std::nullopt;
        }
        address.octets[i] = static_cast<std::uint8_t>(*octet);
    }
    return address;
}

std::optional<InternetAddress> ParseAddressText(std::string_view text) {
    // A zone ("fe80::1%eth0") names the link, not the address.
    const std::string plain(text.substr(0, text.find('%')));
    Ipv4Address ipv4;
    if (::inet_pton(AF_INET, plain.c_str(), ipv4.octets.data()) == 1) {
        return ipv4;
    }
    Ipv6Address ipv6;
    if (::inet_pton(AF_INET6, plain.c_str(), ipv6.octets.data()) == 1) {
        return ipv6;
    }
    return std::nullopt;
}

bool IsResolverStub(const InternetAddress& address) {
    return address == ParseAddressText(kResolverStub);
}

std::vector<InternetAddress> SystemNameServers(const std::string& root) {
    const auto resolvConf = posix::ReadTextFile((root + "/etc/resolv.conf").c_str());
    std::vector<InternetAddress> servers =
        resolvConf ? ParseNameServers(*resolvConf) : std::vector<InternetAddress>{};
    // systemd-resolved's stub answers locally and keeps the servers it asks in a file of its own.
    if (!servers.empty() && std::all_of(servers.begin(), servers.end(), IsResolverStub)) {
        if (const auto upstream =
                posix::ReadTextFile((root + "/run/systemd/resolve/resolv.conf").c_str())) {
            std::vector<InternetAddress> real = ParseNameServers(*upstream);
            if (!real.empty()) {
                return real;
            }
        }
    }
    return servers;
}

void AddAddress(NetworkAdapter& adapter, const IpPrefix& prefix) {
    if (std::holds_alternative<Ipv4Address>(prefix.address)) {
        adapter.ipv4.push_back(prefix);
    } else if (common::IsGlobalIpv6(std::get<Ipv6Address>(prefix.address))) {
        adapter.ipv6.push_back(prefix);
    }
}

}  // namespace

InterfaceTraits ReadInterfaceTraits(const std::string& interfaceDirectory) {
    InterfaceTraits traits;
    if (const auto type = posix::ReadTextFile((interfaceDirectory + "/type").c_str())) {
        if (const auto number = ParseUnsigned(FirstLine(*type)); number && *number <= 0xFFFFFFFFu) {
            traits.linkType = static_cast<std::uint32_t>(*number);
        }
    }
    if (const auto uevent = posix::ReadTextFile((interfaceDirectory + "/uevent").c_str())) {
        ForEachLine(*uevent, [&traits](std::string_view line) {
            if (line.starts_with("DEVTYPE=")) {
                traits.deviceType = std::string(Trim(line.substr(8)));
            }
        });
    }
    // An entry the system would not say about leaves the traits incomplete: what it would have
    // told is not taken for "absent".
    const auto entry = [&traits, &interfaceDirectory](const char* name) {
        const std::optional<bool> there = Exists(interfaceDirectory + name);
        traits.complete = traits.complete && there.has_value();
        return there.value_or(false);
    };
    traits.wireless = entry("/wireless") || entry("/phy80211") || traits.deviceType == "wlan";
    traits.tunTap = entry("/tun_flags");
    traits.onBus = entry("/device");
    return traits;
}

AdapterKind ClassifyInterface(const InterfaceTraits& traits) {
    if (traits.wireless) {
        return AdapterKind::WiFi;
    }
    const bool tunnelLink =
        traits.linkType && std::find(std::begin(kTunnelLinkTypes), std::end(kTunnelLinkTypes),
                                     *traits.linkType) != std::end(kTunnelLinkTypes);
    if (traits.tunTap || tunnelLink || traits.deviceType == "wireguard") {
        return AdapterKind::Tunnel;
    }
    // Wi-Fi, a tun device and hardware each show by an entry: without every answer, an Ethernet
    // link could be any of them.
    if (traits.linkType == kLinkEthernet && traits.complete) {
        return traits.onBus ? AdapterKind::Ethernet : AdapterKind::Virtual;
    }
    return AdapterKind::Unknown;
}

std::vector<std::uint8_t> ParseHardwareAddress(std::string_view text) {
    text = FirstLine(text);
    std::vector<std::uint8_t> octets;
    while (!text.empty()) {
        const std::size_t colon = text.find(':');
        const auto octet = ParseUnsigned(text.substr(0, colon), 16);
        if (!octet || *octet > 0xFF || (colon != std::string_view::npos && colon > 2)) {
            return {};
        }
        octets.push_back(static_cast<std::uint8_t>(*octet));
        text = colon == std::string_view::npos ? std::string_view{} : text.substr(colon + 1);
    }
    if (std::all_of(octets.begin(), octets.end(), [](std::uint8_t octet) { return octet == 0; })) {
        return {};
    }
    return octets;
}

std::map<std::string, std::vector<InternetAddress>, std::less<>> ParseDefaultGateways(
    std::string_view routeTable, std::string_view ipv6RouteTable) {
    std::map<std::string, std::vector<InternetAddress>, std::less<>> gateways;
    bool header = true;
    ForEachLine(routeTable, [&](std::string_view line) {
        if (header) {  // "Iface Destination Gateway Flags RefCnt Use Metric Mask ..."
            header = false;
            return;
        }
        const std::string_view iface = NextField(line);
        const auto destination = ParseUnsigned(NextField(line), 16);
        const auto gateway = ParseUnsigned(NextField(line), 16);
        const auto flags = ParseUnsigned(NextField(line), 16);
        NextField(line);  // reference count
        NextField(line);  // use
        NextField(line);  // metric
        const auto mask = ParseUnsigned(NextField(line), 16);
        if (iface.empty() || !destination || !gateway || !flags || !mask || *destination != 0 ||
            *mask != 0 || (*flags & (kRouteUp | kRouteGateway)) != (kRouteUp | kRouteGateway) ||
            *gateway > 0xFFFFFFFFu) {
            return;
        }
        // The kernel prints the address's four bytes as one number in the machine's own order.
        const auto raw = static_cast<std::uint32_t>(*gateway);
        Ipv4Address address;
        std::memcpy(address.octets.data(), &raw, address.octets.size());
        AddOnce(gateways[std::string(iface)], address);
    });
    ForEachLine(ipv6RouteTable, [&](std::string_view line) {
        // destination, its prefix length, source, its prefix length, next hop, metric,
        // reference count, use, flags, interface
        const auto destination = ParseHexIpv6(NextField(line));
        const auto prefixLength = ParseUnsigned(NextField(line), 16);
        NextField(line);
        NextField(line);
        const auto nextHop = ParseHexIpv6(NextField(line));
        NextField(line);
        NextField(line);
        NextField(line);
        const auto flags = ParseUnsigned(NextField(line), 16);
        const std::string_view iface = NextField(line);
        if (!destination || !prefixLength || !nextHop || !flags || iface.empty() ||
            *destination != Ipv6Address{} || *prefixLength != 0 ||
            (*flags & (kRouteUp | kRouteGateway)) != (kRouteUp | kRouteGateway)) {
            return;
        }
        AddOnce(gateways[std::string(iface)], *nextHop);
    });
    return gateways;
}

std::vector<InternetAddress> ParseNameServers(std::string_view resolvConf) {
    std::vector<InternetAddress> servers;
    ForEachLine(resolvConf, [&servers](std::string_view line) {
        if (NextField(line) != "nameserver") {
            return;
        }
        if (const auto address = ParseAddressText(NextField(line))) {
            AddOnce(servers, *address);
        }
    });
    return servers;
}

NetworkInfo ReadNetwork(const std::string& root,
                        const std::vector<posix::InterfaceEntry>& entries) {
    NetworkInfo network;
    const auto routes = posix::ReadTextFile((root + "/proc/net/route").c_str());
    const auto ipv6Routes = posix::ReadTextFile((root + "/proc/net/ipv6_route").c_str());
    const auto gateways = ParseDefaultGateways(routes.value_or(""), ipv6Routes.value_or(""));
    const std::optional<std::string> defaultRoute =
        routes ? ParseDefaultRouteInterface(*routes) : std::nullopt;

    for (const posix::InterfaceEntry& entry : entries) {
        if (!entry.up || entry.loopback) {
            continue;
        }
        auto adapter =
            std::find_if(network.adapters.begin(), network.adapters.end(),
                         [&entry](const auto& known) { return known.name == entry.name; });
        if (adapter == network.adapters.end()) {
            NetworkAdapter added;
            added.name = entry.name;
            const std::string directory = root + "/sys/class/net/" + entry.name;
            added.kind = ClassifyInterface(ReadInterfaceTraits(directory));
            if (const auto text = posix::ReadTextFile((directory + "/address").c_str())) {
                added.hardwareAddress = ParseHardwareAddress(*text);
            }
            if (const auto found = gateways.find(entry.name); found != gateways.end()) {
                added.gateways = found->second;
            }
            added.carriesDefaultRoute = defaultRoute == entry.name;
            network.adapters.push_back(std::move(added));
            adapter = network.adapters.end() - 1;
        }
        if (entry.address) {
            AddAddress(*adapter, *entry.address);
        }
    }
    network.dnsServers = SystemNameServers(root);
    return network;
}

}  // namespace kolt::linux_backend
