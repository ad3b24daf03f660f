#include "tests/win32/registry_views.h"

#include <utility>

namespace kolt::test_support {
namespace {

REGSAM ViewFlag(RegistryViewKind view) {
    return view == RegistryViewKind::kNative ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

}  // namespace

MachineKey MachineKey::Open(const char* path, RegistryViewKind view) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE | ViewFlag(view), &key) !=
        ERROR_SUCCESS) {
        key = nullptr;
    }
    return MachineKey(key);
}

MachineKey MachineKey::Create(const char* path, RegistryViewKind view) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS | ViewFlag(view),
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        key = nullptr;
    }
    return MachineKey(key);
}

MachineKey::~MachineKey() {
    if (m_key != nullptr) {
        RegCloseKey(m_key);
    }
}

MachineKey::MachineKey(MachineKey&& other) noexcept : m_key(std::exchange(other.m_key, nullptr)) {}

std::optional<std::string> MachineKey::Text(const char* value) const {
    char area[1024] = {};
    DWORD size = sizeof area;
    if (m_key == nullptr ||
        RegGetValueA(m_key, nullptr, value, RRF_RT_REG_SZ, nullptr, area, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(area);
}

std::optional<DWORD> MachineKey::Dword(const char* value) const {
    DWORD number = 0;
    DWORD size = sizeof number;
    if (m_key == nullptr || RegGetValueA(m_key, nullptr, value, RRF_RT_REG_DWORD, nullptr, &number,
                                         &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return number;
}

bool MachineKey::SetText(const char* value, const std::string& text) const {
    return m_key != nullptr &&
           RegSetValueExA(m_key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool MachineKey::Delete(const char* value) const {
    return m_key != nullptr && RegDeleteValueA(m_key, value) == ERROR_SUCCESS;
}

std::optional<std::string> NativeRegistryText(const char* key, const char* value) {
    return MachineKey::Open(key, RegistryViewKind::kNative).Text(value);
}

std::optional<DWORD> NativeRegistryDword(const char* key, const char* value) {
    return MachineKey::Open(key, RegistryViewKind::kNative).Dword(value);
}

bool SystemHasTwoRegistryViews() {
    if constexpr (sizeof(void*) == 8) {
        return true;
    }
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace kolt::test_support
