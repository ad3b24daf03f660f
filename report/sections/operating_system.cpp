#include "report/sections/operating_system.h"

#include <string_view>

#include <nlohmann/json.hpp>

#include "report/json_or_null.h"
#include "report/report_lines.h"

namespace kolt {

namespace {

constexpr std::string_view kNotFound = "Not Found";
constexpr std::string_view kWindows95 = "Windows 95";

std::string NameText(const OperatingSystemFacts& facts) {
    return facts.found.name.value_or(std::string(kNotFound));
}

// A version the system does not give leaves the one found before standing (none before: empty).
std::string VersionText(const OperatingSystemFacts& facts) {
    return facts.found.version.value_or(facts.versionFoundBefore.value_or(std::string()));
}

}  // namespace

OperatingSystemFacts GatherOperatingSystem(GatherContext& context) {
    OperatingSystemFacts facts{context.platform.OperatingSystem(), context.osVersionFoundBefore};
    if (facts.found.version) {
        context.osVersionFoundBefore = facts.found.version;
    }
    return facts;
}

bool IsWindows95(const OperatingSystemFacts& facts) {
    return NameText(facts).find(kWindows95) != std::string::npos ||
           VersionText(facts).find(kWindows95) != std::string::npos;
}

void AppendOperatingSystemText(const OperatingSystemFacts& facts, std::string& report) {
    report_lines::AppendLine(report, "  Operating System: ", NameText(facts));
    report_lines::AppendLine(report, "  Version         : ", VersionText(facts));
}

void WriteOperatingSystemJson(const OperatingSystemFacts& facts, Json& value) {
    value = Json{{"name", OrNull(facts.found.name)}, {"version", OrNull(facts.found.version)}};
}

}  // namespace kolt
