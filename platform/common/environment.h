// Environment lookup through the C library's copy of the environment, as the program was started
// with it. (On Windows that copy is in the 8-bit code page, so the Win32 backend asks the wide
// environment instead.)
#pragma once

#include <optional>
#include <string>

namespace kolt::common {

// The variable's value byte for byte; nullopt when it is not set.
std::optional<std::string> EnvironmentValue(const std::string& name);

}  // namespace kolt::common
