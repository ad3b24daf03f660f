#include "report/report_file_name.h"

#include <string_view>

namespace kolt {

namespace {

constexpr std::string_view kNotInFileName = "\\/:*?\"<>|";

bool AllowedInFileName(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 32 && kNotInFileName.find(c) == std::string_view::npos;
}

}  // namespace

std::string ReportFileName(std::string_view computerName, std::string_view extension) {
    std::string name = "kolt_info_";
    for (const char c : computerName) {
        name += AllowedInFileName(c) ? c : '_';
    }
    name += extension;
    return name;
}

}  // namespace kolt
