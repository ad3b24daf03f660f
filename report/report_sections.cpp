#include "report/report_sections.h"

#include "report/section_text.h"

namespace kolt {

namespace {

// A row from the section's member of ReportFacts, the composer's gatherer and the renderers.
template <auto kFacts, auto kGather, auto kText, auto kJson>
constexpr SectionRow Row(ReportSection entry, std::string_view jsonKey) {
    return SectionRow{
        entry,
        jsonKey,
        [](CSystemReport& composer, ReportFacts& facts) { facts.*kFacts = (composer.*kGather)(); },
        [](const ReportFacts& facts) { return (facts.*kFacts).has_value(); },
        [](const ReportFacts& facts, std::string& report) { kText(*(facts.*kFacts), report); },
        [](const ReportFacts& facts, Json& value) { kJson(*(facts.*kFacts), value); },
    };
}

}  // namespace

const std::array<SectionRow, kReportSectionSteps> kReportSections{
    Row<&ReportFacts::dateTime, &CSystemReport::GatherDateTime, &AppendDateTimeText,
        &WriteDateTimeJson>(ReportSection::DateTime, "dateTime"),
    Row<&ReportFacts::architecture, &CSystemReport::GatherArchitecture, &AppendArchitectureText,
        &WriteArchitectureJson>(ReportSection::Architecture, "architecture"),
    Row<&ReportFacts::cpuSpeed, &CSystemReport::GatherCpuSpeed, &AppendCpuSpeedText,
        &WriteCpuSpeedJson>(ReportSection::CpuSpeed, "cpuSpeed"),
    Row<&ReportFacts::operatingSystem, &CSystemReport::GatherOperatingSystem,
        &AppendOperatingSystemText, &WriteOperatingSystemJson>(ReportSection::OperatingSystem,
                                                               "operatingSystem"),
    Row<&ReportFacts::computerName, &CSystemReport::GatherComputerName, &AppendComputerNameText,
        &WriteComputerNameJson>(ReportSection::ComputerName, "computerName"),
    Row<&ReportFacts::ipAddress, &CSystemReport::GatherIpAddress, &AppendIpAddressText,
        &WriteIpAddressJson>(ReportSection::IpAddress, "ipAddress"),
    Row<&ReportFacts::userName, &CSystemReport::GatherUser, &AppendUserText, &WriteUserJson>(
        ReportSection::UserName, "userName"),
    Row<&ReportFacts::memory, &CSystemReport::QueryMemory, &AppendMemoryText, &WriteMemoryJson>(
        ReportSection::Memory, "memory"),
    Row<&ReportFacts::disk, &CSystemReport::QueryDisks, &AppendDisksText, &WriteDisksJson>(
        ReportSection::Disk, "disk"),
    Row<&ReportFacts::extended, &CSystemReport::GatherExtended, &AppendExtendedText,
        &WriteExtendedJson>(ReportSection::Extended, "extended"),
};

}  // namespace kolt
