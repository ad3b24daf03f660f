// The console program's fixed areas and widths, each written once. An area counts characters as
// Windows' wide areas do (UTF-16 code units) with the terminating NUL included.
#pragma once

#include <cstddef>

namespace kolt::limits {

// The current directory the console program finds its selection file in; a longer one means the
// file is named relative to the current directory.
inline constexpr std::size_t kConsoleDirectoryArea = 1024;
// How much of each argument the console program does not know its warning shows.
inline constexpr std::size_t kArgumentCharactersShown = 80;

}  // namespace kolt::limits
