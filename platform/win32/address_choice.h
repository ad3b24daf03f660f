// Which of the host's addresses reaches the network. Windows resolves its own name to every
// adapter's address, virtual ones (Hyper-V, WSL, VPN) often first; the one to report belongs to
// the adapter that carries the default route. No Windows headers: tested on every build.
#pragma once

#include <vector>

#include "platform/platform.h"

namespace kolt::win32 {

// `resolved` with its first address that belongs to the default route's adapter moved to the
// front, the others in their order; unchanged when none belongs to it.
std::vector<Ipv4Address> PreferRouteAdapter(std::vector<Ipv4Address> resolved,
                                            const std::vector<Ipv4Address>& routeAdapter);

}  // namespace kolt::win32
