// The ten entries of the selection file, in the file's line order. The order is neither the
// report's order nor the order of the check boxes on screen.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kolt {

enum class ReportSection : std::size_t {
    All = 0,
    DateTime,
    Architecture,
    OperatingSystem,
    ComputerName,
    IpAddress,
    UserName,
    Memory,
    CpuSpeed,
    Disk,
};

inline constexpr std::size_t kReportSectionCount = 10;

// One signed value per entry, in ReportSection order; an entry is on when its value is not 0.
using SelectionValues = std::array<std::int32_t, kReportSectionCount>;

constexpr std::int32_t& At(SelectionValues& values, ReportSection section) {
    return values[static_cast<std::size_t>(section)];
}
constexpr std::int32_t At(const SelectionValues& values, ReportSection section) {
    return values[static_cast<std::size_t>(section)];
}
constexpr bool IsOn(const SelectionValues& values, ReportSection section) {
    return At(values, section) != 0;
}

}  // namespace kolt
