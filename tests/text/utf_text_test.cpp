#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "text/utf16.h"
#include "text/utf8.h"

namespace kolt::text {
namespace {

// Texts as both forms spell them, unit for unit: each converts exactly into the other.
TEST(Utf16Conversion, WellFormedTextsConvertBothWays) {
    const struct {
        const char* what;
        std::string utf8;
        std::wstring utf16;
    } cases[] = {
        {"ASCII", "DESK042 \\ C:", L"DESK042 \\ C:"},
        {"empty", "", L""},
        {"two-byte characters",
         "J\xC3\xBCrgen \xC5\x81ukasz",
         {L'J', 0xFC, L'r', L'g', L'e', L'n', L' ', 0x141, L'u', L'k', L'a', L's', L'z'}},
        {"three-byte characters", "\xE7\x8E\x8B\xE4\xBC\x9F", {0x738B, 0x4F1F}},
        {"beyond U+FFFF: a surrogate pair", "a\xF0\x9F\x98\x80z", {L'a', 0xD83D, 0xDE00, L'z'}},
        {"C1 control and NUL stay", std::string("\xC2\x9B\0x", 4), {0x9B, 0, L'x'}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16);
        EXPECT_EQ(Utf8FromUtf16(c.utf16), c.utf8);
        EXPECT_EQ(Utf16Length(c.utf8), c.utf16.size());
    }
}

// A lone surrogate (Windows allows them in names) keeps its code point in three bytes and comes
// back as the same unit: a folder with such a name is still found.
TEST(Utf16Conversion, LoneSurrogatesSurviveTheRoundTrip) {
    const struct {
        const char* what;
        std::wstring utf16;
        std::string utf8;
    } cases[] = {
        {"high alone",
         {L'a', 0xD83D, L'b'},
         "a\xED\xA0\xBD"
         "b"},
        {"low alone", {0xDE00}, "\xED\xB8\x80"},
        {"high at the end", {L'x', 0xD800}, "x\xED\xA0\x80"},
        {"two highs, then a pair", {0xD800, 0xD83D, 0xDE00}, "\xED\xA0\x80\xF0\x9F\x98\x80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Utf8FromUtf16(c.utf16), c.utf8);
        EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16);
    }
}

// Bytes that begin no character each become U+FFFD, one unit each, and never swallow the ASCII
// after them.
TEST(Utf16Conversion, InvalidBytesBecomeReplacementCharacters) {
    const struct {
        const char* what;
        std::string utf8;
        std::wstring utf16;
    } cases[] = {
        {"8-bit code page byte", "caf\xE9!", {L'c', L'a', L'f', 0xFFFD, L'!'}},
        {"sequence cut short", "\xE7\x8E", {0xFFFD, 0xFFFD}},
        {"lead byte, then ASCII", "\xC3x", {0xFFFD, L'x'}},
        {"stray continuation byte", "\x80", {0xFFFD}},
        {"overlong form of '/'", "\xC0\xAF", {0xFFFD, 0xFFFD}},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", {0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16);
        EXPECT_EQ(Utf16Length(c.utf8), c.utf16.size());
    }
}

// Limits count UTF-16 units as Windows' wide areas do, and a cut never falls inside a character.
TEST(Utf16LimitedPrefix, CutsBetweenCharactersOnly) {
    const std::string cyrillic = "\xD0\x96\xD0\x81";  // two characters, four bytes
    const struct {
        const char* what;
        std::string text;
        std::size_t maxUnits;
        std::string prefix;
    } cases[] = {
        {"ASCII within the limit", "DESK042", 15, "DESK042"},
        {"ASCII cut as bytes are", "SIXTEEN-CHARS-16", 15, "SIXTEEN-CHARS-1"},
        {"two-byte characters counted once", cyrillic + cyrillic, 3, cyrillic + "\xD0\x96"},
        {"the limit after a character's first byte", "abcdefghijklmn\xC3\xB6p", 15,
         "abcdefghijklmn\xC3\xB6"},
        {"a pair does not fit in the last unit", "abcdefghijklmn\xF0\x9F\x98\x80", 15,
         "abcdefghijklmn"},
        {"nothing fits", "\xE7\x8E\x8B", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Utf16LimitedPrefix(c.text, c.maxUnits), c.prefix);
    }
}

}  // namespace
}  // namespace kolt::text
