// The composer itself: construction, the banner and the closing lines, and one section at a time.
#include "report/system_report.h"

#include <string_view>

#include "branding.h"
#include "kolt_version.h"
#include "report/report_lines.h"
#include "report/report_sections.h"

namespace kolt {

namespace {

constexpr std::string_view kTitle = "Kolt Information - Version " KOLT_VERSION_TEXT;
constexpr std::string_view kSubtitle = "Technical Support Report";
constexpr std::string_view kRule = "------------------------------------------------------";

}  // namespace

CSystemReport::CSystemReport(Platform& platform) : m_context(platform) {}

std::string& CSystemReport::AppendHeader(std::string& report) const {
    std::string text;
    report_lines::AppendLine(text, kTitle);
    report_lines::AppendLine(text, kSubtitle);
    report_lines::AppendLine(text, kRule);
    return report.append(text);
}

std::string& CSystemReport::AppendFooter(std::string& report) const {
    std::string text;
    report_lines::AppendLine(text, kRule);
    report_lines::AppendLine(text, branding::kWebDomain);
    return report.append(text);
}

void CSystemReport::Gather(const SectionRow& row, ReportFacts& facts) {
    row.gather(m_context, facts);
}

std::string& CSystemReport::AppendSection(ReportSection section, std::string& report) {
    if (const SectionRow* row = FindSectionRow(section)) {
        ReportFacts facts;
        Gather(*row, facts);
        row->appendText(facts, report);
    }
    return report;
}

}  // namespace kolt
