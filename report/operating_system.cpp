// The operating system's product name and version.
#include <string>
#include <string_view>

#include "report/report_lines.h"
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

std::string& CSystemReport::AppendOperatingSystem(std::string& report) {
    QueryOperatingSystem();
    std::string text;
    report_lines::AppendLine(text, "  Operating System: ", m_osName);
    report_lines::AppendLine(text, "  Version         : ", m_osVersion);
    return report.append(text);
}

}  // namespace kolt
