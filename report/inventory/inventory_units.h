// The units and text forms the inventory document writes its values in: whole megabytes and
// megahertz, the firmware's date as MM/DD/YYYY, network masks dotted, the device identifier's
// moment as YYYY-MM-DD-HH-MM-SS.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace kolt {

// Whole megabytes (2^20 bytes) a drive holds in full: rounded down, so free space is never
// overstated.
std::uint64_t WholeMegabytes(std::uint64_t bytes);

// The nearest whole megahertz; 0 for a clock that measured nothing (or nothing finite).
std::uint64_t WholeMegahertz(double megahertz);

// "06/21/2024".
std::string FirmwareDateText(const CalendarDate& date);

// The IPv4 mask of a prefix length, "255.255.255.0" for 24; lengths beyond 32 count as 32.
Ipv4Address Ipv4Mask(std::uint8_t prefixLength);

// The network an address belongs to: the address with the bits beyond the prefix cleared.
Ipv4Address Ipv4Network(const Ipv4Address& address, std::uint8_t prefixLength);

// A moment in UTC, seconds since 1970, as "2026-12-07-13-44-58". Moments before 1970 or after
// 9999 are held to those years' ends, so the text keeps four digits for the year.
std::string DeviceIdMomentText(std::int64_t secondsSince1970);

}  // namespace kolt
