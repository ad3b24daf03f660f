// The report's fixed areas, each written once. An area counts characters as Windows' wide areas
// do (UTF-16 code units) with the terminating NUL included, so an ASCII text fits exactly as it
// did in bytes, and a name in another script fits as it does on Windows. A text that does not
// fit its area is treated as the report always treated it: as none.
#pragma once

#include <cstddef>

namespace kolt::limits {

// The report's computer name: a NetBIOS name of 15 characters; a longer one shows "Unknown".
inline constexpr std::size_t kComputerNameArea = 16;
// The characters of a computer name made from a longer host name (the NetBIOS name's length).
inline constexpr std::size_t kComputerNameCharacters = kComputerNameArea - 1;
// The report's user name: 256 characters, the longest account name; a longer one shows "Unknown".
inline constexpr std::size_t kUserNameArea = 257;
// The computer name in the report file's name; a longer one leaves that part of the name empty.
inline constexpr std::size_t kFileNameComputerNameArea = 80;

}  // namespace kolt::limits
