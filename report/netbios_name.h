// The computer name the report and the report file's name use: the NetBIOS-style name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kolt {

// A NetBIOS-style name made from a host name, as Windows makes one: the first label (up to the
// first '.'), upper-cased (ASCII letters), cut to 15 characters between two characters, never
// inside one; nullopt when that leaves nothing.
std::optional<std::string> NetbiosNameFromHostName(std::string_view hostName);

// The NetBIOS name the system keeps, whole; else the one made from its host name; nullopt when
// the system gives neither.
std::optional<std::string> NetbiosStyleName(const ComputerNameInfo& names);

}  // namespace kolt
