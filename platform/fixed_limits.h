// The backends' fixed areas, each written once. Every area counts characters as Windows' wide
// areas do (UTF-16 code units) with the terminating NUL included. A text that does not fit an
// area is treated as the program always treated it: as none.
#pragma once

#include <cstddef>

namespace kolt::limits {

// Each text the report reads from the Windows registry (product name, versions, processor): 63
// characters; a longer value counts as unreadable.
inline constexpr std::size_t kRegistryValueArea = 64;
// The host name Windows gives the resolver: 255 characters, as the 8-bit call is offered 255
// bytes; the last unit stays a terminator whatever the system writes.
inline constexpr std::size_t kHostNameArea = 256;

}  // namespace kolt::limits
