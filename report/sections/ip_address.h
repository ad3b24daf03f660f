// The IP Address line: the machine's own IPv4 address.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"
#include "report/gather_context.h"
#include "report/json_value.h"

namespace kolt {

struct IpAddressFacts {
    std::optional<Ipv4Address> address;  // nullopt: the host name unread or unresolved
    // False when the resolver gave no answer for the computer's own name within its deadline.
    bool nameResolvedInTime = true;
};

IpAddressFacts GatherIpAddress(GatherContext& context);

// "192.0.2.7": the address as both forms write it.
std::string DottedAddress(const Ipv4Address& address);

// No address leaves the line's value empty; JSON writes null.
void AppendIpAddressText(const IpAddressFacts& facts, std::string& report);
void WriteIpAddressJson(const IpAddressFacts& facts, Json& value);

}  // namespace kolt
