// The one road from a selection to a finished report: header, the wanted sections in the fixed
// report order, footer. Both programs, the tests and the benchmarks build reports through it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "report/system_report.h"
#include "selection/report_section.h"

namespace kolt {

// Whether a report holds a section; asked once per section, in report order.
using SectionWanted = std::function<bool(ReportSection)>;
// Called after each section's turn, built or not, with its position in the report order
// (0 to kReportSectionSteps - 1): the dialog program steps its progress bar here.
using SectionDone = std::function<void(std::size_t position)>;

// The nine sections in report order, the selection entry that asks for each.
inline constexpr std::size_t kReportSectionSteps = 9;
extern const ReportSection kReportOrder[kReportSectionSteps];

// Appends one section to `report` with `composer`. All has no section and appends nothing.
void AppendSection(CSystemReport& composer, ReportSection section, std::string& report);

// A whole report from an empty string.
std::string BuildReport(CSystemReport& composer, const SectionWanted& wanted,
                        const SectionDone& done = {});

// What a selection file's values ask for: every section when All is on, otherwise each section
// whose own entry is on.
SectionWanted WantedBySelection(const SelectionValues& selection);

}  // namespace kolt
