#include "report/sections/extended.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "report/address_text.h"
#include "report/report_lines.h"
#include "report/sections/desk_facts.h"
#include "report/sections/extended_lines.h"

namespace kolt {

using extended_lines::DateText;
using extended_lines::LineIfKnown;
using extended_lines::ListLines;
using extended_lines::LocalTimeText;
using extended_lines::SubLabel;
using extended_lines::TopLabel;

namespace {

constexpr std::uint64_t kSecondsPerDay = 86400;

// "3 days, 04:12:55", "1 day, 00:00:05", "04:12:55".
std::string UpTimeText(std::uint64_t seconds) {
    const unsigned long long days = seconds / kSecondsPerDay;
    const auto rest = static_cast<int>(seconds % kSecondsPerDay);
    char text[64];
    if (days == 0) {
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", rest / 3600, rest / 60 % 60, rest % 60);
    } else {
        std::snprintf(text, sizeof text, "%llu %s, %02d:%02d:%02d", days,
                      days == 1 ? "day" : "days", rest / 3600, rest / 60 % 60, rest % 60);
    }
    return text;
}

template <typename Item, typename Format>
std::vector<std::string> Texts(const std::vector<Item>& items, Format format) {
    std::vector<std::string> texts;
    for (const Item& item : items) {
        texts.push_back(format(item));
    }
    return texts;
}

std::optional<std::string> Number(const std::optional<std::uint32_t>& count) {
    return count ? std::optional(std::to_string(*count)) : std::nullopt;
}

void AppendAdapter(std::string& report, const NetworkAdapter& adapter) {
    report_lines::AppendLine(report, TopLabel("Network Adapter"), adapter.name);
    if (const auto kind = AdapterKindText(adapter.kind)) {
        report_lines::AppendLine(report, SubLabel("Kind"), *kind);
    }
    if (!adapter.hardwareAddress.empty()) {
        report_lines::AppendLine(report, SubLabel("Hardware Address"),
                                 HardwareAddressText(adapter.hardwareAddress));
    }
    ListLines(report, SubLabel("IPv4"), Texts(adapter.ipv4, IpPrefixText));
    ListLines(report, SubLabel("IPv6"), Texts(adapter.ipv6, IpPrefixText));
    ListLines(report, SubLabel("Gateway"), Texts(adapter.gateways, IpText));
    ListLines(report, SubLabel("DNS Servers"), Texts(adapter.dnsServers, IpText));
    if (adapter.carriesDefaultRoute) {
        report_lines::AppendLine(report, SubLabel("Default Route"), "Yes");
    }
}

}  // namespace

// Pieces are formatted whole rather than joined with operator+, which GCC 12 at -O3 misreads as
// an overlapping copy (-Wrestrict).
std::string extended_lines::LocalTimeText(const LocalTime& time) {
    const int offset = time.utcOffsetSeconds < 0 ? -time.utcOffsetSeconds : time.utcOffsetSeconds;
    const char sign = time.utcOffsetSeconds < 0 ? '-' : '+';
    char text[96];
    if (offset % 60 == 0) {
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d (UTC%c%02d:%02d)",
                      time.year, time.month, time.day, time.hour, time.minute, time.second, sign,
                      offset / 3600, offset / 60 % 60);
    } else {
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d (UTC%c%02d:%02d:%02d)",
                      time.year, time.month, time.day, time.hour, time.minute, time.second, sign,
                      offset / 3600, offset / 60 % 60, offset % 60);
    }
    return text;
}

std::string extended_lines::DateText(const CalendarDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

ExtendedFacts GatherExtended(GatherContext& context) {
    Platform& platform = context.platform;
    ExtendedFacts facts;
    // The slow questions start together; each answer below is then taken as it comes.
    platform.StartDeskQuestions();
    facts.upTimeSeconds = platform.SecondsSinceStart();
    if (facts.upTimeSeconds) {
        const std::int64_t now = platform.CurrentTime();
        if (now >= 0 && *facts.upTimeSeconds <= static_cast<std::uint64_t>(now)) {
            facts.lastBoot =
                platform.ToLocalTime(now - static_cast<std::int64_t>(*facts.upTimeSeconds));
        }
    }
    facts.release = platform.Release();
    if (facts.release.installTime) {
        facts.installed = platform.ToLocalTime(*facts.release.installTime);
    }
    facts.processor = platform.ProcessorDetail();
    facts.firmware = platform.Firmware();
    facts.network = platform.Network();
    facts.graphics = platform.GraphicsAdapters();
    facts.restart = platform.RestartPending();
    if (facts.restart && facts.restart->pendingSince) {
        facts.restartSince = platform.ToLocalTime(*facts.restart->pendingSince);
    }
    facts.updates = platform.Updates();
    facts.security = platform.Security();
    facts.printers = platform.Printers();
    facts.displays = platform.Displays();
    facts.power = platform.Power();
    facts.proxy = platform.Proxy();
    facts.timeSource = platform.ClockSource();
    return facts;
}

std::optional<std::string_view> AdapterKindText(AdapterKind kind) {
    switch (kind) {
        case AdapterKind::Ethernet:
            return "Ethernet";
        case AdapterKind::WiFi:
            return "Wi-Fi";
        case AdapterKind::Tunnel:
            return "Tunnel/VPN";
        case AdapterKind::Virtual:
            return "Virtual";
        case AdapterKind::Unknown:
            break;
    }
    return std::nullopt;
}

std::optional<std::string> ProgramTypeText(const SystemRelease& release) {
    if (!release.programArchitecture) {
        return std::nullopt;
    }
    if (release.systemArchitecture && *release.systemArchitecture != *release.programArchitecture) {
        std::string text = *release.programArchitecture;
        text += " on ";
        text += *release.systemArchitecture;
        return text;
    }
    return release.programArchitecture;
}

void AppendExtendedText(const ExtendedFacts& facts, std::string& report) {
    report_lines::AppendLine(report, report_lines::kBlockOpening);
    report_lines::AppendLine(report, "  Extended Information");
    report_lines::AppendLine(report, report_lines::kBlockUnderline);

    if (facts.lastBoot) {
        report_lines::AppendLine(report, TopLabel("Last Boot Time"),
                                 LocalTimeText(*facts.lastBoot));
    }
    if (facts.upTimeSeconds) {
        report_lines::AppendLine(report, TopLabel("Up Time"), UpTimeText(*facts.upTimeSeconds));
    }
    const SystemRelease& release = facts.release;
    LineIfKnown(report, TopLabel("Edition"), release.edition);
    LineIfKnown(report, TopLabel("Distribution"), release.distribution);
    LineIfKnown(report, TopLabel("Release"), release.release);
    LineIfKnown(report, TopLabel("Build"), release.build);
    LineIfKnown(report, TopLabel("Kernel"), release.kernel);
    if (facts.installed) {
        report_lines::AppendLine(report, TopLabel("Install Date"), LocalTimeText(*facts.installed));
    }
    LineIfKnown(report, TopLabel("System Type"), release.systemArchitecture);
    LineIfKnown(report, TopLabel("Program Type"), ProgramTypeText(release));

    LineIfKnown(report, TopLabel("Processor"), facts.processor.brand);
    LineIfKnown(report, TopLabel("Physical Cores"), Number(facts.processor.physicalCores));
    LineIfKnown(report, TopLabel("Logical CPUs"), Number(facts.processor.logicalProcessors));

    const FirmwareInfo& firmware = facts.firmware;
    LineIfKnown(report, TopLabel("Make"), firmware.make);
    LineIfKnown(report, TopLabel("Model"), firmware.model);
    LineIfKnown(report, TopLabel("Serial Number"), firmware.serialNumber);
    LineIfKnown(report, TopLabel("BIOS Vendor"), firmware.biosVendor);
    LineIfKnown(report, TopLabel("BIOS Version"), firmware.biosVersion);
    if (firmware.biosDate) {
        report_lines::AppendLine(report, TopLabel("BIOS Date"), DateText(*firmware.biosDate));
    }

    for (const NetworkAdapter& adapter : facts.network.adapters) {
        AppendAdapter(report, adapter);
    }
    ListLines(report, TopLabel("DNS Servers"), Texts(facts.network.dnsServers, IpText));

    for (const GraphicsAdapter& adapter : facts.graphics) {
        report_lines::AppendLine(report, TopLabel("Graphics Adapter"), adapter.name);
        LineIfKnown(report, SubLabel("Driver"), adapter.driver);
        LineIfKnown(report, SubLabel("Driver Version"), adapter.driverVersion);
    }
    AppendDeskText(facts, report);
}

}  // namespace kolt
