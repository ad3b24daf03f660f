// The first processor's description, from the text of /proc/cpuinfo.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kolt::linux_backend {

struct CpuInfo {
    std::optional<std::string> vendorId;   // "GenuineIntel", "AuthenticAMD", ...
    std::optional<std::string> modelName;  // the maker's brand string, where the kernel gives it
    std::optional<std::uint32_t> family;
    std::optional<std::uint32_t> model;
    std::optional<std::uint32_t> stepping;
    bool mmx = false;  // "mmx" among the flags
};

// Reads the first processor's block (up to the first empty line). Fields the text lacks, or
// whose number is not a plain decimal, stay unset: x86 kernels write all of them, others few.
CpuInfo ParseCpuinfo(std::string_view content);

// Whether this program is a 32-bit build.
inline constexpr bool kBuild32Bit = sizeof(void*) == 4;

}  // namespace kolt::linux_backend
