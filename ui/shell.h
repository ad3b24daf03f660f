// Hands an address to the shell's "open" operation. Only Win32 code here.
#pragma once

#include <windows.h>

#include <string>

namespace kolt::ui {

// The system's default handler for `target` (a web or "mailto:" address, UTF-8) opens it. Whether
// one does is not reported.
void ShellOpen(HWND owner, const std::string& target);

}  // namespace kolt::ui
