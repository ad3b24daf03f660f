#include "report/report_file_name.h"

#include <string_view>

#include "platform/fixed_limits.h"
#include "text/utf8.h"

namespace kolt {

namespace {

constexpr std::string_view kNotInFileName = "\\/:*?\"<>|";

bool AllowedInFileName(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 32 && kNotInFileName.find(c) == std::string_view::npos;
}

}  // namespace

std::string ComputerNameForFile(const std::optional<std::string>& computerName) {
    if (!computerName || text::Utf16Length(*computerName) >= limits::kFileNameComputerNameArea) {
        return {};
    }
    return computerName->substr(0, computerName->find('\0'));
}

std::string ReportFileName(std::string_view computerName, std::string_view extension) {
    std::string name = "kolt_info_";
    for (const char c : computerName) {
        name += AllowedInFileName(c) ? c : '_';
    }
    name += extension;
    return name;
}

}  // namespace kolt
