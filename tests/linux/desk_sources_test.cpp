// The Linux sources of what a desk asks next: the readers on canned /run, /var/log, /sys and /etc
// trees, CUPS's states and addresses to the report's terms, and the answers of this machine
// against the system's own tools.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <utime.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/cups_printers.h"
#include "platform/linux/drm_displays.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/package_log.h"
#include "platform/linux/power_supply.h"
#include "platform/linux/proxy_variables.h"
#include "platform/linux/restart_pending.h"
#include "platform/linux/time_source.h"
#include "platform/posix/files.h"
#include "tests/support/canned_tree.h"

namespace kolt::linux_backend {
namespace {

using test_support::CannedTree;

TEST(LinuxDeskSources, RestartPendingOnlyWhereTheDistributionWritesIt) {
    struct Case {
        const char* name;
        std::map<std::string, std::string> files;
        std::optional<std::uint32_t> packages;
        bool pending;
        bool known;
    };
    const Case cases[] = {
        {"flag and packages, one listed twice",
         {{"run/reboot-required", "*** System restart required ***\n"},
          {"run/reboot-required.pkgs", "linux-base\nlibc6\nlinux-base\n\n"}},
         2,
         true,
         true},
        {"flag alone", {{"run/reboot-required", ""}}, std::nullopt, true, true},
        {"no flag, Ubuntu's hook installed",
         {{"usr/share/update-notifier/notify-reboot-required", "#!/bin/sh\n"}},
         std::nullopt,
         false,
         true},
        {"no flag, Debian's unattended-upgrades hook",
         {{"etc/kernel/postinst.d/unattended-upgrades", "#!/bin/sh\n"}},
         std::nullopt,
         false,
         true},
        {"no flag and nothing writes one",
         {{"etc/os-release", "ID=fedora\n"}},
         std::nullopt,
         false,
         false},
    };
    for (const Case& c : cases) {
        CannedTree tree;
        for (const auto& [path, text] : c.files) {
            tree.File(path, text);
        }
        const auto state = ReadRestartPending(tree.Root());
        ASSERT_EQ(state.has_value(), c.known) << c.name;
        if (!state) {
            continue;
        }
        EXPECT_EQ(!state->reasons.empty(), c.pending) << c.name;
        EXPECT_EQ(state->packageCount, c.packages) << c.name;
        EXPECT_EQ(state->pendingSince.has_value(), c.pending) << c.name;
    }
    CannedTree dated;
    dated.File("run/reboot-required", "");
    const utimbuf when{1796557498, 1796557498};
    ASSERT_EQ(::utime((dated.Root() + "/run/reboot-required").c_str(), &when), 0);
    EXPECT_EQ(ReadRestartPending(dated.Root())->pendingSince, 1796557498);
}

TEST(LinuxDeskSources, LastPackageRunFromTheManagersOwnLogs) {
    constexpr const char* kHistory =
        "\nStart-Date: 2026-11-30  09:00:01\nCommandline: apt-get upgrade\n"
        "Upgrade: tzdata:amd64 (2024a-0, 2024b-0)\nEnd-Date: 2026-11-30  09:00:09\n"
        "\nStart-Date: 2026-12-01  10:22:30\nCommandline: apt-get install jq\n"
        "End-Date: 2026-12-01  10:22:33\n"
        "\nStart-Date: 2026-12-02  08:00:00\nCommandline: apt-get install broken\n";
    constexpr const char* kDpkg =
        "2026-10-05 11:00:00 startup archives unpack\n"
        "2026-10-05 11:00:02 status installed jq:amd64 1.6-2.1\n"
        "2026-10-06 07:00:00 status half-configured x:amd64 1\n";
    struct Case {
        const char* name;
        std::map<std::string, std::string> files;
        std::optional<CalendarDate> date;
    };
    const Case cases[] = {
        {"apt's history: the last run that ended",
         {{"var/log/apt/history.log", kHistory}},
         CalendarDate{2026, 12, 1}},
        {"just rotated: the last rotation",
         {{"var/log/apt/history.log", ""}, {"var/log/apt/history.log.1", kHistory}},
         CalendarDate{2026, 12, 1}},
        {"dpkg's log where apt keeps none",
         {{"var/log/dpkg.log", kDpkg}},
         CalendarDate{2026, 10, 5}},
        {"a date that is none",
         {{"var/log/apt/history.log", "End-Date: 2026-13-01  10:00:00\n"}},
         std::nullopt},
        {"no package log: unknown", {{"var/log/messages", "x\n"}}, std::nullopt},
    };
    for (const Case& c : cases) {
        CannedTree tree;
        for (const auto& [path, text] : c.files) {
            tree.File(path, text);
        }
        const auto updates = ReadLastPackageRun(tree.Root());
        EXPECT_EQ(updates ? updates->newestDate : std::nullopt, c.date) << c.name;
        if (updates) {
            EXPECT_EQ(updates->newestId, std::nullopt);
            EXPECT_EQ(updates->count, std::nullopt);
        }
    }
}

TEST(LinuxDeskSources, PowerSuppliesBatteriesAndMains) {
    CannedTree laptop;
    const std::string bat0 = "sys/class/power_supply/BAT0/";
    laptop.File(bat0 + "type", "Battery\n");
    laptop.File(bat0 + "capacity", "87\n");
    laptop.File(bat0 + "charge_full", "4500000\n");
    laptop.File(bat0 + "charge_full_design", "5000000\n");
    laptop.File(bat0 + "cycle_count", "312\n");
    const std::string bat1 = "sys/class/power_supply/BAT1/";  // energy figures, no cycle count
    laptop.File(bat1 + "type", "Battery\n");
    laptop.File(bat1 + "energy_full", "50000000\n");
    laptop.File(bat1 + "energy_full_design", "48000000\n");
    laptop.File(bat1 + "cycle_count", "0\n");
    laptop.File("sys/class/power_supply/hidpp_battery_0/type", "Battery\n");
    laptop.File("sys/class/power_supply/hidpp_battery_0/scope", "Device\n");
    laptop.File("sys/class/power_supply/AC/type", "Mains\n");
    laptop.File("sys/class/power_supply/AC/online", "0\n");
    laptop.File("sys/class/power_supply/ucsi-source-psy-USBC000:001/type", "USB\n");
    laptop.File("sys/class/power_supply/ucsi-source-psy-USBC000:001/online", "1\n");
    const auto power = ReadPower(laptop.Root());
    ASSERT_TRUE(power);
    EXPECT_EQ(power->onMains, true) << "a USB-C supply online is mains";
    ASSERT_EQ(power->batteries.size(), 2u) << "the mouse's battery is left out";
    const BatteryInfo& first = power->batteries[0];
    EXPECT_EQ(first.name, "BAT0");
    EXPECT_EQ(first.chargePercent, 87u);
    EXPECT_EQ(first.fullChargeCapacity, 4500000u);
    EXPECT_EQ(first.designCapacity, 5000000u);
    EXPECT_EQ(first.cycleCount, 312u);
    const BatteryInfo& second = power->batteries[1];
    EXPECT_EQ(second.chargePercent, std::nullopt);
    EXPECT_EQ(second.fullChargeCapacity, 50000000u);
    EXPECT_EQ(second.designCapacity, 48000000u);
    EXPECT_EQ(second.cycleCount, std::nullopt) << "0 is what drivers write when they do not count";

    CannedTree desktop;
    desktop.Directory("sys/class/power_supply");
    const auto none = ReadPower(desktop.Root());
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->batteries.empty());
    EXPECT_EQ(none->onMains, std::nullopt);

    CannedTree noSysfs;
    EXPECT_EQ(ReadPower(noSysfs.Root()), std::nullopt);
}

TEST(LinuxDeskSources, ConnectedDrmConnectors) {
    CannedTree tree;
    tree.File("sys/class/drm/card0/dev", "226:0\n");
    tree.File("sys/class/drm/card0-eDP-1/status", "connected\n");
    tree.File("sys/class/drm/card0-eDP-1/modes", "1920x1080\n");
    tree.File("sys/class/drm/card0-HDMI-A-1/status", "disconnected\n");
    tree.File("sys/class/drm/card1-DP-3/status", "connected\n");
    tree.File("sys/class/drm/version", "drm 1.1.0 20060810\n");
    const auto displays = ReadDrmDisplays(tree.Root());
    ASSERT_EQ(displays.size(), 2u);
    EXPECT_EQ(displays[0].name, "eDP-1") << "card by card";
    EXPECT_EQ(displays[1].name, "DP-3");
    EXPECT_EQ(displays[0].widthPixels, std::nullopt) << "the modes list says none is current";
    EXPECT_FALSE(displays[0].primary);
}

TEST(LinuxDeskSources, ProxyVariablesInBothCases) {
    const std::map<std::string, std::string> environment = {
        {"HTTPS_PROXY", "http://u:p@proxy:3128"},
        {"http_proxy", "http://proxy:3128"},
        {"no_proxy", "localhost,.corp"},
        {"ftp_proxy", ""},
        {"PROXY", "not a proxy variable"}};
    const auto variables = ReadProxyVariables([&](const std::string& name) {
        const auto found = environment.find(name);
        return found != environment.end() ? std::optional(found->second) : std::nullopt;
    });
    ASSERT_EQ(variables.size(), 3u);
    EXPECT_EQ(variables[0].name, "http_proxy");
    EXPECT_EQ(variables[1].name, "HTTPS_PROXY");
    EXPECT_EQ(variables[1].value, "http://u:p@proxy:3128") << "the report masks it, not the reader";
    EXPECT_EQ(variables[2].name, "no_proxy");
}

TEST(LinuxDeskSources, TimeServersFromTheDaemonsConfiguration) {
    using Servers = std::vector<std::string>;
    EXPECT_EQ(ChronyOrNtpServers("# comment\npool 2.debian.pool.ntp.org iburst\n"
                                 "server ntp.corp.example iburst # ours\nsourcedir /run/chrony\n"
                                 "  server  10.0.0.1\nserverx no\n"),
              (Servers{"2.debian.pool.ntp.org", "ntp.corp.example", "10.0.0.1"}));
    EXPECT_EQ(TimesyncdServers("[Time]\n#NTP=\nFallbackNTP=0.pool.example 1.pool.example\n"),
              (Servers{"0.pool.example", "1.pool.example"}));
    EXPECT_EQ(TimesyncdServers("[Time]\nNTP=a.example\nFallbackNTP=b.example\nNTP=c.example\n"),
              Servers{"c.example"});
    CannedTree tree;
    tree.File("etc/chrony/chrony.conf", "pool pool.example\n");
    tree.File("etc/systemd/timesyncd.conf", "[Time]\nNTP=unused.example\n");
    const TimeSource source = ReadTimeSource(tree.Root(), true);
    EXPECT_EQ(source.servers, Servers{"pool.example"});
    EXPECT_EQ(source.synchronised, true);
    EXPECT_EQ(source.type, std::nullopt);
}

TEST(LinuxDeskSources, CupsStatesAndNetworkQueues) {
    using C = PrinterCondition;
    struct Case {
        std::optional<int> state;
        const char* reasons;
        std::vector<C> conditions;
    };
    const Case cases[] = {
        {3, "none", {}},
        {4, "", {}},
        {5, "paused", {C::Paused}},
        {5, "none", {C::Offline}},
        {3, "offline-report", {C::Offline}},
        {3, "media-empty-error,toner-low-warning", {C::OutOfPaper}},
        {3, "media-empty-warning,cups-waiting-for-job-completed", {C::Error}},
        {5, "door-open,media-jam-error,paused", {C::Paused, C::PaperJam, C::DoorOpen}},
        {3, "marker-supply-empty-error, cover-open", {C::NoToner, C::DoorOpen}},
        {3, "connecting-to-device-report", {}},
        {std::nullopt, "other-error", {C::Error}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CupsConditions(c.state, c.reasons), c.conditions) << c.reasons;
    }
    EXPECT_TRUE(CupsNetworkPrinter(2, ""));
    EXPECT_TRUE(CupsNetworkPrinter(0x800C, "socket://192.0.2.9:9100"));
    EXPECT_TRUE(CupsNetworkPrinter(std::nullopt, "ipps://printer.corp.example/ipp/print"));
    EXPECT_FALSE(CupsNetworkPrinter(0x800C, "usb://HP/LaserJet?serial=1"));
    EXPECT_FALSE(CupsNetworkPrinter(std::nullopt, "cups-pdf:/"));
}

// libcups reads CUPS_SERVER once per thread: each asking on a thread of its own, as the backend
// asks.
std::optional<PrinterList> CupsPrintersOnAThread() {
    std::optional<PrinterList> printers;
    std::thread([&printers] { printers = ReadCupsPrinters(); }).join();
    return printers;
}

// --- This machine's answers against the system's own tools ------------------------------------

// A command's standard output; nullopt when it cannot run or fails.
std::optional<std::string> Output(const std::string& command) {
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(
        ::popen((command + " 2>/dev/null").c_str(), "r"), ::pclose);
    if (!pipe) {
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) {
        text.append(buffer, n);
    }
    return text;
}

TEST(LinuxDeskMachine, ConnectedDisplaysAsTheKernelListsThem) {
    const auto statuses = Output("cat /sys/class/drm/card*-*/status");
    if (!statuses || statuses->empty()) {
        GTEST_SKIP() << "this machine has no DRM connectors (no graphics device)";
    }
    std::size_t connected = 0;
    for (std::size_t at = 0; (at = statuses->find("connected\n", at)) != std::string::npos;
         at += 10) {
        connected += at == 0 || (*statuses)[at - 1] == '\n' ? 1 : 0;
    }
    EXPECT_EQ(ReadDrmDisplays("").size(), connected);
}

TEST(LinuxDeskMachine, ClockSynchronisedAsTimedatectlSays) {
    const auto shown = Output("timedatectl show --property=NTPSynchronized --value");
    if (!shown || shown->empty()) {
        GTEST_SKIP() << "timedatectl cannot answer here (no systemd-timedated on the bus)";
    }
    const auto ours = KernelClockSynchronised();
    ASSERT_TRUE(ours) << "adjtimex needs no privilege to be read";
    EXPECT_EQ(*ours, shown->starts_with("yes"));
}

// Against lpstat, on the server CUPS_SERVER names: the private one cups-queues-test.sh starts,
// with a ready queue, a disabled one, a network one with jobs held, and the default.
TEST(LinuxDeskMachine, CupsQueuesAsLpstatShowsThem) {
    const char* server = std::getenv("KOLT_TEST_CUPS");
    if (server == nullptr) {
        GTEST_SKIP() << "run by cups-queues-test.sh, which starts a private print server";
    }
    const auto printers = CupsPrintersOnAThread();
    ASSERT_TRUE(printers) << "the private server did not answer";
    const auto lpstat = Output("lpstat -p -d");
    ASSERT_TRUE(lpstat);
    ASSERT_EQ(printers->size(), 3u) << *lpstat;
    std::map<std::string, PrinterInfo> byName;
    for (const PrinterInfo& printer : *printers) {
        byName[printer.name] = printer;
        EXPECT_NE(lpstat->find("printer " + printer.name + " "), std::string::npos)
            << printer.name << " is not in\n"
            << *lpstat;
    }
    EXPECT_NE(lpstat->find("system default destination: KoltReady"), std::string::npos);
    EXPECT_TRUE(byName["KoltReady"].isDefault);
    EXPECT_TRUE(byName["KoltReady"].conditions.empty());
    EXPECT_EQ(byName["KoltReady"].jobsWaiting, 0u);
    EXPECT_NE(lpstat->find("printer KoltStopped disabled"), std::string::npos);
    EXPECT_EQ(byName["KoltStopped"].conditions, std::vector{PrinterCondition::Paused});
    EXPECT_FALSE(byName["KoltStopped"].isDefault);
    EXPECT_TRUE(byName["KoltNetwork"].network);
    EXPECT_FALSE(byName["KoltReady"].network);
    EXPECT_EQ(byName["KoltNetwork"].jobsWaiting, 2u);
}

// A server that is not there is no answer, not "no printers".
TEST(LinuxDeskMachine, NoPrintServerIsUnknown) {
    const std::string previous = std::getenv("CUPS_SERVER") ? std::getenv("CUPS_SERVER") : "";
    ::setenv("CUPS_SERVER", "/nonexistent/kolt-cups.sock", 1);
    EXPECT_EQ(CupsPrintersOnAThread(), std::nullopt);
    if (previous.empty()) {
        ::unsetenv("CUPS_SERVER");
    } else {
        ::setenv("CUPS_SERVER", previous.c_str(), 1);
    }
}

// A print server that takes the connection and never answers costs the report one deadline, and
// the next report does not wait for it again while it is still stuck.
TEST(LinuxDeskMachine, SilentPrintServerCostsOneDeadline) {
    test_support::ScratchDirectory directory{"kolt_cups_"};
    const std::string path = (directory.Path() / "silent.sock").string();
    const posix::UniqueFd listener(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    ASSERT_EQ(::bind(listener.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address),
              0);
    ASSERT_EQ(::listen(listener.Get(), 4), 0);
    ::setenv("CUPS_SERVER", path.c_str(), 1);
    LinuxPlatform platform;
    for (const auto limit : {std::chrono::milliseconds(900), std::chrono::milliseconds(100)}) {
        const auto start = std::chrono::steady_clock::now();
        platform.StartDeskQuestions();
        EXPECT_EQ(platform.Printers(), std::nullopt);
        EXPECT_LT(std::chrono::steady_clock::now() - start, limit);
    }
    ::unsetenv("CUPS_SERVER");
}

}  // namespace
}  // namespace kolt::linux_backend
