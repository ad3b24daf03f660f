// The programs' fixed areas and widths, each written once. Every area counts characters as
// Windows' wide areas do (UTF-16 code units) with the terminating NUL included, so an ASCII text
// fits exactly as it did in bytes, and a name in another script fits as it does on Windows. A
// text that does not fit an area is treated as the program always treated it: as none.
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
// The current directory the dialog program finds its selection file in; a longer one means the
// file is named relative to the current directory.
inline constexpr std::size_t kDialogDirectoryArea = 260;
// The same for the console program.
inline constexpr std::size_t kConsoleDirectoryArea = 1024;
// Each text the report reads from the Windows registry (product name, versions, processor): 63
// characters; a longer value counts as unreadable.
inline constexpr std::size_t kRegistryValueArea = 64;
// The host name Windows gives the resolver: 255 characters, as the 8-bit call is offered 255
// bytes; the last unit stays a terminator whatever the system writes.
inline constexpr std::size_t kHostNameArea = 256;
// The most characters of one printed row; a longer report line goes on over the following rows.
inline constexpr std::size_t kPrintedRowCharacters = 80;
// How much of each argument the console program does not know its warning shows.
inline constexpr std::size_t kArgumentCharactersShown = 80;

}  // namespace kolt::limits
