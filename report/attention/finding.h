// One thing the report says looks wrong: a stable code that fleets count, how serious it is, a
// sentence a caller can read out, and the facts it rests on.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace kolt {

// Most serious first: the block lists warnings before notices.
enum class Severity { Warning, Notice };

// A fact a finding rests on, as its JSON member: a text, a whole number or a share.
using FindingValue = std::variant<std::string, std::int64_t, double>;
using FindingFact = std::pair<std::string_view, FindingValue>;

// A count as a fact: counts beyond the signed range (which no drive reaches) stop at its top.
constexpr std::int64_t CountValue(std::uint64_t count) {
    constexpr auto kLargest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    return static_cast<std::int64_t>(count > kLargest ? kLargest : count);
}

// What a rule finds: the sentence and its facts. The table of rules adds code and severity.
struct RuleFinding {
    std::string text;
    std::vector<FindingFact> facts;
};

struct Finding {
    std::string_view code;  // never renamed once released
    Severity severity = Severity::Notice;
    std::string text;
    std::vector<FindingFact> facts;
};

// "warning", "notice".
std::string_view SeverityText(Severity severity);

}  // namespace kolt
