#include "report/redacted_report.h"

#include <nlohmann/json.hpp>

#include "report/build_report.h"
#include "report/json_report.h"
#include "report/netbios_name.h"
#include "report/report_file_name.h"
#include "report/report_lines.h"

namespace kolt {

namespace {

void RedactStrings(Json& value, const Redactor& redactor) {
    if (value.is_string()) {
        value = redactor.Redact(value.get_ref<const std::string&>());
    } else if (value.is_structured()) {
        for (Json& item : value) {
            RedactStrings(item, redactor);
        }
    }
}

}  // namespace

std::string RedactionLine(const Redactor& redactor) {
    std::string kinds;
    for (const RedactedKind kind : redactor.Kinds()) {
        kinds += kinds.empty() ? "" : ", ";
        kinds += RedactedKindText(kind);
    }
    std::string line;
    report_lines::AppendLine(
        line, "  Redacted        : ",
        "personal details replaced (" + (kinds.empty() ? "none found" : kinds) + ")");
    return line;
}

std::string RedactedReportTextOf(const CSystemReport& composer, const ReportFacts& facts,
                                 const Redactor& redactor) {
    const std::string report = ReportTextOf(composer, facts);
    std::string footer;
    composer.AppendFooter(footer);
    // The footer is the product's own text and stays; everything above it, the banner and any
    // block after it included, is redacted.
    const std::size_t body =
        report.ends_with(footer) ? report.size() - footer.size() : report.size();
    std::string redacted = redactor.Redact(std::string_view(report).substr(0, body));
    redacted += RedactionLine(redactor);
    redacted.append(report, body);
    return redacted;
}

Json RedactedJsonDocument(const Json& document, const Redactor& redactor) {
    Json kinds = Json::array();
    for (const RedactedKind kind : redactor.Kinds()) {
        kinds.push_back(RedactedKindId(kind));
    }
    Json redacted = Json::object();
    for (const auto& [key, value] : document.items()) {
        Json member = value;
        // The product's own members name no one.
        if (key != "product" && key != "version" && key != "sections") {
            RedactStrings(member, redactor);
        }
        redacted[key] = std::move(member);
        if (key == "sections") {
            redacted["redacted"] = kinds;
        }
    }
    return redacted;
}

std::string RedactedJsonReportOf(const ReportFacts& facts, const Redactor& redactor) {
    return JsonText(RedactedJsonDocument(JsonDocumentOf(facts), redactor));
}

std::string RedactedReportFileName(Platform& platform, const Redactor& redactor,
                                   std::string_view extension) {
    return ReportFileName(
        redactor.Redact(ComputerNameForFile(NetbiosStyleName(platform.ComputerName()))), extension);
}

}  // namespace kolt
