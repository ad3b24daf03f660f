// The system's own words for a Windows error code. Only Win32 code here.
#pragma once

#include <windows.h>

#include <string>

namespace kolt::win32 {

// The text FormatMessage gives for `code`, in UTF-8, without the line end and full stop it comes
// with; "error N" where the system has none.
std::string SystemMessage(DWORD code);

}  // namespace kolt::win32
