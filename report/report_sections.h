// The one table of the report's sections. Each row names, in report order, the selection entry
// that asks for the section, its member in the JSON form, the gatherer of its facts and its two
// renderers; the text report, the JSON form and the dialog's progress all walk this table.
// Adding a section means adding its facts (report_facts.h), a gatherer, two renderers and one
// row here.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "report/report_facts.h"
#include "report/section_json.h"
#include "report/system_report.h"
#include "selection/report_section.h"

namespace kolt {

struct SectionRow {
    ReportSection entry;       // the selection entry that asks for the section
    std::string_view jsonKey;  // its member in the JSON form
    // Asks the composer for the section's facts and keeps them in `facts`.
    void (*gather)(CSystemReport& composer, ReportFacts& facts);
    // Whether `facts` holds the section.
    bool (*gathered)(const ReportFacts& facts);
    // The section's text lines, appended to `report`; its JSON value, written to `value`. Only
    // for facts that hold the section.
    void (*appendText)(const ReportFacts& facts, std::string& report);
    void (*writeJson)(const ReportFacts& facts, Json& value);
};

// The ten sections. CPU Speed is ninth in the selection file but third in the report: its line
// shows the processor count that the architecture lines gather. Extended Information, asked for
// only on its own, comes last.
inline constexpr std::size_t kReportSectionSteps = 10;
extern const std::array<SectionRow, kReportSectionSteps> kReportSections;

}  // namespace kolt
