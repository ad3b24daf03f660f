// The system's own words for a Windows error code. Only Win32 code here.
#include "platform/win32/system_message.h"

#include <memory>
#include <string_view>

#include "text/utf16.h"

namespace kolt::win32 {

namespace {

// Frees a buffer the system allocated with LocalAlloc on the caller's behalf.
struct LocalFreeDeleter {
    void operator()(wchar_t* buffer) const { LocalFree(buffer); }
};

}  // namespace

std::string SystemMessage(DWORD code) {
    wchar_t* raw = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&raw), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalFreeDeleter> text(raw);
    if (length == 0 || text == nullptr) {
        return "error " + std::to_string(code);
    }
    std::wstring_view wide(text.get(), length);
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' ' ||
                             wide.back() == L'.')) {
        wide.remove_suffix(1);
    }
    return text::Utf8FromUtf16(wide);
}

}  // namespace kolt::win32
