// The User Name line, and the user's domains where the session names them.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"
#include "report/gather_context.h"
#include "report/json_value.h"

namespace kolt {

struct UserNameFacts {
    std::optional<std::string> name;  // nullopt: unknown, or too long for its area
    UserDomainNames domains;
};

UserNameFacts GatherUserName(GatherContext& context);

void AppendUserNameText(const UserNameFacts& facts, std::string& report);
// The domains are absent, as the text leaves their lines out, where the session names none.
void WriteUserNameJson(const UserNameFacts& facts, Json& value);

}  // namespace kolt
