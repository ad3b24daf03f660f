// The main dialog's check box for each selection entry, "Hide personal details" last.
#pragma once

#include <array>

#include "gui/res/resource.h"
#include "selection/report_section.h"

namespace kolt {

// Indexed by ReportSection, so walking it visits the boxes in the selection file's order.
inline constexpr std::array<int, kReportSectionCount> kSectionControlIds{
    IDC_ALL_INFO,      IDC_DATE_TIME,  IDC_ARCHITECTURE, IDC_OPERATING_SYSTEM,
    IDC_COMPUTER_NAME, IDC_IP_ADDRESS, IDC_USER_NAME,    IDC_MEMORY,
    IDC_CPU_SPEED,     IDC_DISK,       IDC_EXTENDED,     IDC_REDACT,
};

constexpr int ControlIdFor(ReportSection section) {
    return kSectionControlIds[static_cast<std::size_t>(section)];
}

}  // namespace kolt
