// The text form of each section: appends the section's lines, laid out as the report prints
// them, to `report`. Pure functions of the section's facts.
#pragma once

#include <string>

#include "report/report_facts.h"

namespace kolt {

void AppendDateTimeText(const DateTimeFacts& facts, std::string& report);
void AppendArchitectureText(const ArchitectureFacts& facts, std::string& report);
void AppendCpuSpeedText(const CpuSpeedFacts& facts, std::string& report);
void AppendOperatingSystemText(const OperatingSystemFacts& facts, std::string& report);
void AppendComputerNameText(const ComputerNameFacts& facts, std::string& report);
void AppendIpAddressText(const IpAddressFacts& facts, std::string& report);
void AppendUserText(const UserFacts& facts, std::string& report);
void AppendMemoryText(const MemoryFacts& facts, std::string& report);
void AppendDisksText(const DiskFacts& facts, std::string& report);
// An unknown extended fact has no line.
void AppendExtendedText(const ExtendedFacts& facts, std::string& report);

}  // namespace kolt
