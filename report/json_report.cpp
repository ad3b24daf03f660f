#include "report/json_report.h"

#include <string_view>

#include <nlohmann/json.hpp>

#include "kolt_version.h"
#include "report/attention/attention.h"
#include "report/report_sections.h"

namespace kolt {

namespace {

constexpr std::string_view kProduct = "Kolt Information";

}  // namespace

Json JsonDocumentOf(const ReportFacts& facts) {
    Json document{{"product", kProduct}, {"version", KOLT_VERSION_TEXT}};
    Json sections = Json::array();
    Json values = Json::object();
    for (const SectionRow& row : kReportSections) {
        if (row.gathered(facts)) {
            sections.push_back(row.jsonKey);
            row.writeJson(facts, values[std::string(row.jsonKey)]);
        }
    }
    document["sections"] = std::move(sections);
    if (facts.extended) {
        document["findings"] = FindingsJson(FindingsOf(facts));
    }
    document.update(values);
    return document;
}

std::string JsonText(const Json& document) {
    // Bytes that are not UTF-8 (a value in the system's 8-bit code page) become U+FFFD.
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

std::string JsonReportOf(const ReportFacts& facts) {
    return JsonText(JsonDocumentOf(facts));
}

std::string BuildJsonReport(CSystemReport& composer, const SectionWanted& wanted) {
    return JsonReportOf(GatherReportFacts(composer, wanted));
}

}  // namespace kolt
