// Putting text on the clipboard. Only Win32 code here.
#pragma once

#include <windows.h>

#include <string_view>

namespace kolt::ui {

// Replaces what the clipboard holds with `utf8` twice over: as Unicode text, and as text in the
// system's 8-bit code page for programs that read only that (characters it cannot spell become
// '?'). `owner` owns the clipboard afterwards. False when the clipboard stayed busy or would not
// take the text; it then holds what it held before or nothing.
bool PutTextOnClipboard(HWND owner, std::string_view utf8);

}  // namespace kolt::ui
