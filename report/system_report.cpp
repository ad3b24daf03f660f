// The composer itself: construction, the banner and the closing lines.
#include <string_view>

#include "branding.h"
#include "kolt_version.h"
#include "report/report_lines.h"
#include "report/system_report.h"

namespace kolt {

namespace {

constexpr std::string_view kTitle = "Kolt Information - Version " KOLT_VERSION_TEXT;
constexpr std::string_view kSubtitle = "Technical Support Report";
constexpr std::string_view kRule = "------------------------------------------------------";

}  // namespace

CSystemReport::CSystemReport(Platform& platform)
    : m_platform(platform),
      m_systemProcessorCount(platform.ProcessorCount()),
      // Starting from the system's count lets a report that has the CPU speed but not the
      // architecture show the same line as one where the architecture came first.
      m_processorCount(static_cast<std::int32_t>(m_systemProcessorCount)) {}

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

}  // namespace kolt
