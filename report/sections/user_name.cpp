#include "report/sections/user_name.h"

#include <utility>

#include <nlohmann/json.hpp>

#include "report/json_or_null.h"
#include "report/name_area.h"
#include "report/report_limits.h"
#include "report/report_lines.h"

namespace kolt {

UserNameFacts GatherUserName(GatherContext& context) {
    Platform& platform = context.platform;
    std::optional<std::string> name = NameInArea(platform.UserName(), limits::kUserNameArea);
    return UserNameFacts{std::move(name), platform.UserDomains()};
}

void AppendUserNameText(const UserNameFacts& facts, std::string& report) {
    report_lines::AppendLine(report, "  User Name       : ", facts.name.value_or("Unknown"));
    // Each domain line appears only when the session names that domain, even as an empty value,
    // and carries the value whole, however long.
    if (facts.domains.domain) {
        report_lines::AppendLine(report, "  User Domain     : ", *facts.domains.domain);
    }
    if (facts.domains.dnsDomain) {
        report_lines::AppendLine(report, "  User DNS Domain : ", *facts.domains.dnsDomain);
    }
}

void WriteUserNameJson(const UserNameFacts& facts, Json& value) {
    value = Json{{"name", OrNull(facts.name)}};
    if (facts.domains.domain) {
        value["domain"] = *facts.domains.domain;
    }
    if (facts.domains.dnsDomain) {
        value["dnsDomain"] = *facts.domains.dnsDomain;
    }
}

}  // namespace kolt
