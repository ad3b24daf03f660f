// The Windows rules for what a desk asks next, over canned answers: registry values to restart
// reasons, the firewall's policy over its local settings, the time service's parameters, the
// security center's product states, the spooler's status bits, the hotfix list's dates, the power
// status and the monitors' scales.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/monitor_rules.h"
#include "platform/win32/power_rules.h"
#include "platform/win32/printer_rules.h"
#include "platform/win32/restart_rules.h"
#include "platform/win32/security_rules.h"
#include "platform/win32/time_source_rules.h"
#include "platform/win32/update_rules.h"
#include "tests/win32_rules/canned_registry.h"

namespace kolt::win32 {
namespace {

using test_support::CannedRegistry;
using test_support::Value;

const std::string kSession(kSessionManagerKey);
const std::string kActive(kActiveComputerNameKey);
const std::string kPending(kPendingComputerNameKey);
using Reasons = std::vector<RestartReason>;

TEST(ReadRestartState, EachRegistrySignGivesItsReason) {
    const std::vector<Value> sameNames = {{kActive, "ComputerName", "DESK042"},
                                          {kPending, "ComputerName", "DESK042"}};
    struct Case {
        const char* what;
        std::vector<std::string> keys;
        std::vector<Value> values;
        std::optional<Reasons> expected;  // nullopt: the registry does not answer
    };
    const auto with = [&sameNames](std::vector<Value> more) {
        more.insert(more.end(), sameNames.begin(), sameNames.end());
        return more;
    };
    const Case cases[] = {
        {"nothing waits", {kSession}, sameNames, Reasons{}},
        {"Windows Update",
         {kSession, std::string(kUpdateRebootKey)},
         sameNames,
         Reasons{RestartReason::WindowsUpdate}},
        {"component servicing",
         {kSession, std::string(kServicingRebootKey)},
         sameNames,
         Reasons{RestartReason::ComponentServicing}},
        {"file renames",
         {},
         with({{kSession, "PendingFileRenameOperations", "\\??\\C:\\a"}}),
         Reasons{RestartReason::FileRenames}},
        {"file renames in the second list",
         {},
         with({{kSession, "PendingFileRenameOperations2", "\\??\\C:\\a"}}),
         Reasons{RestartReason::FileRenames}},
        {"an empty rename list is none",
         {},
         with({{kSession, "PendingFileRenameOperations", std::string("\0", 1)}}),
         Reasons{}},
        {"a rename waits",
         {kSession},
         {{kActive, "ComputerName", "DESK042"}, {kPending, "ComputerName", "DESK043"}},
         Reasons{RestartReason::ComputerRename}},
        {"names differing in case only",
         {kSession},
         {{kActive, "ComputerName", "DESK042"}, {kPending, "ComputerName", "desk042"}},
         Reasons{}},
        {"one name unreadable is no rename",
         {kSession},
         {{kActive, "ComputerName", "DESK042"}},
         Reasons{}},
        {"all together, in order",
         {std::string(kServicingRebootKey), std::string(kUpdateRebootKey)},
         {{kSession, "PendingFileRenameOperations", "x"},
          {kActive, "ComputerName", "A"},
          {kPending, "ComputerName", "B"}},
         Reasons{RestartReason::WindowsUpdate, RestartReason::ComponentServicing,
                 RestartReason::FileRenames, RestartReason::ComputerRename}},
        {"a registry that does not answer is unknown", {}, {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CannedRegistry registry(c.keys, c.values);
        const std::optional<RestartState> state = ReadRestartState(registry);
        ASSERT_EQ(state.has_value(), c.expected.has_value());
        if (state) {
            EXPECT_EQ(state->reasons, *c.expected);
            EXPECT_EQ(state->packageCount, std::nullopt);
        }
    }
}

TEST(ReadRestartState, SinceIsTheEarlierOfTheRestartKeysWriteTimes) {
    CannedRegistry registry(
        {kSession, std::string(kUpdateRebootKey), std::string(kServicingRebootKey)}, {});
    registry.SetWriteTime(kSession, 1000);  // any value's change: not when the restart began
    registry.SetWriteTime(std::string(kUpdateRebootKey), 1'700'000'500);
    registry.SetWriteTime(std::string(kServicingRebootKey), 1'700'000'100);
    EXPECT_EQ(ReadRestartState(registry)->pendingSince, 1'700'000'100);

    CannedRegistry renamesOnly({}, {{kSession, "PendingFileRenameOperations", "x"}});
    renamesOnly.SetWriteTime(kSession, 1000);
    EXPECT_EQ(ReadRestartState(renamesOnly)->pendingSince, std::nullopt);
}

TEST(ReadFirewallProfiles, PolicyWinsWhereItSetsAValue) {
    const std::string local(kFirewallLocalKey);
    const std::string policy(kFirewallPolicyKey);
    CannedRegistry registry({}, {
                                    {local + "\\DomainProfile", "EnableFirewall", 1u},
                                    {local + "\\StandardProfile", "EnableFirewall", 1u},
                                    {local + "\\PublicProfile", "EnableFirewall", 0u},
                                    {policy + "\\DomainProfile", "EnableFirewall", 0u},
                                    {policy + "\\PublicProfile", "EnableFirewall", 1u},
                                    // a local name under the policy key is not the policy's
                                    {policy + "\\StandardProfile", "EnableFirewall", 0u},
                                });
    const FirewallProfiles profiles = ReadFirewallProfiles(registry);
    EXPECT_EQ(profiles.domain, false);
    EXPECT_EQ(profiles.privateProfile, true);
    EXPECT_EQ(profiles.publicProfile, true);

    CannedRegistry unset({}, {{local + "\\PublicProfile", "EnableFirewall", 2u}});
    const FirewallProfiles partly = ReadFirewallProfiles(unset);
    EXPECT_EQ(partly.domain, std::nullopt);
    EXPECT_EQ(partly.privateProfile, std::nullopt);
    EXPECT_EQ(partly.publicProfile, true);
}

TEST(ReadTimeSource, TypeServersAndServiceState) {
    const std::string key(kTimeParametersKey);
    CannedRegistry configured(
        {}, {{key, "Type", "NTP"}, {key, "NtpServer", " time.windows.com,0x9  ntp.example,0x1 "}});
    const std::optional<TimeSource> source = ReadTimeSource(configured, true);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->type, "NTP");
    EXPECT_EQ(source->servers,
              (std::vector<std::string>{"time.windows.com,0x9", "ntp.example,0x1"}));
    EXPECT_EQ(source->serviceRunning, true);
    EXPECT_EQ(source->synchronised, std::nullopt);

    CannedRegistry none({}, {});
    EXPECT_EQ(ReadTimeSource(none, std::nullopt), std::nullopt);
    const std::optional<TimeSource> stopped = ReadTimeSource(none, false);
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped->serviceRunning, false);
    EXPECT_EQ(stopped->type, std::nullopt);
}

TEST(MeaningOfProductState, ConditionAndSignatureBits) {
    struct Case {
        std::uint32_t state;
        std::optional<bool> enabled;
        std::optional<bool> upToDate;
    };
    const Case cases[] = {
        {0x061100, true, true},          // on, up to date
        {0x061110, true, false},         // on, out of date
        {0x060100, false, true},         // off
        {0x062100, false, true},         // snoozed
        {0x063110, false, false},        // expired
        {0x064100, std::nullopt, true},  // a condition not known here
        {0x061120, true, std::nullopt},  // a signature status not known here
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        const ProductStateMeaning meaning = MeaningOfProductState(c.state);
        EXPECT_EQ(meaning.enabled, c.enabled);
        EXPECT_EQ(meaning.upToDate, c.upToDate);
    }
}

TEST(PrinterConditions, StatusBitsAndWorkOffline) {
    using C = PrinterCondition;
    struct Case {
        std::uint32_t status;
        std::uint32_t attributes;
        std::vector<C> expected;
    };
    const Case cases[] = {
        {0, 0, {}},
        {kPrinterOffline, 0, {C::Offline}},
        {0, kPrinterAttributeWorkOffline, {C::Offline}},
        {kPrinterOffline, kPrinterAttributeWorkOffline, {C::Offline}},
        {kPrinterPaused | kPrinterError, 0, {C::Paused, C::Error}},
        {kPrinterPaperOut | kPrinterPaperJam, 0, {C::OutOfPaper, C::PaperJam}},
        {kPrinterNoToner | kPrinterDoorOpen, 0, {C::NoToner, C::DoorOpen}},
        {0x00020000 /* toner low */ | 0x00000400 /* printing */, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        EXPECT_EQ(PrinterConditions(c.status, c.attributes), c.expected);
    }
}

TEST(PrintersFromRecords, NetworkDefaultAndJobs) {
    const PrinterList printers =
        PrintersFromRecords({{"Local PDF", 0, 0, 0},
                             {"\\\\print01\\Floor 2", kPrinterOffline, 0, 3},
                             {"Lobby", 0, kPrinterAttributeNetwork, 1}},
                            std::string("\\\\PRINT01\\floor 2"));
    ASSERT_EQ(printers.size(), 3u);
    EXPECT_FALSE(printers[0].network);
    EXPECT_FALSE(printers[0].isDefault);
    EXPECT_TRUE(printers[1].network);
    EXPECT_TRUE(printers[1].isDefault);
    EXPECT_EQ(printers[1].jobsWaiting, 3u);
    EXPECT_EQ(printers[1].conditions, std::vector<PrinterCondition>{PrinterCondition::Offline});
    EXPECT_TRUE(printers[2].network);
    EXPECT_FALSE(PrintersFromRecords({{"A", 0, 0, 0}}, std::nullopt)[0].isDefault);
}

TEST(ParseInstalledOn, TheFormsTheHotfixListWrites) {
    struct Case {
        const char* text;
        std::optional<CalendarDate> expected;
    };
    const Case cases[] = {
        {"11/14/2023", CalendarDate{2023, 11, 14}},
        {"1/2/2024", CalendarDate{2024, 1, 2}},
        {"20240229", CalendarDate{2024, 2, 29}},
        {"2/29/2023", std::nullopt},  // no such day
        {"14/11/2023", std::nullopt},
        {"01d2b6c2a0e1f000", std::nullopt},  // a raw file time
        {"11/14/23", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseInstalledOn(c.text), c.expected);
    }
}

TEST(NewestUpdate, NewestDateFirstListedAndDistinctCount) {
    const InstalledUpdates updates = NewestUpdate({{"KB5031000", "10/10/2023"},
                                                   {"KB5032190", "11/14/2023"},
                                                   {"KB5032007", "11/14/2023"},
                                                   {"KB5032190", "11/14/2023"},
                                                   {"KB4000000", std::nullopt},
                                                   {"", "12/1/2023"}});
    EXPECT_EQ(updates.newestId, "KB5032190");
    EXPECT_EQ(updates.newestDate, (CalendarDate{2023, 11, 14}));
    EXPECT_EQ(updates.count, 4u);

    const InstalledUpdates none = NewestUpdate({});
    EXPECT_EQ(none.count, 0u);
    EXPECT_EQ(none.newestId, std::nullopt);
}

TEST(PowerFromStatus, MainsAndBatteries) {
    const SystemPowerAnswer desktop{1, kNoSystemBattery, 255};
    const std::optional<PowerInfo> noBattery = PowerFromStatus(desktop, {});
    ASSERT_TRUE(noBattery);
    EXPECT_EQ(noBattery->onMains, true);
    EXPECT_TRUE(noBattery->batteries.empty());

    // The status knows of a battery that no driver described: one battery with its charge.
    const std::optional<PowerInfo> laptop = PowerFromStatus(SystemPowerAnswer{0, 1, 80}, {});
    ASSERT_TRUE(laptop);
    EXPECT_EQ(laptop->onMains, false);
    ASSERT_EQ(laptop->batteries.size(), 1u);
    EXPECT_EQ(laptop->batteries[0].chargePercent, 80u);

    BatteryInfo described;
    described.name = "DELL 7FHHR";
    described.designCapacity = 60000;
    described.fullChargeCapacity = 51000;
    const std::optional<PowerInfo> drivers =
        PowerFromStatus(SystemPowerAnswer{255, 8, 42}, {described});
    ASSERT_TRUE(drivers);
    EXPECT_EQ(drivers->onMains, std::nullopt);
    EXPECT_EQ(drivers->batteries[0].chargePercent, 42u);
    EXPECT_EQ(drivers->batteries[0].designCapacity, 60000u);

    // Whether there is a battery is not known: unknown, never "no battery".
    EXPECT_EQ(PowerFromStatus(SystemPowerAnswer{1, kBatteryStatusUnknown, 255}, {}), std::nullopt);
    EXPECT_EQ(PowerFromStatus(std::nullopt, {}), std::nullopt);
}

TEST(Monitors, ScaleOfDpiAndPrimaryFirst) {
    EXPECT_EQ(ScalePercentOfDpi(96), 100u);
    EXPECT_EQ(ScalePercentOfDpi(120), 125u);
    EXPECT_EQ(ScalePercentOfDpi(144), 150u);
    EXPECT_EQ(ScalePercentOfDpi(192), 200u);
    EXPECT_EQ(ScalePercentOfDpi(0), std::nullopt);

    std::vector<DisplayInfo> displays(3);
    displays[0].name = "left";
    displays[1].name = "middle";
    displays[1].primary = true;
    displays[2].name = "right";
    const std::vector<DisplayInfo> ordered = PrimaryFirst(displays);
    EXPECT_EQ(ordered[0].name, "middle");
    EXPECT_EQ(ordered[1].name, "left");
    EXPECT_EQ(ordered[2].name, "right");
}

}  // namespace
}  // namespace kolt::win32
