// Registry reads under HKEY_LOCAL_MACHINE. Only Win32 code here.
#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "text/utf16.h"

namespace kolt::win32 {
namespace {

// Read access, always from the registry's 64-bit view. 32-bit Windows ignores the flag.
constexpr REGSAM kReadAccess = KEY_QUERY_VALUE | KEY_WOW64_64KEY;

// A file time counts 100 ns intervals since 1601; this many of them lie before 1970.
constexpr std::int64_t kFileTimeAt1970 = 116444736000000000;
constexpr std::int64_t kFileTimePerSecond = 10000000;

// A value may change size between the size query and the read; a few rounds cover that.
constexpr int kReadRounds = 4;

// The types whose data the wide call stores as UTF-16 text.
bool IsText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// An open registry key, closed when the object goes out of scope.
class RegistryKey {
public:
    explicit RegistryKey(std::string_view keyPath) {
        const std::wstring path = text::Utf16FromUtf8(keyPath);
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, kReadAccess, &m_key) !=
            ERROR_SUCCESS) {
            m_key = nullptr;
        }
    }
    ~RegistryKey() {
        if (m_key != nullptr) {
            RegCloseKey(m_key);
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool IsOpen() const { return m_key != nullptr; }
    HKEY Handle() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

}  // namespace

bool Win32RegistryView::KeyExists(std::string_view keyPath) {
    return RegistryKey(keyPath).IsOpen();
}

std::optional<std::string> Win32RegistryView::Data(std::string_view keyPath,
                                                   std::string_view valueName) {
    const RegistryKey key(keyPath);
    if (!key.IsOpen()) {
        return std::nullopt;
    }
    const std::wstring name = text::Utf16FromUtf8(valueName);
    DWORD size = 0;
    if (RegQueryValueExW(key.Handle(), name.c_str(), nullptr, nullptr, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    for (int round = 0; round < kReadRounds; ++round) {
        // Whole UTF-16 units with room to spare: an odd size rounds up, never down.
        std::vector<wchar_t> area(size / sizeof(wchar_t) + 1, L'\0');
        DWORD type = REG_NONE;
        DWORD written = size;
        const LSTATUS status = RegQueryValueExW(key.Handle(), name.c_str(), nullptr, &type,
                                                reinterpret_cast<BYTE*>(area.data()), &written);
        if (status == ERROR_SUCCESS) {
            written = std::min(written, size);
            if (IsText(type)) {
                return text::Utf8FromUtf16(
                    std::wstring_view(area.data(), written / sizeof(wchar_t)));
            }
            // Data of another type is no text: its bytes as stored.
            return std::string(reinterpret_cast<const char*>(area.data()), written);
        }
        if (status != ERROR_MORE_DATA) {
            return std::nullopt;
        }
        size = written;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> Win32RegistryView::Dword(std::string_view keyPath,
                                                      std::string_view valueName) {
    const RegistryKey key(keyPath);
    if (!key.IsOpen()) {
        return std::nullopt;
    }
    const std::wstring name = text::Utf16FromUtf8(valueName);
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(key.Handle(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int64_t> Win32RegistryView::KeyWriteTime(std::string_view keyPath) {
    const RegistryKey key(keyPath);
    if (!key.IsOpen()) {
        return std::nullopt;
    }
    FILETIME written{};
    if (RegQueryInfoKeyW(key.Handle(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr, &written) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    const std::int64_t ticks = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime);
    if (ticks <= kFileTimeAt1970) {
        return std::nullopt;  // no time, or one before any Windows that keeps these keys
    }
    return (ticks - kFileTimeAt1970) / kFileTimePerSecond;
}

}  // namespace kolt::win32
