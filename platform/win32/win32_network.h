// The machine's own addresses through Windows Sockets and the IP helper. Only Win32 code here.
#pragma once

#include <vector>

#include "platform/platform.h"

namespace kolt::win32 {

// The IPv4 addresses the local host name resolves to, in the resolver's order; empty when the
// sockets library does not start, the name cannot be read or it does not resolve. A name that is
// a number is not resolved (the resolver would read it as an address of no adapter): the default
// route's adapter's addresses stand for it.
std::vector<Ipv4Address> ResolveOwnHostAddresses();

// The IPv4 addresses of the adapter that carries the default route; empty when there is none.
std::vector<Ipv4Address> DefaultRouteAdapterAddresses();

}  // namespace kolt::win32
