// The computer name as Windows keeps a NetBIOS name, made from a POSIX host name.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kolt::posix {

// At most 15 characters, as a NetBIOS name holds.
inline constexpr std::size_t kComputerNameLength = 15;

// The host name's first label (up to the first '.'), upper-cased, cut to 15 characters; nullopt
// when that leaves nothing.
std::optional<std::string> ComputerNameFromHostName(std::string_view hostName);

}  // namespace kolt::posix
