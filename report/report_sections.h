// The one table of the report's sections. Each section is a module under report/sections/ (its
// facts, its gatherer, its text and JSON renderers); a row here registers it: in report order,
// the selection entry that asks for it, its member in the JSON form, whether the dialog's
// progress bar steps for its turn, and the module's functions. The text report, the JSON form
// and the dialog's progress all walk this table. Adding a section means writing its module,
// giving ReportFacts its member and adding its row.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "report/gather_context.h"
#include "report/json_value.h"
#include "report/sections/architecture.h"
#include "report/sections/computer_name.h"
#include "report/sections/cpu_speed.h"
#include "report/sections/date_time.h"
#include "report/sections/disks.h"
#include "report/sections/extended.h"
#include "report/sections/ip_address.h"
#include "report/sections/memory.h"
#include "report/sections/operating_system.h"
#include "report/sections/user_name.h"
#include "selection/report_section.h"

namespace kolt {

// One report's facts: a section that was not asked for stays nullopt.
struct ReportFacts {
    std::optional<DateTimeFacts> dateTime;
    std::optional<ArchitectureFacts> architecture;
    std::optional<CpuSpeedFacts> cpuSpeed;
    std::optional<OperatingSystemFacts> operatingSystem;
    std::optional<ComputerNameFacts> computerName;
    std::optional<IpAddressFacts> ipAddress;
    std::optional<UserNameFacts> userName;
    std::optional<MemoryFacts> memory;
    std::optional<DiskFacts> disk;
    std::optional<ExtendedFacts> extended;
};

struct SectionRow {
    ReportSection entry;       // the selection entry that asks for the section
    std::string_view jsonKey;  // its member in the JSON form
    // Whether the dialog's progress bar advances after the section's turn, asked for or not.
    bool stepsProgress;
    // Asks the platform for the section's facts and keeps them in `facts`.
    void (*gather)(GatherContext& context, ReportFacts& facts);
    // Whether `facts` holds the section.
    bool (*gathered)(const ReportFacts& facts);
    // The section's text lines, appended to `report`; its JSON value, written to `value`. Only
    // for facts that hold the section.
    void (*appendText)(const ReportFacts& facts, std::string& report);
    void (*writeJson)(const ReportFacts& facts, Json& value);
};

// The ten sections. CPU Speed is ninth in the selection file but third in the report: its line
// follows the architecture lines, whose processor count it shows. Extended Information, asked for
// only on its own, comes last.
inline constexpr std::size_t kReportSectionSteps = 10;
extern const std::array<SectionRow, kReportSectionSteps> kReportSections;

// The row of a selection entry; nullptr for All, which stands for other sections.
const SectionRow* FindSectionRow(ReportSection entry);

}  // namespace kolt
