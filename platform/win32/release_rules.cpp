// No Windows headers here: these rules build and are tested on every platform.
#include "platform/win32/release_rules.h"

#include <utility>

namespace kolt::win32 {

namespace {

// A registry text up to its first NUL; nullopt when it is missing or empty.
std::optional<std::string> NonEmptyText(RegistryView& registry, std::string_view key,
                                        std::string_view name) {
    std::optional<std::string> text = registry.Data(key, name);
    if (!text) {
        return std::nullopt;
    }
    text->resize(std::min(text->size(), text->find('\0')));
    if (text->empty()) {
        return std::nullopt;
    }
    return text;
}

std::optional<std::string> FirstText(RegistryView& registry,
                                     std::initializer_list<std::string_view> names) {
    for (const std::string_view name : names) {
        if (auto text = NonEmptyText(registry, kNtVersionKey, name)) {
            return text;
        }
    }
    return std::nullopt;
}

}  // namespace

SystemRelease ReadSystemRelease(RegistryView& registry) {
    SystemRelease release;
    release.edition = NonEmptyText(registry, kNtVersionKey, "EditionID");
    release.release = FirstText(registry, {"DisplayVersion", "ReleaseId", "CSDVersion"});
    if (auto build = FirstText(registry, {"CurrentBuild", "CurrentBuildNumber"})) {
        if (const auto revision = registry.Dword(kNtVersionKey, "UBR")) {
            *build += '.';
            *build += std::to_string(*revision);
        }
        release.build = std::move(build);
    }
    if (const auto installed = registry.Dword(kNtVersionKey, "InstallDate");
        installed && *installed != 0) {
        release.installTime = static_cast<std::int64_t>(*installed);
    }
    return release;
}

std::optional<std::string> MachineCodeName(std::uint16_t machine) {
    switch (machine) {
        case machine_code::kX86:
            return "x86";
        case machine_code::kX64:
            return "x64";
        case machine_code::kArm:
        case machine_code::kArmThumb2:
            return "ARM";
        case machine_code::kArm64:
            return "ARM64";
        default:
            return std::nullopt;
    }
}

std::optional<std::string> ProcessorArchitectureName(std::uint16_t architecture) {
    switch (architecture) {
        case processor_architecture::kX86:
            return "x86";
        case processor_architecture::kX64:
            return "x64";
        case processor_architecture::kArm:
            return "ARM";
        case processor_architecture::kArm64:
            return "ARM64";
        default:
            return std::nullopt;
    }
}

void ApplyArchitecture(const ArchitectureAnswers& answers, SystemRelease& release) {
    release.programArchitecture = answers.program;
    if (answers.wow64NativeMachine) {
        release.systemArchitecture = MachineCodeName(*answers.wow64NativeMachine);
        return;
    }
    if (answers.wow64 == false) {
        release.systemArchitecture = answers.program;
        return;
    }
    // Under WOW64 the native system information names the machine; where it names the program's
    // own architecture, it does not know better than the program.
    const std::optional<std::string> native =
        answers.nativeProcessorArchitecture
            ? ProcessorArchitectureName(*answers.nativeProcessorArchitecture)
            : std::nullopt;
    if (answers.wow64 == true && native == answers.program) {
        release.systemArchitecture.reset();
        return;
    }
    release.systemArchitecture = native;
}

std::optional<std::string> ReadProcessorBrand(RegistryView& registry) {
    std::optional<std::string> brand = NonEmptyText(registry, kProcessorKey, "ProcessorNameString");
    if (!brand) {
        return std::nullopt;
    }
    const std::size_t first = brand->find_first_not_of(' ');
    const std::size_t last = brand->find_last_not_of(' ');
    if (first == std::string::npos) {
        return std::nullopt;
    }
    return brand->substr(first, last - first + 1);
}

}  // namespace kolt::win32
