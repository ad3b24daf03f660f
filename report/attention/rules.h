// The rules of the Attention block, each a pure function of the gathered facts, grouped by what
// they look at. The table in attention.cpp gives each its code and severity; their thresholds
// are in thresholds.h.
#pragma once

#include <vector>

#include "report/attention/attention.h"

namespace kolt::attention {

// Drives and memory.
std::vector<RuleFinding> DriveAlmostFull(const RuleInput& input);
std::vector<RuleFinding> DriveNotAnswering(const RuleInput& input);
std::vector<RuleFinding> MemoryAlmostFull(const RuleInput& input);

// The network.
std::vector<RuleFinding> NoIpv4Address(const RuleInput& input);
std::vector<RuleFinding> AutomaticPrivateAddress(const RuleInput& input);
std::vector<RuleFinding> OwnNameNotResolved(const RuleInput& input);

// The system and its clock.
std::vector<RuleFinding> OutOfSupport(const RuleInput& input);
std::vector<RuleFinding> ClockBeforeBuild(const RuleInput& input);
std::vector<RuleFinding> RestartPending(const RuleInput& input);
std::vector<RuleFinding> UpTooLong(const RuleInput& input);
std::vector<RuleFinding> TimeNotSynchronised(const RuleInput& input);
std::vector<RuleFinding> UpdatesOutOfDate(const RuleInput& input);

// Protection.
std::vector<RuleFinding> AntivirusMissing(const RuleInput& input);
std::vector<RuleFinding> AntivirusOff(const RuleInput& input);
std::vector<RuleFinding> AntivirusOutOfDate(const RuleInput& input);
std::vector<RuleFinding> FirewallOff(const RuleInput& input);

// Devices and settings.
std::vector<RuleFinding> BatteryLow(const RuleInput& input);
std::vector<RuleFinding> BatteryWorn(const RuleInput& input);
std::vector<RuleFinding> PrinterNotReady(const RuleInput& input);
std::vector<RuleFinding> ProxyMismatch(const RuleInput& input);

// The report's date as days since 1970 (local), where the clock converted.
std::optional<std::int64_t> ReportDay(const RuleInput& input);
// "2026-12-07".
std::string DayText(std::int64_t daysSince1970);

}  // namespace kolt::attention
