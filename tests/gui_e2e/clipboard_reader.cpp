#include "tests/gui_e2e/clipboard_reader.h"

#include <windows.h>

#include <stdexcept>
#include <string_view>

#include "tests/gui_e2e/e2e_environment.h"
#include "tests/gui_e2e/window_query.h"

namespace kolt::e2e {

namespace {

// The clipboard, opened for as long as the object lives; another program may hold it a moment.
class OpenedClipboard {
public:
    OpenedClipboard() {
        if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, kMessageWait)) {
            throw std::runtime_error("the clipboard stayed busy");
        }
    }
    ~OpenedClipboard() { CloseClipboard(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
};

// The bytes of `format` up to its first NUL unit of `unitSize` bytes.
std::optional<std::string> ClipboardBytes(UINT format, std::size_t unitSize) {
    const OpenedClipboard clipboard;
    HANDLE data = GetClipboardData(format);
    if (data == nullptr) {
        return std::nullopt;
    }
    const auto* bytes = static_cast<const char*>(GlobalLock(data));
    if (bytes == nullptr) {
        return std::nullopt;
    }
    const std::size_t size = GlobalSize(data);
    std::size_t length = 0;
    while (length + unitSize <= size &&
           std::string_view(bytes + length, unitSize).find_first_not_of('\0') !=
               std::string_view::npos) {
        length += unitSize;
    }
    std::string result(bytes, length);
    GlobalUnlock(data);
    return result;
}

}  // namespace

std::optional<std::string> ClipboardUnicodeText() {
    const std::optional<std::string> bytes = ClipboardBytes(CF_UNICODETEXT, sizeof(wchar_t));
    if (!bytes) {
        return std::nullopt;
    }
    std::wstring wide(bytes->size() / sizeof(wchar_t), L'\0');
    bytes->copy(reinterpret_cast<char*>(wide.data()), bytes->size());
    return Utf8FromWide(wide);
}

std::optional<std::string> ClipboardAnsiText() {
    return ClipboardBytes(CF_TEXT, 1);
}

void EmptyClipboardNow() {
    const OpenedClipboard clipboard;
    if (!EmptyClipboard()) {
        throw std::runtime_error("the clipboard could not be emptied");
    }
}

}  // namespace kolt::e2e
