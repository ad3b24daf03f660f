// The machine's own IPv4 address on Linux: the resolver's answers for the host name, or, where
// they are all loopback, the address of the interface that carries the default route.
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

// The resolver's IPv4 answers for `hostName` in its order, each once; where they are all
// loopback, the interface address that reaches the network replaces them (when there is one).
// A numeric host name (see IsNumericHostName) is not resolved and gets that interface address
// too. Empty when the name does not resolve.
std::vector<Ipv4Address> OwnHostAddresses(const std::string& hostName);

}  // namespace kolt::linux_backend
