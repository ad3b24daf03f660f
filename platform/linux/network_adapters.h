// The network adapters on Linux: the interface list for names and addresses, sysfs for each
// interface's kind and hardware address, the kernel's route tables for gateways and the default
// route, and the resolver's configuration for the name servers.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/network.h"

namespace kolt::linux_backend {

// What sysfs says of one interface (/sys/class/net/<name>).
struct InterfaceTraits {
    std::optional<std::uint32_t> linkType;  // `type`: the ARPHRD number, 1 for Ethernet
    bool wireless = false;                  // a `wireless` or `phy80211` entry, or DEVTYPE=wlan
    bool tunTap = false;                    // a `tun_flags` entry: a tun or tap device
    bool onBus = false;                     // a `device` entry: hardware, not made by software
    std::string deviceType;                 // DEVTYPE of `uevent`: "bridge", "wireguard", ...
    bool complete = true;  // false where the system would not say whether an entry is there
};

InterfaceTraits ReadInterfaceTraits(const std::string& interfaceDirectory);

// Wi-Fi for wireless interfaces; Tunnel for tun and tap devices, point-to-point links, IP
// tunnels and WireGuard; Ethernet for Ethernet hardware; Virtual for Ethernet made by software
// (bridges, veth pairs, bonds); Unknown otherwise, and for an Ethernet link whose entries the
// system would not all tell.
AdapterKind ClassifyInterface(const InterfaceTraits& traits);

// A hardware address as sysfs writes it ("02:fc:00:00:00:01"); empty for none, all zeros, or text
// that is not one.
std::vector<std::uint8_t> ParseHardwareAddress(std::string_view text);

// The gateways of default routes that are up, by interface: IPv4 from the text of
// /proc/net/route, then IPv6 from /proc/net/ipv6_route.
std::map<std::string, std::vector<InternetAddress>, std::less<>> ParseDefaultGateways(
    std::string_view routeTable, std::string_view ipv6RouteTable);

// The name servers of a resolv.conf text, in its order, each once.
std::vector<InternetAddress> ParseNameServers(std::string_view resolvConf);

// The adapters that are up and not loopback, from the interface list's `entries` (IPv6 addresses
// of global scope only), with the files read under `root` ("" for the machine itself). The
// system's name servers (resolv.conf; systemd-resolved's list of the real servers where the file
// names only its local stub) belong to no one adapter.
NetworkInfo ReadNetwork(const std::string& root, const std::vector<posix::InterfaceEntry>& entries);

}  // namespace kolt::linux_backend
