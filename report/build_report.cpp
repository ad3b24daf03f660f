#include "report/build_report.h"

namespace kolt {

// CPU Speed is ninth in the selection file but third in the report: its line shows the processor
// count that the architecture lines gather.
const ReportSection kReportOrder[kReportSectionSteps] = {
    ReportSection::DateTime,        ReportSection::Architecture, ReportSection::CpuSpeed,
    ReportSection::OperatingSystem, ReportSection::ComputerName, ReportSection::IpAddress,
    ReportSection::UserName,        ReportSection::Memory,       ReportSection::Disk,
};

void AppendSection(CSystemReport& composer, ReportSection section, std::string& report) {
    switch (section) {
        case ReportSection::All:
            break;
        case ReportSection::DateTime:
            composer.AppendDateTime(report);
            break;
        case ReportSection::Architecture:
            composer.AppendArchitecture(report);
            break;
        case ReportSection::OperatingSystem:
            composer.AppendOperatingSystem(report);
            break;
        case ReportSection::ComputerName:
            composer.AppendComputerName(report);
            break;
        case ReportSection::IpAddress:
            composer.AppendIpAddress(report);
            break;
        case ReportSection::UserName:
            composer.AppendUserName(report);
            break;
        case ReportSection::Memory:
            composer.AppendMemory(report);
            break;
        case ReportSection::CpuSpeed:
            composer.AppendCpuSpeed(report);
            break;
        case ReportSection::Disk:
            composer.AppendDisks(report);
            break;
    }
}

std::string BuildReport(CSystemReport& composer, const SectionWanted& wanted,
                        const SectionDone& done) {
    std::string report;
    composer.AppendHeader(report);
    for (std::size_t position = 0; position < kReportSectionSteps; ++position) {
        if (wanted(kReportOrder[position])) {
            AppendSection(composer, kReportOrder[position], report);
        }
        if (done) {
            done(position);
        }
    }
    composer.AppendFooter(report);
    return report;
}

SectionWanted WantedBySelection(const SelectionValues& selection) {
    return [selection](ReportSection section) {
        return IsOn(selection, ReportSection::All) || IsOn(selection, section);
    };
}

}  // namespace kolt
