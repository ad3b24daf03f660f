// Standard output and error on Windows. Only Win32 code here.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/process.h"
#include "platform/win32/system_message.h"
#include "text/utf16.h"

namespace kolt {

namespace {

// Consoles before Windows 8 refuse a single write larger than their 64 KB buffer: the text goes
// in pieces well below it.
constexpr std::size_t kConsolePieceUnits = 8 * 1024;

bool IsHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

StreamWriteResult Failure(DWORD error) {
    return StreamWriteResult{false, win32::SystemMessage(error)};
}

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    // Only a console answers its mode: a file or a pipe does not.
    return GetConsoleMode(handle, &mode) != 0;
}

// The text in the console's own characters, so no code page can garble a name.
StreamWriteResult WriteToConsole(HANDLE console, std::string_view text) {
    const std::wstring wide = text::Utf16FromUtf8(text);
    std::wstring_view rest = wide;
    while (!rest.empty()) {
        std::size_t length = std::min(rest.size(), kConsolePieceUnits);
        // A piece never ends between the two halves of a character.
        if (length < rest.size() && length > 1 && IsHighSurrogate(rest[length - 1])) {
            --length;
        }
        DWORD written = 0;
        if (WriteConsoleW(console, rest.data(), static_cast<DWORD>(length), &written, nullptr) ==
            0) {
            return Failure(GetLastError());
        }
        if (written == 0) {
            // A console closed meanwhile takes nothing more, as a closed pipe.
            return Failure(ERROR_NO_DATA);
        }
        rest.remove_prefix(std::min<std::size_t>(written, rest.size()));
    }
    return StreamWriteResult{true, {}};
}

StreamWriteResult WriteBytes(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (WriteFile(handle, bytes.data(), wanted, &written, nullptr) == 0) {
            return Failure(GetLastError());
        }
        if (written == 0) {
            // A pipe in non-blocking mode that is full takes nothing for now: wait a moment, as
            // a blocking pipe would wait for its reader.
            Sleep(1);
            continue;
        }
        bytes.remove_prefix(written);
    }
    return StreamWriteResult{true, {}};
}

}  // namespace

StreamWriteResult WriteToStandardStream(StandardStream stream, std::string_view bytes) {
    const HANDLE handle =
        GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        // A program started without the stream (a detached process, a closed handle).
        return Failure(ERROR_INVALID_HANDLE);
    }
    return IsConsole(handle) ? WriteToConsole(handle, bytes) : WriteBytes(handle, bytes);
}

}  // namespace kolt
