// The system's release in detail and the machine's and the program's architecture on Windows:
// pure functions over registry values and the answers of the architecture calls, so the rules are
// tested on every build with recorded answers. No Windows headers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/win32/registry_rules.h"

namespace kolt::win32 {

// Edition (EditionID), release (DisplayVersion, else ReleaseId, else the service pack of
// CSDVersion), build with update revision (CurrentBuild or CurrentBuildNumber, a dot and UBR) and
// install date (InstallDate, seconds since 1970) from the NT key. Empty texts count as unknown.
SystemRelease ReadSystemRelease(RegistryView& registry);

// Machine codes of the image-file header, as the WOW64 call answers them.
namespace machine_code {
inline constexpr std::uint16_t kUnknown = 0x0000;
inline constexpr std::uint16_t kX86 = 0x014C;
inline constexpr std::uint16_t kArm = 0x01C0;
inline constexpr std::uint16_t kArmThumb2 = 0x01C4;
inline constexpr std::uint16_t kX64 = 0x8664;
inline constexpr std::uint16_t kArm64 = 0xAA64;
}  // namespace machine_code

// Processor architectures as the system information calls number them.
namespace processor_architecture {
inline constexpr std::uint16_t kX86 = 0;
inline constexpr std::uint16_t kArm = 5;
inline constexpr std::uint16_t kX64 = 9;
inline constexpr std::uint16_t kArm64 = 12;
}  // namespace processor_architecture

// What Windows answers about where the program runs.
struct ArchitectureAnswers {
    // The native machine of IsWow64Process2; nullopt where the call does not exist (Windows 7,
    // older Wine) or fails.
    std::optional<std::uint16_t> wow64NativeMachine;
    // IsWow64Process: whether a 32-bit program runs on 64-bit Windows; nullopt where it fails.
    std::optional<bool> wow64;
    // GetNativeSystemInfo's processor architecture.
    std::optional<std::uint16_t> nativeProcessorArchitecture;
    // What this program's code is built for, in the report's words.
    std::optional<std::string> program;
};

// The system's own architecture and the program's, in the report's words. The native machine of
// IsWow64Process2 is the truth where it is known (it tells an x64 program emulated on ARM64 too);
// without it, a program outside WOW64 runs on its own architecture, and one inside it on what
// GetNativeSystemInfo says, where that differs from the program's.
void ApplyArchitecture(const ArchitectureAnswers& answers, SystemRelease& release);

// The report's word for a machine code or a processor architecture; nullopt for one it has none
// for.
std::optional<std::string> MachineCodeName(std::uint16_t machine);
std::optional<std::string> ProcessorArchitectureName(std::uint16_t architecture);

// The processor's brand string from its registry key (ProcessorNameString), without the blanks
// some makers put before it; nullopt when it is missing or empty.
std::optional<std::string> ReadProcessorBrand(RegistryView& registry);

}  // namespace kolt::win32
