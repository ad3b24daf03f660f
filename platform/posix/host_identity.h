// The computer name as Windows keeps a NetBIOS name, made from a POSIX host name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kolt::posix {

// The host name's first label (up to the first '.'), upper-cased (ASCII letters), cut to 15
// characters between two characters, never inside one; nullopt when that leaves nothing.
std::optional<std::string> ComputerNameFromHostName(std::string_view hostName);

}  // namespace kolt::posix
