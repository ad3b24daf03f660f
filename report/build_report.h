// The one road from a selection to a finished report: the wanted sections' facts gathered in the
// report order of the table of sections, then laid out as text between header and footer. Both
// programs, the tests and the benchmarks build reports through it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "report/report_sections.h"
#include "report/system_report.h"
#include "selection/report_section.h"

namespace kolt {

// Whether a report holds a section; asked once per section, in report order.
using SectionWanted = std::function<bool(ReportSection)>;
// Called after each section's turn, gathered or not, with its row of the table of sections: the
// dialog program steps its progress bar here.
using SectionDone = std::function<void(const SectionRow& row)>;

// Each wanted section's facts, asked in report order.
ReportFacts GatherReportFacts(CSystemReport& composer, const SectionWanted& wanted,
                              const SectionDone& done = {});

// The text report of gathered facts: header, each section the facts hold in report order,
// footer.
std::string ReportTextOf(const CSystemReport& composer, const ReportFacts& facts);

// A whole text report from an empty string.
std::string BuildReport(CSystemReport& composer, const SectionWanted& wanted,
                        const SectionDone& done = {});

// What a selection file's values ask for: each section whose own entry is on, and every section
// All stands for (all but Extended) when All is on.
SectionWanted WantedBySelection(const SelectionValues& selection);

}  // namespace kolt
