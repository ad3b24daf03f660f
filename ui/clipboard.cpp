#include "ui/clipboard.h"

#include <cstring>
#include <string>

#include "text/utf16.h"
#include "ui/handles.h"

namespace kolt::ui {

namespace {

// Another program (a clipboard viewer, a remote desktop session) may hold the clipboard for a
// moment: a few short tries before giving up.
constexpr int kOpenAttempts = 5;
constexpr DWORD kOpenRetryMilliseconds = 20;

// The clipboard, open for this thread from construction to destruction.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) {
        for (int attempt = 0; attempt < kOpenAttempts && !m_open; ++attempt) {
            if (attempt > 0) {
                ::Sleep(kOpenRetryMilliseconds);
            }
            m_open = ::OpenClipboard(owner) != FALSE;
        }
    }
    ~OpenClipboardScope() {
        if (m_open) {
            ::CloseClipboard();
        }
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;

    bool IsOpen() const { return m_open; }

private:
    bool m_open = false;
};

// Movable global memory holding `bytes`, as the clipboard takes it; nullptr when there is none.
UniqueGlobal GlobalCopy(const void* bytes, std::size_t size) {
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory) {
        return memory;
    }
    void* locked = ::GlobalLock(memory.get());
    if (locked == nullptr) {
        return nullptr;
    }
    std::memcpy(locked, bytes, size);
    ::GlobalUnlock(memory.get());
    return memory;
}

// Hands `memory` to the clipboard as `format`; once it is taken, the system owns it.
bool Place(UINT format, UniqueGlobal memory) {
    if (!memory || ::SetClipboardData(format, memory.get()) == nullptr) {
        return false;
    }
    static_cast<void>(memory.release());
    return true;
}

// The text in the ANSI code page, terminator included.
std::string AnsiText(const std::wstring& wide) {
    const int size =
        ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return std::string(1, '\0');
    }
    std::string ansi(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

}  // namespace

bool PutTextOnClipboard(HWND owner, std::string_view utf8) {
    const std::wstring wide = text::Utf16FromUtf8(utf8);
    const std::string ansi = AnsiText(wide);

    const OpenClipboardScope clipboard(owner);
    if (!clipboard.IsOpen() || !::EmptyClipboard()) {
        return false;
    }
    // Both forms are given, so the system converts neither on its own, and each has its
    // terminating NUL.
    return Place(CF_UNICODETEXT, GlobalCopy(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t))) &&
           Place(CF_TEXT, GlobalCopy(ansi.data(), ansi.size()));
}

}  // namespace kolt::ui
