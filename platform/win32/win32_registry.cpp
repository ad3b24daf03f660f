// Registry reads under HKEY_LOCAL_MACHINE. Only Win32 code here.
#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <vector>

namespace kolt::win32 {
namespace {

// Read access, always from the registry's 64-bit view: a 32-bit program on 64-bit Windows would
// otherwise be redirected to the WOW64 copy of the software keys and could report other
// operating-system values than a native program. 32-bit Windows ignores the flag.
constexpr REGSAM kReadAccess = KEY_QUERY_VALUE | KEY_WOW64_64KEY;

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

bool RegistryKeyOpens(std::string_view keyPath) {
    return RegistryKey(keyPath).IsOpen();
}

std::optional<std::string> ReadRegistryText(std::string_view keyPath, std::string_view valueName,
                                            std::size_t capacity) {
    // Not even the terminating NUL fits, and the size handed to the call is 32-bit.
    if (capacity == 0 || capacity > MAXDWORD) {
        return std::nullopt;
    }
    const RegistryKey key(keyPath);
    if (!key.IsOpen()) {
        return std::nullopt;
    }
    const std::string name(valueName);
    std::vector<char> area(capacity, '\0');
    auto size = static_cast<DWORD>(capacity);
    // The value's type is not asked for: every value is taken as text.
    if (RegQueryValueExA(key.Handle(), name.c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(area.data()), &size) != ERROR_SUCCESS) {
        return std::nullopt;  // missing, or larger than the area
    }
    const std::string_view data(area.data(), size < capacity ? size : capacity);
    const std::size_t end = data.find('\0');
    if (end != std::string_view::npos) {
        return std::string(data.substr(0, end));
    }
    // Stored without a terminating NUL: the text counts as readable only when its NUL would
    // still have fitted the area.
    if (data.size() + 1 > capacity) {
        return std::nullopt;
    }
    return std::string(data);
}

std::optional<std::uint32_t> ReadRegistryDword(std::string_view keyPath,
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
