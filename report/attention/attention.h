// The Attention block: what looks wrong on the machine, judged by one table of rules over the
// report's gathered facts. It comes with the Extended Information section only, right after the
// banner, and has no lines at all when nothing looks wrong.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "report/attention/finding.h"
#include "report/json_value.h"
#include "report/report_sections.h"

namespace kolt {

// What a rule judges: the report's facts (the Extended Information section always among them),
// and the day this program was built (seconds since 1970 UTC; 0 where not known).
struct RuleInput {
    const ReportFacts& facts;
    const ExtendedFacts& extended;
    std::int64_t buildSeconds = 0;
};

// One row of the table: a rule and the code and severity of what it finds. A rule is a pure
// function; one whose facts were not gathered, or are unknown, finds nothing.
struct AttentionRule {
    std::string_view code;
    Severity severity;
    std::vector<RuleFinding> (*find)(const RuleInput& input);
};

// Every rule, in the order its findings are listed within one severity.
std::span<const AttentionRule> AttentionRules();

// When this build of the program was made, in seconds since 1970 UTC; 0 where not known.
std::int64_t ProgramBuildSeconds();

// What looks wrong, warnings first, each severity in table order; empty without the Extended
// Information section.
std::vector<Finding> FindingsOf(const ReportFacts& facts,
                                std::int64_t buildSeconds = ProgramBuildSeconds());

// The block's lines, appended to `report`: nothing for no finding.
void AppendAttentionText(const std::vector<Finding>& findings, std::string& report);
// The findings as the JSON form's array: code, severity, text and the facts object.
Json FindingsJson(const std::vector<Finding>& findings);

}  // namespace kolt
