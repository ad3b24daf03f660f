// The fixed order in which sections appear in a report, and the selection entry that asks for
// each. Both programs walk this one table.
#pragma once

#include <array>
#include <string>

#include "report/system_report.h"
#include "selection/report_section.h"

namespace kolt {

struct ReportStep {
    ReportSection section;
    std::string& (CSystemReport::*append)(std::string&);
};

inline constexpr std::array<ReportStep, 9> kReportOrder{{
    {ReportSection::DateTime, &CSystemReport::AppendDateTime},
    {ReportSection::Architecture, &CSystemReport::AppendArchitecture},
    {ReportSection::CpuSpeed, &CSystemReport::AppendCpuSpeed},
    {ReportSection::OperatingSystem, &CSystemReport::AppendOperatingSystem},
    {ReportSection::ComputerName, &CSystemReport::AppendComputerName},
    {ReportSection::IpAddress, &CSystemReport::AppendIpAddress},
    {ReportSection::UserName, &CSystemReport::AppendUserName},
    {ReportSection::Memory, &CSystemReport::AppendMemory},
    {ReportSection::Disk, &CSystemReport::AppendDisks},
}};

}  // namespace kolt
