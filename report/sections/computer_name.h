// The Computer Name line: the machine's NetBIOS-style name.
#pragma once

#include <optional>
#include <string>

#include "report/gather_context.h"
#include "report/json_value.h"

namespace kolt {

struct ComputerNameFacts {
    std::optional<std::string> name;  // nullopt: unknown, or too long for its area
};

ComputerNameFacts GatherComputerName(GatherContext& context);

void AppendComputerNameText(const ComputerNameFacts& facts, std::string& report);
void WriteComputerNameJson(const ComputerNameFacts& facts, Json& value);

}  // namespace kolt
