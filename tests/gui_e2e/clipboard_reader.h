// What the clipboard holds, read as any program that pastes reads it.
#pragma once

#include <optional>
#include <string>

namespace kolt::e2e {

// The clipboard's Unicode text (CF_UNICODETEXT) in UTF-8; nothing when it holds none.
std::optional<std::string> ClipboardUnicodeText();

// The clipboard's 8-bit text (CF_TEXT) as its bytes; nothing when it holds none.
std::optional<std::string> ClipboardAnsiText();

// Leaves the clipboard empty; throws when it stays busy.
void EmptyClipboardNow();

}  // namespace kolt::e2e
