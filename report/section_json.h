// The JSON form of each section: writes to `value` the section's facts as values (byte counts as
// integers, percentages and megahertz as numbers, unknown facts as null) rather than laid-out text.
// Pure functions of the section's facts.
#pragma once

#include <nlohmann/json_fwd.hpp>

#include "report/report_facts.h"

namespace kolt {

// Members keep the order they are added in.
using Json = nlohmann::ordered_json;

void WriteDateTimeJson(const DateTimeFacts& facts, Json& value);
void WriteArchitectureJson(const ArchitectureFacts& facts, Json& value);
void WriteCpuSpeedJson(const CpuSpeedFacts& facts, Json& value);
void WriteOperatingSystemJson(const OperatingSystemFacts& facts, Json& value);
void WriteComputerNameJson(const ComputerNameFacts& facts, Json& value);
void WriteIpAddressJson(const IpAddressFacts& facts, Json& value);
void WriteUserJson(const UserFacts& facts, Json& value);
void WriteMemoryJson(const MemoryFacts& facts, Json& value);
void WriteDisksJson(const DiskFacts& facts, Json& value);
void WriteExtendedJson(const ExtendedFacts& facts, Json& value);

}  // namespace kolt
