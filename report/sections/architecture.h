// The Architecture lines: the processor's vendor, the processor count, its identifier and MMX.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "report/gather_context.h"
#include "report/json_value.h"

namespace kolt {

struct ArchitectureFacts {
    ProcessorInfo found;  // as the system describes the processor
    std::int32_t processors = 1;
};

ArchitectureFacts GatherArchitecture(GatherContext& context);

// The identifier as the system gave it, or made from the family, model and stepping numbers:
// "<arch> Family F Model M Stepping S", with "x86" for a 32-bit program and otherwise "Intel64"
// for GenuineIntel and "AMD64" for every other vendor, as Windows names them. nullopt when
// neither is known.
std::optional<std::string> ProcessorIdentifier(const ProcessorInfo& processor);

void AppendArchitectureText(const ArchitectureFacts& facts, std::string& report);
// The vendor and identifier as found (null where not), the count and MMX.
void WriteArchitectureJson(const ArchitectureFacts& facts, Json& value);

}  // namespace kolt
