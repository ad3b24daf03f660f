// The operating system's product name and version.
#include <string>
#include <string_view>
#include <utility>

#include "report/report_lines.h"
#include "report/section_text.h"
#include "report/system_report.h"

namespace kolt {

namespace {

constexpr std::string_view kNotFound = "Not Found";

}  // namespace

OperatingSystemInfo CSystemReport::QueryOperatingSystem() {
    OperatingSystemInfo os = m_platform.OperatingSystem();
    m_osName = os.name.value_or(std::string(kNotFound));
    // A version the system does not give leaves the one found before standing.
    if (os.version) {
        m_osVersion = *os.version;
    }
    return os;
}

OperatingSystemFacts CSystemReport::GatherOperatingSystem() {
    OperatingSystemInfo found = QueryOperatingSystem();
    return OperatingSystemFacts{std::move(found), m_osName, m_osVersion};
}

void AppendOperatingSystemText(const OperatingSystemFacts& facts, std::string& report) {
    report_lines::AppendLine(report, "  Operating System: ", facts.nameText);
    report_lines::AppendLine(report, "  Version         : ", facts.versionText);
}

std::string& CSystemReport::AppendOperatingSystem(std::string& report) {
    AppendOperatingSystemText(GatherOperatingSystem(), report);
    return report;
}

}  // namespace kolt
