#include "report/address_text.h"

#include <cstddef>
#include <cstdio>

namespace kolt {

std::string Ipv4Text(const Ipv4Address& address) {
    const auto& octets = address.octets;
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", unsigned{octets[0]}, unsigned{octets[1]},
                  unsigned{octets[2]}, unsigned{octets[3]});
    return text;
}

std::string Ipv6Text(const Ipv6Address& address) {
    constexpr std::size_t kGroups = 8;
    unsigned groups[kGroups];
    for (std::size_t i = 0; i < kGroups; ++i) {
        groups[i] = static_cast<unsigned>(address.octets[2 * i] << 8 | address.octets[2 * i + 1]);
    }
    // The longest run of zero groups, two at least; the first of runs of equal length.
    std::size_t bestStart = kGroups;
    std::size_t bestLength = 1;
    for (std::size_t start = 0; start < kGroups;) {
        std::size_t end = start;
        while (end < kGroups && groups[end] == 0) {
            ++end;
        }
        if (end - start > bestLength) {
            bestStart = start;
            bestLength = end - start;
        }
        start = end == start ? start + 1 : end;
    }
    std::string text;
    for (std::size_t i = 0; i < kGroups; ++i) {
        if (i == bestStart) {
            text += "::";
            i += bestLength - 1;
            continue;
        }
        if (!text.empty() && text.back() != ':') {
            text += ':';
        }
        char group[8];
        std::snprintf(group, sizeof group, "%x", groups[i]);
        text += group;
    }
    return text;
}

std::string IpText(const InternetAddress& address) {
    if (const auto* ipv4 = std::get_if<Ipv4Address>(&address)) {
        return Ipv4Text(*ipv4);
    }
    return Ipv6Text(std::get<Ipv6Address>(address));
}

std::string IpPrefixText(const IpPrefix& prefix) {
    std::string text = IpText(prefix.address);
    text += '/';
    text += std::to_string(prefix.prefixLength);
    return text;
}

std::string HardwareAddressText(const std::vector<std::uint8_t>& octets) {
    std::string text;
    for (const std::uint8_t octet : octets) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned>(octet));
        if (!text.empty()) {
            text += '-';
        }
        text += pair;
    }
    return text;
}

}  // namespace kolt
