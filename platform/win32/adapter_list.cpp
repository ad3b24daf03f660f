// The IP helper's list of network adapters and the adapter of the default route. Only Win32 code
// here.
#include "platform/win32/adapter_list.h"

#include <cstring>

namespace kolt::win32 {
namespace {

// The adapter list grows between two calls now and then; a few rounds cover that.
constexpr int kAdapterListRounds = 4;

// A destination that only the default route leads to (TEST-NET-1 is never assigned); the route
// to it is looked up, nothing is sent.
constexpr std::uint8_t kFarAddress[4] = {192, 0, 2, 1};

}  // namespace

AdapterList::AdapterList(ULONG family, ULONG flags) {
    ULONG size = 16 * 1024;
    ULONG status = ERROR_BUFFER_OVERFLOW;
    for (int round = 0; round < kAdapterListRounds && status == ERROR_BUFFER_OVERFLOW; ++round) {
        m_buffer.assign(size, 0);
        status =
            GetAdaptersAddresses(family, flags, nullptr,
                                 reinterpret_cast<IP_ADAPTER_ADDRESSES*>(m_buffer.data()), &size);
    }
    if (status != NO_ERROR) {
        m_buffer.clear();
    }
}

const IP_ADAPTER_ADDRESSES* AdapterList::First() const {
    return m_buffer.empty() ? nullptr
                            : reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(m_buffer.data());
}

std::optional<std::uint32_t> DefaultRouteIndex() {
    IPAddr destination = 0;
    std::memcpy(&destination, kFarAddress, sizeof destination);
    DWORD index = 0;
    if (GetBestInterface(destination, &index) != NO_ERROR) {
        return std::nullopt;
    }
    return index;
}

}  // namespace kolt::win32
