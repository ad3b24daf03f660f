#include "report/report_file_name.h"

#include "report/name_area.h"
#include "report/netbios_name.h"
#include "report/report_limits.h"

namespace kolt {

namespace {

constexpr std::string_view kNotInFileName = "\\/:*?\"<>|";

bool AllowedInFileName(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 32 && kNotInFileName.find(c) == std::string_view::npos;
}

}  // namespace

std::string ComputerNameForFile(const std::optional<std::string>& computerName) {
    return NameInArea(computerName, limits::kFileNameComputerNameArea).value_or(std::string());
}

std::string ReportFileName(std::string_view computerName, std::string_view extension) {
    std::string name = "kolt_info_";
    for (const char c : computerName) {
        name += AllowedInFileName(c) ? c : '_';
    }
    name += extension;
    return name;
}

std::string ProposedReportFileName(Platform& platform, std::string_view extension) {
    return ReportFileName(ComputerNameForFile(NetbiosStyleName(platform.ComputerName())),
                          extension);
}

}  // namespace kolt
