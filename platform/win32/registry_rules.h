// How the operating system and the processor are read from the Windows registry: which keys and
// values, the 64-byte areas the values are read into, the Windows 10 and 11 rule and the classic
// CurrentVersion + service-pack rule. Pure functions over a view of the registry, so the rules
// are tested on every build with canned values; the Win32 backend hands them the real registry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kolt::win32 {

// Read access to HKEY_LOCAL_MACHINE.
class RegistryView {
public:
    virtual ~RegistryView() = default;
    // Whether the key can be opened for reading.
    virtual bool KeyExists(std::string_view keyPath) = 0;
    // A value's text in UTF-8, whole and with any NUL it holds; nullopt when the key or the value
    // is missing.
    virtual std::optional<std::string> Data(std::string_view keyPath,
                                            std::string_view valueName) = 0;
    // A REG_DWORD value; nullopt when the key or the value is missing or it is not a DWORD.
    virtual std::optional<std::uint32_t> Dword(std::string_view keyPath,
                                               std::string_view valueName) = 0;
    // When the key or one of its values was last written, in seconds since 1970 UTC; nullopt
    // when the key is missing or the system does not say.
    virtual std::optional<std::int64_t> KeyWriteTime(std::string_view keyPath) = 0;
};

inline constexpr std::string_view kNtVersionKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";
inline constexpr std::string_view kOtherFamilyKey = "Software\\Microsoft\\Windows\\CurrentVersion";
inline constexpr std::string_view kProcessorKey =
    "Hardware\\Description\\System\\CentralProcessor\\0";

// A value's text as an area of limits::kRegistryValueArea characters holds it (counted in UTF-16
// code units as the wide registry calls store them): the text up to its first NUL,
// or nullopt when the stored data does not fit the area, or would leave no room for the NUL.
std::optional<std::string> TextInArea(const std::optional<std::string>& data);

// The product name and version: on Windows 10 and later (CurrentMajorVersionNumber 10 or more)
// "major.minor[.build[.UBR]][ DisplayVersion or ReleaseId]", with "Windows 10" in the name turned
// into "Windows 11" from build 22000; before that CurrentVersion and a space and CSDVersion. A
// name of "Windows NT" (no readable product name) or none at all consults the other family's key.
OperatingSystemInfo ReadOperatingSystem(RegistryView& registry);

// The first processor's vendor identifier and identifier, each nullopt when unreadable.
ProcessorInfo ReadProcessorIdentity(RegistryView& registry);

}  // namespace kolt::win32
