#include "platform/common/architecture.h"

namespace kolt::common {

std::optional<std::string> ArchitectureName(std::string_view machine) {
    if (machine.empty()) {
        return std::nullopt;
    }
    if (machine == "x86_64" || machine == "amd64" || machine == "x64") {
        return "x64";
    }
    if (machine == "x86" || (machine.size() == 4 && machine.front() == 'i' &&
                             machine.ends_with("86") && machine[1] >= '3' && machine[1] <= '6')) {
        return "x86";
    }
    if (machine == "aarch64" || machine == "arm64" || machine == "ARM64") {
        return "ARM64";
    }
    if (machine.starts_with("arm") || machine == "ARM") {
        return "ARM";
    }
    return std::string(machine);
}

std::optional<std::string> ProgramArchitecture() {
    // The compiler states the target it builds for; the operating system is not involved.
#if defined(__x86_64__) || defined(_M_X64)
    return "x64";
#elif defined(__i386__) || defined(_M_IX86)
    return "x86";
#elif defined(__aarch64__) || defined(_M_ARM64)
    return "ARM64";
#elif defined(__arm__) || defined(_M_ARM)
    return "ARM";
#else
    return std::nullopt;
#endif
}

}  // namespace kolt::common
