// The network adapters through the IP helper. Only Win32 code here.
#pragma once

#include "platform/platform.h"

namespace kolt::win32 {

// The adapters that are up and not loopback, with their addresses, gateways and name servers,
// and which one carries the default route.
NetworkInfo ReadNetworkAdapters();

}  // namespace kolt::win32
