// Registry reads under HKEY_LOCAL_MACHINE. Only Win32 code here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kolt::win32 {

// Whether the key can be opened for reading.
bool RegistryKeyOpens(std::string_view keyPath);

// A value's data as text up to its first NUL, read into an area of `capacity` bytes; nullopt
// when the key or value is missing or the data and a terminating NUL do not fit the area.
std::optional<std::string> ReadRegistryText(std::string_view keyPath, std::string_view valueName,
                                            std::size_t capacity);

// A REG_DWORD value; nullopt when the key or value is missing or the value has another type.
std::optional<std::uint32_t> ReadRegistryDword(std::string_view keyPath,
                                               std::string_view valueName);

}  // namespace kolt::win32
