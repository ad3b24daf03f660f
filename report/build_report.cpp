#include "report/build_report.h"

#include "report/report_sections.h"

namespace kolt {

ReportFacts GatherReportFacts(CSystemReport& composer, const SectionWanted& wanted,
                              const SectionDone& done) {
    ReportFacts facts;
    for (std::size_t position = 0; position < kReportSections.size(); ++position) {
        const SectionRow& row = kReportSections[position];
        if (wanted(row.entry)) {
            row.gather(composer, facts);
        }
        if (done) {
            done(position);
        }
    }
    return facts;
}

std::string ReportTextOf(const CSystemReport& composer, const ReportFacts& facts) {
    std::string report;
    composer.AppendHeader(report);
    for (const SectionRow& row : kReportSections) {
        if (row.gathered(facts)) {
            row.appendText(facts, report);
        }
    }
    composer.AppendFooter(report);
    return report;
}

std::string BuildReport(CSystemReport& composer, const SectionWanted& wanted,
                        const SectionDone& done) {
    return ReportTextOf(composer, GatherReportFacts(composer, wanted, done));
}

SectionWanted WantedBySelection(const SelectionValues& selection) {
    return [selection](ReportSection section) {
        return (IsOn(selection, ReportSection::All) && AllIncludes(section)) ||
               IsOn(selection, section);
    };
}

}  // namespace kolt
