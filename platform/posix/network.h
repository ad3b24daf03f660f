// The machine's own IPv4 addresses through the POSIX resolver and the interface list. Windows
// resolves its own host name to its adapters' addresses; a POSIX resolver often answers the host
// name with a loopback address instead (Debian maps it to 127.0.1.1), so a backend may then take
// the address from the network interfaces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kolt::posix {

struct InterfaceAddress {
    std::string name;  // "eth0"
    Ipv4Address address;
    bool up = false;
    bool loopback = false;
};

// One entry of the interface list: an interface with one of its addresses, or with none (the
// entry that stands for the interface itself, such as its link-layer address).
struct InterfaceEntry {
    std::string name;
    bool up = false;
    bool loopback = false;
    std::optional<IpPrefix> address;  // IPv4 or IPv6 with its prefix length
};

// Whether the address is in 127.0.0.0/8.
bool IsLoopback(const Ipv4Address& address);

// The address to show when the resolver gave only loopback answers: the first IPv4 address of
// the default route's interface, else of the first interface that is up and not loopback.
std::optional<Ipv4Address> ChooseInterfaceAddress(
    const std::optional<std::string>& defaultRouteInterface,
    const std::vector<InterfaceAddress>& interfaces);

// The resolver's IPv4 answers for `hostName` in its order, each once; empty when the name does
// not resolve.
std::vector<Ipv4Address> ResolveIpv4(const std::string& hostName);

// Every IPv4 address of every interface, in the system's order.
std::vector<InterfaceAddress> Ipv4Interfaces();

// Every entry of the interface list, in the system's order.
std::vector<InterfaceEntry> InterfaceEntries();

// The number of leading one bits of a network mask (its prefix length).
std::uint8_t PrefixLength(const std::uint8_t* mask, std::size_t size);

}  // namespace kolt::posix
