#include <cctype>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "report/sections/desk_facts.h"

namespace kolt {

std::optional<std::uint32_t> BatteryHealthPercent(const BatteryInfo& battery) {
    if (!battery.fullChargeCapacity || !battery.designCapacity || *battery.designCapacity == 0) {
        return std::nullopt;
    }
    if (*battery.fullChargeCapacity >= *battery.designCapacity) {
        return 100;
    }
    // In floating point: the capacities are the battery's own units and may be large.
    const double share = 100.0 * static_cast<double>(*battery.fullChargeCapacity) /
                         static_cast<double>(*battery.designCapacity);
    return static_cast<std::uint32_t>(std::lround(share));
}

namespace {

// Where the user information may start: after "scheme://" where the value starts with a scheme
// (a letter, then letters, digits, '+', '-', '.'), else at the start, so that a "://" inside a
// password is not taken for one.
std::size_t UserInformationStart(std::string_view value) {
    const std::size_t schemeEnd = value.find("://");
    if (schemeEnd == std::string_view::npos || schemeEnd == 0 ||
        std::isalpha(static_cast<unsigned char>(value[0])) == 0) {
        return 0;
    }
    for (std::size_t i = 1; i < schemeEnd; ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (std::isalnum(c) == 0 && c != '+' && c != '-' && c != '.') {
            return 0;
        }
    }
    return schemeEnd + 3;
}

}  // namespace

std::string MaskProxyPassword(std::string_view value) {
    const std::size_t userStart = UserInformationStart(value);
    const std::size_t at = value.rfind('@');
    if (at == std::string_view::npos || at < userStart) {
        return std::string(value);
    }
    const std::size_t colon = value.find(':', userStart);
    if (colon == std::string_view::npos || colon > at) {
        return std::string(value);  // a user without a password: nothing secret to hide
    }
    std::string masked(value.substr(0, colon + 1));
    masked += "***";
    masked += value.substr(at);
    return masked;
}

std::string WithoutUserInformation(std::string_view value) {
    const std::size_t userStart = UserInformationStart(value);
    const std::size_t at = value.rfind('@');
    if (at == std::string_view::npos || at < userStart) {
        return std::string(value);
    }
    std::string without(value.substr(0, userStart));
    without += value.substr(at + 1);
    return without;
}

std::string_view RestartReasonText(RestartReason reason) {
    switch (reason) {
        case RestartReason::WindowsUpdate:
            return "Windows Update";
        case RestartReason::ComponentServicing:
            return "Component Servicing";
        case RestartReason::FileRenames:
            return "File Renames";
        case RestartReason::ComputerRename:
            return "Computer Rename";
        case RestartReason::PackageUpdates:
            break;
    }
    return "Package Updates";
}

std::string_view RestartReasonName(RestartReason reason) {
    switch (reason) {
        case RestartReason::WindowsUpdate:
            return "windowsUpdate";
        case RestartReason::ComponentServicing:
            return "componentServicing";
        case RestartReason::FileRenames:
            return "fileRenames";
        case RestartReason::ComputerRename:
            return "computerRename";
        case RestartReason::PackageUpdates:
            break;
    }
    return "packageUpdates";
}

std::string_view PrinterConditionText(PrinterCondition condition) {
    switch (condition) {
        case PrinterCondition::Offline:
            return "Offline";
        case PrinterCondition::Paused:
            return "Paused";
        case PrinterCondition::Error:
            return "Error";
        case PrinterCondition::OutOfPaper:
            return "Out of Paper";
        case PrinterCondition::PaperJam:
            return "Paper Jam";
        case PrinterCondition::NoToner:
            return "No Toner";
        case PrinterCondition::DoorOpen:
            break;
    }
    return "Door Open";
}

std::string_view PrinterConditionName(PrinterCondition condition) {
    switch (condition) {
        case PrinterCondition::Offline:
            return "offline";
        case PrinterCondition::Paused:
            return "paused";
        case PrinterCondition::Error:
            return "error";
        case PrinterCondition::OutOfPaper:
            return "outOfPaper";
        case PrinterCondition::PaperJam:
            return "paperJam";
        case PrinterCondition::NoToner:
            return "noToner";
        case PrinterCondition::DoorOpen:
            break;
    }
    return "doorOpen";
}

namespace {

void AddSetting(std::vector<std::string>& lines, std::string_view word,
                const std::optional<std::string>& setting) {
    if (setting && !setting->empty()) {
        std::string line(word);
        line += ' ';
        line += MaskProxyPassword(*setting);
        lines.push_back(std::move(line));
    }
}

}  // namespace

std::vector<std::string> UserProxyLines(const UserProxy& proxy) {
    std::vector<std::string> lines;
    AddSetting(lines, "Server", proxy.server);
    AddSetting(lines, "Bypass", proxy.bypass);
    AddSetting(lines, "Script", proxy.autoConfigUrl);
    if (proxy.autoDetect) {
        lines.emplace_back("Detect automatically");
    }
    if (lines.empty()) {
        lines.emplace_back("Direct");
    }
    return lines;
}

std::vector<std::string> MachineProxyLines(const MachineProxy& proxy) {
    std::vector<std::string> lines;
    AddSetting(lines, "Server", proxy.server);
    if (!lines.empty()) {
        AddSetting(lines, "Bypass", proxy.bypass);  // exceptions of no server mean nothing
    } else {
        lines.emplace_back("Direct");
    }
    return lines;
}

}  // namespace kolt
