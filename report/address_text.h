// Addresses as the report writes them: IPv4 dotted, IPv6 in its shortest form, hardware addresses
// as six (or more) hexadecimal pairs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kolt {

// "192.0.2.1".
std::string Ipv4Text(const Ipv4Address& address);

// The recommended text form: lower-case hexadecimal without leading zeros, the longest run of
// two or more zero groups (the first of equal runs) written as "::" ("2001:db8::1", "fe80::1").
std::string Ipv6Text(const Ipv6Address& address);

std::string IpText(const InternetAddress& address);

// "192.0.2.2/24", "2001:db8::20/64".
std::string IpPrefixText(const IpPrefix& prefix);

// "00-1A-2B-3C-4D-5E", as Windows writes a physical address.
std::string HardwareAddressText(const std::vector<std::uint8_t>& octets);

}  // namespace kolt
