// The few registry keys the report reads, answered on Linux from the facts that mean the same.
// Key paths and value names compare without regard to case, as the Windows registry does.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kolt::posix {

enum class EmulatedKey {
    kNone,               // every other key: it does not exist here
    kNtCurrentVersion,   // Software\Microsoft\Windows NT\CurrentVersion
    kCentralProcessor0,  // Hardware\Description\System\CentralProcessor\0
};

// The emulated values, by name.
enum class EmulatedValue {
    kNone,
    kProductName,       // under kNtCurrentVersion: os-release's PRETTY_NAME
    kCurrentVersion,    // under kNtCurrentVersion: the kernel release
    kVendorIdentifier,  // under kCentralProcessor0: vendor_id
    kIdentifier,        // under kCentralProcessor0: "<arch> Family F Model M Stepping S"
};

bool EqualsIgnoreCase(std::string_view a, std::string_view b);

EmulatedKey FindEmulatedKey(std::string_view keyPath);

// kNone when the key does not hold a value of that name.
EmulatedValue FindEmulatedValue(EmulatedKey key, std::string_view valueName);

// Registry text as a value read into a buffer of `capacity` bytes gives it: nullopt when the
// data and its terminating NUL do not fit, otherwise the text up to its first NUL.
std::optional<std::string> FitRegistryText(std::optional<std::string> data, std::size_t capacity);

}  // namespace kolt::posix
