// Which IPv6 addresses the report lists for an adapter: those of global scope.
#pragma once

#include "platform/platform.h"

namespace kolt::common {

// Whether an IPv6 address has global scope: not unspecified, loopback, link-local, site-local or
// multicast (unique local addresses count, as systems scope them global).
bool IsGlobalIpv6(const Ipv6Address& address);

}  // namespace kolt::common
