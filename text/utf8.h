// Measures and cuts of UTF-8 text that never split a character. Text inside the programs is
// UTF-8; the limits the report applies to names and directories count UTF-16 code units, as the
// wide areas Windows fills hold them. Portable: standard library only.
#pragma once

#include <cstddef>
#include <string_view>

namespace kolt::text {

// One character at the start of a text: its code point and how many bytes it takes.
struct Utf8Character {
    char32_t codePoint = 0;
    std::size_t length = 0;  // 0 only for an empty text
    bool valid = false;      // false: a byte that begins no character, taken alone
};

// The character `text` begins with. A well-formed sequence of up to four bytes gives its code
// point; the three-byte form of a surrogate (U+D800 to U+DFFF), which is how a lone surrogate
// of a Windows text is kept, counts as well-formed too. Any other byte is one invalid
// character of its own, so stepping through a text never stalls and never splits a character.
Utf8Character DecodeUtf8Character(std::string_view text);

// How many UTF-16 code units the text takes: two for a character beyond U+FFFF, one for any
// other character and for each invalid byte. Equal to the byte count for ASCII.
std::size_t Utf16Length(std::string_view text);

// The longest start of `text` that ends between two characters and takes at most `maxUnits`
// UTF-16 code units.
std::string_view Utf16LimitedPrefix(std::string_view text, std::size_t maxUnits);

}  // namespace kolt::text
