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
    // The processor the build targets, as the build names it (KOLT_TARGET_PROCESSOR); a build with
    // 32-bit pointers for a 64-bit processor family runs as that family's 32-bit form.
    const std::optional<std::string> name = ArchitectureName(KOLT_TARGET_PROCESSOR);
    if (sizeof(void*) == 4 && name == "x64") {
        return "x86";
    }
    if (sizeof(void*) == 4 && name == "ARM64") {
        return "ARM";
    }
    return name;
}

}  // namespace kolt::common
