// The IP helper's list of network adapters and the adapter of the default route. Only Win32 code
// here.
#pragma once

#include <winsock2.h>
// After winsock2.h, and in this order: the interface-row declarations of the IP helper need the
// IP definitions that ws2tcpip.h brings.
#include <ws2tcpip.h>

#include <iphlpapi.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace kolt::win32 {

// The adapters GetAdaptersAddresses lists for one address family, linked in one buffer that this
// object owns; none when the list cannot be read.
class AdapterList {
public:
    AdapterList(ULONG family, ULONG flags);

    // The first adapter, each linking to the next; null when there is none.
    const IP_ADAPTER_ADDRESSES* First() const;

private:
    std::vector<unsigned char> m_buffer;
};

// The interface index of the adapter that carries the default route; nullopt when there is none.
std::optional<std::uint32_t> DefaultRouteIndex();

}  // namespace kolt::win32
