#include "platform/common/ipv6_scope.h"

#include <algorithm>

namespace kolt::common {

bool IsGlobalIpv6(const Ipv6Address& address) {
    const auto& octets = address.octets;
    const bool unspecifiedOrLoopback = std::all_of(octets.begin(), octets.end() - 1,
                                                   [](std::uint8_t octet) { return octet == 0; }) &&
                                       octets.back() <= 1;
    const bool linkOrSiteLocal = octets[0] == 0xFE && (octets[1] & 0x80) != 0;  // fe80::/9
    const bool multicast = octets[0] == 0xFF;
    return !unspecifiedOrLoopback && !linkOrSiteLocal && !multicast;
}

}  // namespace kolt::common
