#include "report/build_report.h"

#include "report/attention/attention.h"

namespace kolt {

ReportFacts GatherReportFacts(CSystemReport& composer, const SectionWanted& wanted,
                              const SectionDone& done) {
    ReportFacts facts;
    for (const SectionRow& row : kReportSections) {
        if (wanted(row.entry)) {
            composer.Gather(row, facts);
        }
        if (done) {
            done(row);
        }
    }
    return facts;
}

std::string ReportTextOf(const CSystemReport& composer, const ReportFacts& facts) {
    std::string report;
    composer.AppendHeader(report);
    // What looks wrong comes first, where Extended Information was asked for.
    AppendAttentionText(FindingsOf(facts), report);
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
