// The Operating System and Version lines: the system's product name and version.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"
#include "report/gather_context.h"
#include "report/json_value.h"

namespace kolt {

struct OperatingSystemFacts {
    OperatingSystemInfo found;  // as the system names itself now
    // The version an earlier lookup of the same composer found: the text shows it where the
    // system gives no version now.
    std::optional<std::string> versionFoundBefore;
};

// Remembers a version it finds for the lookups after it.
OperatingSystemFacts GatherOperatingSystem(GatherContext& context);

// Whether the report names Windows 95, in the name or the version as the lines show them.
bool IsWindows95(const OperatingSystemFacts& facts);

void AppendOperatingSystemText(const OperatingSystemFacts& facts, std::string& report);
// The name and version found now, null where the system gave none.
void WriteOperatingSystemJson(const OperatingSystemFacts& facts, Json& value);

}  // namespace kolt
