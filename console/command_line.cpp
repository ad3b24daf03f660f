#include "console/command_line.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace kolt {

namespace {

std::string Lowered(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lowered;
}

std::optional<ReportFormat> NamedFormat(std::string_view value) {
    const std::string name = Lowered(value);
    if (name == "json") {
        return ReportFormat::Json;
    }
    if (name == "inventory") {
        return ReportFormat::Inventory;
    }
    if (name == "text") {
        return ReportFormat::Text;
    }
    return std::nullopt;
}

struct FormatOption {
    ReportFormat format;
    std::size_t arguments;  // how many it took
};

// A format option at `index` ("--format json", "--format=json", "/format:json") with a value the
// program writes; nullopt otherwise.
std::optional<FormatOption> ReadFormatOption(const std::vector<std::string>& arguments,
                                             std::size_t index) {
    const std::string_view argument = arguments[index];
    std::optional<ReportFormat> format;
    std::size_t taken = 1;
    if (argument == "--format" && index + 1 < arguments.size()) {
        format = NamedFormat(arguments[index + 1]);
        taken = 2;
    } else if (argument.starts_with("--format=")) {
        format = NamedFormat(argument.substr(9));
    } else if (Lowered(argument).starts_with("/format:")) {
        format = NamedFormat(argument.substr(8));
    }
    if (!format) {
        return std::nullopt;
    }
    return FormatOption{*format, taken};
}

}  // namespace

ConsoleOptions ParseCommandLine(const std::vector<std::string>& arguments) {
    ConsoleOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const std::string lowered = Lowered(argument);
        if (argument == "--help" || argument == "-h" || argument == "/?" || lowered == "/help") {
            options.action = ConsoleAction::Help;
        } else if (argument == "--version" || lowered == "/version") {
            // Help wins, whatever the order: it gathers nothing either.
            if (options.action != ConsoleAction::Help) {
                options.action = ConsoleAction::Version;
            }
        } else if (argument == "--extended" || lowered == "/extended") {
            options.extended = true;
        } else if (argument == "--redact" || lowered == "/redact") {
            options.redact = true;
        } else if (const auto format = ReadFormatOption(arguments, i)) {
            options.format = format->format;
            i += format->arguments - 1;
        } else {
            options.ignored.push_back(argument);
        }
    }
    return options;
}

std::string UsageText() {
    return "Usage: kolt_info_cli [--format text|json|inventory] [--extended] [--redact]\n"
           "                     [--help] [--version]\n"
           "\n"
           "Writes this computer's technical support report to standard output and to\n"
           "kolt_info_<computer name>.txt in the current directory. The sections are the ones\n"
           "kolt_info.cfg in the current directory names (every section without it).\n"
           "\n"
           "  --format json   the same facts as one JSON document, written to standard output\n"
           "                  and to kolt_info_<computer name>.json (also /format:json)\n"
           "  --format inventory\n"
           "                  every section, Extended Information included, as an OCS\n"
           "                  Inventory NG inventory document (XML), written to standard\n"
           "                  output and to kolt_info_<computer name>.ocs, for a fleet tool\n"
           "                  to send to the inventory server (also /format:inventory)\n"
           "  --extended      the Extended Information section too: last boot, Windows\n"
           "                  edition and build, make, model and serial number, network and\n"
           "                  graphics adapters, restart pending, updates, antivirus and\n"
           "                  firewall, printers, displays, battery, proxy and time source,\n"
           "                  and first what looks wrong (also /extended)\n"
           "  --redact        a report safe to share: the computer name, user name, domains,\n"
           "                  IP addresses (but loopback), MAC addresses, serial number,\n"
           "                  server names in printers, proxies and time sources, and the\n"
           "                  user's folders in paths become stand-ins (HOST-1, USER-1,\n"
           "                  DOMAIN-1, private address 1, address 1, link-local address 1,\n"
           "                  MAC-1, SERIAL-1, SERVER-1, PROXY-1, FOLDER-1), also in the file\n"
           "                  name (kolt_info_HOST-1.txt); sizes, versions, dates and counts\n"
           "                  stay exact, and the report says what it replaced; not with\n"
           "                  --format inventory, whose document names the machine to the\n"
           "                  desk's server (also /redact)\n"
           "  --help          this text (also -h and /?)\n"
           "  --version       the product's name and version\n"
           "\n"
           "Nothing is sent anywhere: the report stays on this computer until you pass it on.\n";
}

}  // namespace kolt
