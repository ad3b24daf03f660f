// The machine's own IPv4 address on Linux: the resolver's answers for the host name, or, where
// there are none or they are all loopback, the address of the interface that carries the default
// route.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace kolt::linux_backend {

// The interface of the default route in the text of /proc/net/route: a route that is up, with
// destination and mask 0; the lowest metric wins, the first one among equals. nullopt when there
// is none.
std::optional<std::string> ParseDefaultRouteInterface(std::string_view routeTable);

// The machine's own addresses from the resolver's IPv4 answers for its host name (`resolved`, in
// the resolver's order; empty when the name did not resolve, or not within its deadline). Where
// there are none or they are all loopback, the address of the interface that reaches the network
// replaces them (when there is one).
std::vector<Ipv4Address> OwnHostAddresses(std::vector<Ipv4Address> resolved);

}  // namespace kolt::linux_backend
