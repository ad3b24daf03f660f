// The twelve entries of the selection file, in the file's line order. The order is neither the
// report's order nor the order of the check boxes on screen. The first ten are the report's
// original sections, which All stands for; Extended, the eleventh, is asked for on its own, and a
// file of ten lines leaves it off. The twelfth says whether personal details are hidden; a file
// of eleven lines leaves it off, and programs that know eleven lines ignore it.
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
    Extended,
    // Not a section: "Hide personal details", whether the report is redacted. Its line follows
    // Extended's; a file without it leaves it off.
    Redact,
};

inline constexpr std::size_t kReportSectionCount = 12;

// Whether All stands for a section: every one but All itself and Extended, which is asked for on
// its own (and Redact, which is no section).
constexpr bool AllIncludes(ReportSection section) {
    return section != ReportSection::All && section != ReportSection::Extended &&
           section != ReportSection::Redact;
}

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
