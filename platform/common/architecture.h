// The words the report uses for what a machine or a program is built for: x86, x64, ARM, ARM64.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kolt::common {

// A system's own name for its machine ("x86_64", "amd64", "i686", "aarch64", "armv7l") in the
// report's words; another name as the system gives it; nullopt for an empty one.
std::optional<std::string> ArchitectureName(std::string_view machine);

// What this program's code is built for; nullopt for a processor without a word here.
std::optional<std::string> ProgramArchitecture();

}  // namespace kolt::common
