// The dialog program's fixed areas and widths, each written once. An area counts characters as
// Windows' wide areas do (UTF-16 code units) with the terminating NUL included.
#pragma once

#include <cstddef>

namespace kolt::limits {

// The current directory the dialog program finds its selection file in; a longer one means the
// file is named relative to the current directory.
inline constexpr std::size_t kDialogDirectoryArea = 260;
// The most characters of one printed row; a longer report line goes on over the following rows.
inline constexpr std::size_t kPrintedRowCharacters = 80;

}  // namespace kolt::limits
