// The machine's own IPv4 address. Windows resolves its own host name to its adapters' addresses;
// a Linux resolver often answers the host name with a loopback address instead (Debian maps it
// to 127.0.1.1), so then the address is taken from the network interfaces.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace kolt::posix {

struct InterfaceAddress {
    std::string name;  // "eth0"
    Ipv4Address address;
    bool up = false;
    bool loopback = false;
};

// Whether the address is in 127.0.0.0/8.
bool IsLoopback(const Ipv4Address& address);

// The interface of the default route in the text of /proc/net/route: a route that is up, with
// destination and mask 0; the lowest metric wins, the first one among equals. nullopt when there
// is none.
std::optional<std::string> ParseDefaultRouteInterface(std::string_view routeTable);

// The address to show when the resolver gave only loopback answers: the first IPv4 address of
// the default route's interface, else of the first interface that is up and not loopback.
std::optional<Ipv4Address> ChooseInterfaceAddress(
    const std::optional<std::string>& defaultRouteInterface,
    const std::vector<InterfaceAddress>& interfaces);

// The resolver's IPv4 answers for `hostName` in its order, each once; where they are all
// loopback, the interface address above replaces them (when there is one). Empty when the name
// does not resolve.
std::vector<Ipv4Address> QueryOwnHostAddresses(const std::string& hostName);

}  // namespace kolt::posix
