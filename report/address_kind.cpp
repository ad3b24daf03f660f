#include "report/address_kind.h"

#include <algorithm>

namespace kolt {

namespace {

AddressKind KindOfV4(const Ipv4Address& address) {
    const auto& o = address.octets;
    if (o[0] == 127) {
        return AddressKind::Loopback;
    }
    if (o == std::array<std::uint8_t, 4>{}) {
        return AddressKind::Unspecified;
    }
    if (o[0] == 169 && o[1] == 254) {
        return AddressKind::LinkLocal;
    }
    const bool rfc1918 =
        o[0] == 10 || (o[0] == 172 && (o[1] & 0xF0) == 16) || (o[0] == 192 && o[1] == 168);
    const bool shared = o[0] == 100 && (o[1] & 0xC0) == 64;
    return rfc1918 || shared ? AddressKind::Private : AddressKind::Public;
}

AddressKind KindOfV6(const Ipv6Address& address) {
    const auto& o = address.octets;
    const bool zeroUpTo15 =
        std::all_of(o.begin(), o.end() - 1, [](std::uint8_t b) { return b == 0; });
    if (zeroUpTo15 && o[15] == 1) {
        return AddressKind::Loopback;
    }
    if (zeroUpTo15 && o[15] == 0) {
        return AddressKind::Unspecified;
    }
    // An IPv4 address written as IPv6 (::ffff:a.b.c.d) is of its IPv4 address's kind.
    const bool mapped =
        std::all_of(o.begin(), o.begin() + 10, [](std::uint8_t b) { return b == 0; }) &&
        o[10] == 0xFF && o[11] == 0xFF;
    if (mapped) {
        return KindOfV4(Ipv4Address{{o[12], o[13], o[14], o[15]}});
    }
    if (o[0] == 0xFE && (o[1] & 0xC0) == 0x80) {
        return AddressKind::LinkLocal;
    }
    if ((o[0] & 0xFE) == 0xFC) {
        return AddressKind::Private;
    }
    return AddressKind::Public;
}

}  // namespace

AddressKind KindOf(const InternetAddress& address) {
    if (const auto* v4 = std::get_if<Ipv4Address>(&address)) {
        return KindOfV4(*v4);
    }
    return KindOfV6(std::get<Ipv6Address>(address));
}

}  // namespace kolt
