#include "report/report_sections.h"

namespace kolt {

namespace {

// Whether the dialog's progress bar steps for a section's turn. Every section but the Disk
// Information block, once the last, steps; Extended Information came later and does not.
constexpr bool kSteps = true;
constexpr bool kNoStep = false;

// A row from the section's member of ReportFacts, its gatherer and its renderers.
template <auto kFacts, auto kGather, auto kText, auto kJson>
constexpr SectionRow Row(ReportSection entry, std::string_view jsonKey, bool stepsProgress) {
    return SectionRow{
        entry,
        jsonKey,
        stepsProgress,
        [](GatherContext& context, ReportFacts& facts) { facts.*kFacts = kGather(context); },
        [](const ReportFacts& facts) { return (facts.*kFacts).has_value(); },
        [](const ReportFacts& facts, std::string& report) { kText(*(facts.*kFacts), report); },
        [](const ReportFacts& facts, Json& value) { kJson(*(facts.*kFacts), value); },
    };
}

}  // namespace

const std::array<SectionRow, kReportSectionSteps> kReportSections{
    Row<&ReportFacts::dateTime, &GatherDateTime, &AppendDateTimeText, &WriteDateTimeJson>(
        ReportSection::DateTime, "dateTime", kSteps),
    Row<&ReportFacts::architecture, &GatherArchitecture, &AppendArchitectureText,
        &WriteArchitectureJson>(ReportSection::Architecture, "architecture", kSteps),
    Row<&ReportFacts::cpuSpeed, &GatherCpuSpeed, &AppendCpuSpeedText, &WriteCpuSpeedJson>(
        ReportSection::CpuSpeed, "cpuSpeed", kSteps),
    Row<&ReportFacts::operatingSystem, &GatherOperatingSystem, &AppendOperatingSystemText,
        &WriteOperatingSystemJson>(ReportSection::OperatingSystem, "operatingSystem", kSteps),
    Row<&ReportFacts::computerName, &GatherComputerName, &AppendComputerNameText,
        &WriteComputerNameJson>(ReportSection::ComputerName, "computerName", kSteps),
    Row<&ReportFacts::ipAddress, &GatherIpAddress, &AppendIpAddressText, &WriteIpAddressJson>(
        ReportSection::IpAddress, "ipAddress", kSteps),
    Row<&ReportFacts::userName, &GatherUserName, &AppendUserNameText, &WriteUserNameJson>(
        ReportSection::UserName, "userName", kSteps),
    Row<&ReportFacts::memory, &GatherMemory, &AppendMemoryText, &WriteMemoryJson>(
        ReportSection::Memory, "memory", kSteps),
    Row<&ReportFacts::disk, &GatherDisks, &AppendDisksText, &WriteDisksJson>(ReportSection::Disk,
                                                                             "disk", kNoStep),
    Row<&ReportFacts::extended, &GatherExtended, &AppendExtendedText, &WriteExtendedJson>(
        ReportSection::Extended, "extended", kNoStep),
};

const SectionRow* FindSectionRow(ReportSection entry) {
    for (const SectionRow& row : kReportSections) {
        if (row.entry == entry) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace kolt
