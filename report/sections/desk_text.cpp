// The text lines of what a desk asks next, in the Extended Information block.
#include <algorithm>
#include <string>
#include <vector>

#include "report/report_lines.h"
#include "report/sections/desk_facts.h"
#include "report/sections/extended.h"
#include "report/sections/extended_lines.h"

namespace kolt {

using extended_lines::ListLines;
using extended_lines::SubLabel;
using extended_lines::TopLabel;

namespace {

void Line(std::string& report, std::string_view label, std::string_view value) {
    report_lines::AppendLine(report, TopLabel(label), value);
}

// Joins the known parts with ", ".
std::string Joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) {
        if (!text.empty()) {
            text += ", ";
        }
        text += part;
    }
    return text;
}

std::string Count(std::uint64_t count, std::string_view one, std::string_view many) {
    std::string text = std::to_string(count);
    text += ' ';
    text += count == 1 ? one : many;
    return text;
}

// "Yes (Windows Update, File Renames)", "Yes (Package Updates, 3 packages)", "No", and since
// when on a line of its own.
void AppendRestart(std::string& report, const ExtendedFacts& facts) {
    if (!facts.restart) {
        return;
    }
    const RestartState& restart = *facts.restart;
    if (restart.reasons.empty()) {
        Line(report, "Restart Pending", "No");
        return;
    }
    std::vector<std::string> parts;
    for (const RestartReason reason : restart.reasons) {
        parts.emplace_back(RestartReasonText(reason));
    }
    if (restart.packageCount) {
        parts.push_back(Count(*restart.packageCount, "package", "packages"));
    }
    std::string text = "Yes (";
    text += Joined(parts);
    text += ')';
    std::vector<std::string> lines = {text};
    if (facts.restartSince) {
        std::string since = "since ";
        since += extended_lines::LocalTimeText(*facts.restartSince);
        lines.push_back(std::move(since));
    }
    ListLines(report, TopLabel("Restart Pending"), lines);
}

// "2026-11-14 (KB5032190)", "2026-11-14", "KB5032190"; and how many are installed.
void AppendUpdates(std::string& report, const std::optional<InstalledUpdates>& updates) {
    if (!updates) {
        return;
    }
    std::string newest;
    if (updates->newestDate) {
        newest = extended_lines::DateText(*updates->newestDate);
    }
    if (updates->newestId) {
        if (newest.empty()) {
            newest = *updates->newestId;
        } else {
            newest += " (";
            newest += *updates->newestId;
            newest += ')';
        }
    }
    if (!newest.empty()) {
        Line(report, "Last Update", newest);
    }
    if (updates->count) {
        Line(report, "Updates", std::to_string(*updates->count) + " installed");
    }
}

std::string AntivirusText(const AntivirusProduct& product) {
    std::vector<std::string> states;
    if (product.enabled) {
        states.emplace_back(*product.enabled ? "on" : "off");
    }
    if (product.upToDate) {
        states.emplace_back(*product.upToDate ? "up to date" : "out of date");
    }
    std::string text = product.name;
    if (!states.empty()) {
        text += " (";
        text += Joined(states);
        text += ')';
    }
    return text;
}

// "Antivirus : None" where the register answered with no product; no line where there is none.
void AppendSecurity(std::string& report, const SecurityInfo& security) {
    if (security.antivirus) {
        std::vector<std::string> products;
        for (const AntivirusProduct& product : *security.antivirus) {
            products.push_back(AntivirusText(product));
        }
        if (products.empty()) {
            products.emplace_back("None");
        }
        ListLines(report, TopLabel("Antivirus"), products);
    }
    std::vector<std::string> profiles;
    const auto profile = [&profiles](std::string_view name, const std::optional<bool>& on) {
        if (on) {
            std::string text(name);
            text += *on ? " On" : " Off";
            profiles.push_back(std::move(text));
        }
    };
    profile("Domain", security.firewall.domain);
    profile("Private", security.firewall.privateProfile);
    profile("Public", security.firewall.publicProfile);
    if (!profiles.empty()) {
        Line(report, "Firewall", Joined(profiles));
    }
}

// No line where the printers did not answer; "Printer : None" where they answered with none.
void AppendPrinters(std::string& report, const std::optional<PrinterList>& printers) {
    if (!printers) {
        return;
    }
    if (printers->empty()) {
        Line(report, "Printer", "None");
        return;
    }
    for (const PrinterInfo& printer : *printers) {
        if (printer.isDefault) {
            Line(report, "Default Printer", printer.name);
            break;
        }
    }
    for (const PrinterInfo& printer : *printers) {
        Line(report, "Printer", printer.name);
        report_lines::AppendLine(report, SubLabel("Network"), printer.network ? "Yes" : "No");
        std::vector<std::string> states;
        for (const PrinterCondition condition : printer.conditions) {
            states.emplace_back(PrinterConditionText(condition));
        }
        report_lines::AppendLine(report, SubLabel("State"),
                                 states.empty() ? std::string("Ready") : Joined(states));
        if (printer.jobsWaiting) {
            report_lines::AppendLine(report, SubLabel("Jobs Waiting"),
                                     std::to_string(*printer.jobsWaiting));
        }
    }
}

// "HDMI-A-1, 1920 x 1080, 60 Hz, 150 %, primary": the known parts; no line where none is.
void AppendDisplays(std::string& report, const std::vector<DisplayInfo>& displays) {
    for (const DisplayInfo& display : displays) {
        std::vector<std::string> parts;
        if (display.name) {
            parts.push_back(*display.name);
        }
        if (display.widthPixels && display.heightPixels) {
            parts.push_back(std::to_string(*display.widthPixels) + " x " +
                            std::to_string(*display.heightPixels));
        }
        if (display.refreshHz) {
            parts.push_back(std::to_string(*display.refreshHz) + " Hz");
        }
        if (display.scalePercent) {
            parts.push_back(std::to_string(*display.scalePercent) + " %");
        }
        if (parts.empty()) {
            continue;
        }
        if (display.primary) {
            parts.emplace_back("primary");
        }
        Line(report, "Display", Joined(parts));
    }
}

std::string BatteryText(const BatteryInfo& battery) {
    std::vector<std::string> parts;
    if (battery.name) {
        parts.push_back(*battery.name);
    }
    if (battery.chargePercent) {
        parts.push_back(std::to_string(std::min<std::uint32_t>(*battery.chargePercent, 100)) +
                        " % charged");
    }
    if (const auto health = BatteryHealthPercent(battery)) {
        parts.push_back("health " + std::to_string(*health) + " %");
    }
    if (battery.cycleCount) {
        parts.push_back(Count(*battery.cycleCount, "cycle", "cycles"));
    }
    return parts.empty() ? std::string("Present") : Joined(parts);
}

// "Power : On mains"; one "Battery : None" line for a machine without one.
void AppendPower(std::string& report, const std::optional<PowerInfo>& power) {
    if (!power) {
        return;
    }
    if (power->onMains) {
        Line(report, "Power", *power->onMains ? "On mains" : "On battery");
    }
    if (power->batteries.empty()) {
        Line(report, "Battery", "None");
    }
    for (const BatteryInfo& battery : power->batteries) {
        Line(report, "Battery", BatteryText(battery));
    }
}

void AppendProxy(std::string& report, const ProxySettings& proxy) {
    if (proxy.user) {
        ListLines(report, TopLabel("User Proxy"), UserProxyLines(*proxy.user));
    }
    if (proxy.machine) {
        ListLines(report, TopLabel("Machine Proxy"), MachineProxyLines(*proxy.machine));
    }
    for (const ProxyVariable& variable : proxy.environment) {
        std::string text = variable.name;
        text += '=';
        text += MaskProxyPassword(variable.value);
        Line(report, "Proxy Variable", text);
    }
}

// "NTP, service running"; the servers one to a line; whether the clock keeps in step.
void AppendTimeSource(std::string& report, const std::optional<TimeSource>& source) {
    if (!source) {
        return;
    }
    std::vector<std::string> parts;
    if (source->type) {
        parts.push_back(*source->type);
    }
    if (source->serviceRunning) {
        parts.emplace_back(*source->serviceRunning ? "service running" : "service stopped");
    }
    if (!parts.empty()) {
        Line(report, "Time Source", Joined(parts));
    }
    ListLines(report, TopLabel("Time Servers"), source->servers);
    if (source->synchronised) {
        Line(report, "Clock Synced", *source->synchronised ? "Yes" : "No");
    }
}

}  // namespace

void AppendDeskText(const ExtendedFacts& facts, std::string& report) {
    AppendRestart(report, facts);
    AppendUpdates(report, facts.updates);
    AppendSecurity(report, facts.security);
    AppendPrinters(report, facts.printers);
    AppendDisplays(report, facts.displays);
    AppendPower(report, facts.power);
    AppendProxy(report, facts.proxy);
    AppendTimeSource(report, facts.timeSource);
}

}  // namespace kolt
