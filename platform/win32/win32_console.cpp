// The console window as standard output. Only Win32 code here.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "text/utf16.h"

namespace kolt {

namespace {

// Consoles before Windows 8 refuse a single write larger than their 64 KB buffer: the text goes
// in pieces well below it.
constexpr std::size_t kConsolePieceUnits = 8 * 1024;

bool IsHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

}  // namespace

bool WriteToConsoleWindow(std::string_view text) {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    // Only a console answers its mode: a file, a pipe or no handle at all takes the bytes.
    if (output == nullptr || output == INVALID_HANDLE_VALUE || GetConsoleMode(output, &mode) == 0) {
        return false;
    }
    const std::wstring wide = text::Utf16FromUtf8(text);
    std::wstring_view rest = wide;
    while (!rest.empty()) {
        std::size_t length = std::min(rest.size(), kConsolePieceUnits);
        // A piece never ends between the two halves of a character.
        if (length < rest.size() && length > 1 && IsHighSurrogate(rest[length - 1])) {
            --length;
        }
        DWORD written = 0;
        // A console that fails the write (closed meanwhile) gets nothing more, as a closed pipe.
        if (WriteConsoleW(output, rest.data(), static_cast<DWORD>(length), &written, nullptr) ==
                0 ||
            written == 0) {
            break;
        }
        rest.remove_prefix(std::min<std::size_t>(written, rest.size()));
    }
    return true;
}

}  // namespace kolt
