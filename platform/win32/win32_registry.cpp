// Registry reads under HKEY_LOCAL_MACHINE. Only Win32 code here.
#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <vector>

namespace kolt::win32 {
namespace {

// Read access, always from the registry's 64-bit view. 32-bit Windows ignores the flag.
constexpr REGSAM kReadAccess = KEY_QUERY_VALUE | KEY_WOW64_64KEY;

// A value may change size between the size query and the read; a few rounds cover that.
constexpr int kReadRounds = 4;

// An open registry key, closed when the object goes out of scope.
class RegistryKey {
public:
    explicit RegistryKey(std::string_view keyPath) {
        const std::string path(keyPath);  // the call needs a NUL-terminated text
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, kReadAccess, &m_key) !=
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
    const std::string name(valueName);
    DWORD size = 0;
    if (RegQueryValueExA(key.Handle(), name.c_str(), nullptr, nullptr, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    for (int round = 0; round < kReadRounds; ++round) {
        // The size asked for may be that of the value's wide-character form: the read answers
        // the size of the text it actually wrote.
        std::vector<char> area(size + 1u, '\0');
        DWORD written = size;
        const LSTATUS status = RegQueryValueExA(key.Handle(), name.c_str(), nullptr, nullptr,
                                                reinterpret_cast<BYTE*>(area.data()), &written);
        if (status == ERROR_SUCCESS) {
            return std::string(area.data(), written < size ? written : size);
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
    const std::string name(valueName);
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key.Handle(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value) {
        return std::nullopt;
    }
    return value;
}

}  // namespace kolt::win32
