#include "report/attention/attention.h"

#include <algorithm>
#include <array>

#include <nlohmann/json.hpp>

#include "kolt_build_date.h"
#include "report/attention/rules.h"
#include "report/report_lines.h"

namespace kolt {

namespace {

using namespace attention;

// The one table of rules. Codes are what fleets count: once released, a code is never renamed
// (docs/user-guide.md lists them, the JSON schema holds them).
constexpr std::array<AttentionRule, 20> kRules{{
    {"drive-almost-full", Severity::Warning, DriveAlmostFull},
    {"drive-not-answering", Severity::Warning, DriveNotAnswering},
    {"no-ipv4-address", Severity::Warning, NoIpv4Address},
    {"automatic-private-address", Severity::Warning, AutomaticPrivateAddress},
    {"own-name-not-resolved", Severity::Warning, OwnNameNotResolved},
    {"os-out-of-support", Severity::Warning, OutOfSupport},
    {"clock-before-build", Severity::Warning, ClockBeforeBuild},
    {"antivirus-missing", Severity::Warning, AntivirusMissing},
    {"antivirus-off", Severity::Warning, AntivirusOff},
    {"antivirus-out-of-date", Severity::Warning, AntivirusOutOfDate},
    {"firewall-off", Severity::Warning, FirewallOff},
    {"battery-low", Severity::Warning, BatteryLow},
    {"memory-almost-full", Severity::Notice, MemoryAlmostFull},
    {"restart-pending", Severity::Notice, RestartPending},
    {"up-too-long", Severity::Notice, UpTooLong},
    {"time-not-synchronised", Severity::Notice, TimeNotSynchronised},
    {"updates-out-of-date", Severity::Notice, UpdatesOutOfDate},
    {"printer-not-ready", Severity::Notice, PrinterNotReady},
    {"battery-worn", Severity::Notice, BatteryWorn},
    {"proxy-mismatch", Severity::Notice, ProxyMismatch},
}};

Json FactJson(const FindingValue& value) {
    return std::visit([](const auto& held) { return Json(held); }, value);
}

}  // namespace

std::string_view SeverityText(Severity severity) {
    return severity == Severity::Warning ? "warning" : "notice";
}

std::span<const AttentionRule> AttentionRules() {
    return kRules;
}

std::int64_t ProgramBuildSeconds() {
    return KOLT_BUILD_EPOCH;
}

std::vector<Finding> FindingsOf(const ReportFacts& facts, std::int64_t buildSeconds) {
    std::vector<Finding> findings;
    if (!facts.extended) {
        return findings;
    }
    const RuleInput input{facts, *facts.extended, buildSeconds};
    for (const AttentionRule& rule : kRules) {
        for (RuleFinding& found : rule.find(input)) {
            findings.push_back(
                Finding{rule.code, rule.severity, std::move(found.text), std::move(found.facts)});
        }
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.severity < b.severity; });
    return findings;
}

void AppendAttentionText(const std::vector<Finding>& findings, std::string& report) {
    if (findings.empty()) {
        return;
    }
    report_lines::AppendLine(report, report_lines::kBlockOpening);
    report_lines::AppendLine(report, "  Attention");
    report_lines::AppendLine(report, report_lines::kBlockUnderline);
    for (const Finding& finding : findings) {
        report_lines::AppendLine(report, "  ", finding.text);
    }
    report_lines::AppendLine(report, report_lines::kBlockOpening);
}

Json FindingsJson(const std::vector<Finding>& findings) {
    Json list = Json::array();
    for (const Finding& finding : findings) {
        Json facts = Json::object();
        for (const auto& [name, value] : finding.facts) {
            facts[std::string(name)] = FactJson(value);
        }
        list.push_back(Json{{"code", finding.code},
                            {"severity", SeverityText(finding.severity)},
                            {"text", finding.text},
                            {"facts", std::move(facts)}});
    }
    return list;
}

}  // namespace kolt
