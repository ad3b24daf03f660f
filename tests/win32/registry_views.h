// Registry access for the Windows test programs, in a view the test names: the native (64-bit)
// view, which a 64-bit program sees by default and the product reads even when built 32-bit, or
// the 32-bit copy that 64-bit Windows keeps for 32-bit programs (WoW64).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kolt::test_support {

enum class RegistryViewKind { kNative, kWow64Copy };

// A key under HKEY_LOCAL_MACHINE, opened (or created) in one view, closed when the object goes.
class MachineKey {
public:
    static MachineKey Open(const char* path, RegistryViewKind view);
    static MachineKey Create(const char* path, RegistryViewKind view);
    ~MachineKey();
    MachineKey(MachineKey&& other) noexcept;
    MachineKey& operator=(MachineKey&&) = delete;
    MachineKey(const MachineKey&) = delete;
    MachineKey& operator=(const MachineKey&) = delete;

    bool IsOpen() const { return m_key != nullptr; }
    std::optional<std::string> Text(const char* value) const;
    std::optional<DWORD> Dword(const char* value) const;
    bool SetText(const char* value, const std::string& text) const;
    bool Delete(const char* value) const;

private:
    explicit MachineKey(HKEY key) : m_key(key) {}
    HKEY m_key = nullptr;
};

// One value of the native view; nullopt when the key or the value is missing.
std::optional<std::string> NativeRegistryText(const char* key, const char* value);
std::optional<DWORD> NativeRegistryDword(const char* key, const char* value);

// True when this process sees two registry views: a 64-bit program, or a 32-bit one on 64-bit
// Windows. Only then does reading the native view differ from a plain read in a 32-bit program.
bool SystemHasTwoRegistryViews();

}  // namespace kolt::test_support
