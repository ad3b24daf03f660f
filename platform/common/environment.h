// Environment lookup every backend shares: the C library's copy of the environment, as the
// program was started with it.
#pragma once

#include <optional>
#include <string>

namespace kolt::common {

// The variable's value byte for byte; nullopt when it is not set.
std::optional<std::string> EnvironmentValue(const std::string& name);

}  // namespace kolt::common
