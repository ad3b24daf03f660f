// Conversion between the programs' UTF-8 text and the UTF-16 text of Windows' wide ("W")
// functions, in one place for the backend and the dialog layer. Each wchar_t of a wide string
// holds one UTF-16 code unit, as on Windows; elsewhere (the native tests) the wider wchar_t
// simply holds the same values. Portable: standard library only.
//
// Nothing is lost either way. A lone surrogate, which Windows allows in names and paths, becomes
// the three-byte form of its code point (as in WTF-8) and converts back to the same unit, so a
// folder with such a name is still found; such bytes are not valid UTF-8, and the JSON form
// writes them as U+FFFD like any other invalid byte. A byte that begins no UTF-8 character
// becomes U+FFFD in the wide text.
#pragma once

#include <string>
#include <string_view>

namespace kolt::text {

std::wstring Utf16FromUtf8(std::string_view utf8);

std::string Utf8FromUtf16(std::wstring_view utf16);

}  // namespace kolt::text
