// The registry under HKEY_LOCAL_MACHINE, read through advapi32. Only Win32 code here.
#pragma once

#include "platform/win32/registry_rules.h"

namespace kolt::win32 {

// Every read opens its key and closes it before returning: nothing stays open between calls.
// Keys are read from the 64-bit view, so a 32-bit program on 64-bit Windows sees the native
// operating-system values rather than the WOW64 copy.
class Win32RegistryView final : public RegistryView {
public:
    bool KeyExists(std::string_view keyPath) override;
    std::optional<std::string> Data(std::string_view keyPath, std::string_view valueName) override;
    std::optional<std::uint32_t> Dword(std::string_view keyPath,
                                       std::string_view valueName) override;
    std::optional<std::int64_t> KeyWriteTime(std::string_view keyPath) override;
};

}  // namespace kolt::win32
