// What the console program is asked to do. Without arguments it writes the text report, as it
// always has; the options below are opt-in, and an argument it does not know is ignored for the
// report (scripts may pass anything) with one warning.
#pragma once

#include <string>
#include <vector>

namespace kolt {

enum class ConsoleAction {
    Report,   // gather and write the report
    Help,     // --help, -h, /?: the usage text only
    Version,  // --version: the product and version only
};

enum class ReportFormat {
    Text,  // the fixed-width report, kolt_info_<computer name>.txt
    Json,  // --format json, --format=json, /format:json: kolt_info_<computer name>.json
    // --format inventory: an inventory server's document, kolt_info_<computer name>.ocs, of
    // every section, Extended Information included
    Inventory,
};

struct ConsoleOptions {
    ConsoleAction action = ConsoleAction::Report;
    ReportFormat format = ReportFormat::Text;
    // --extended, /extended: the Extended Information section too, whatever the selection file
    // says of it.
    bool extended = false;
    // --redact, /redact: personal details replaced by stand-ins in every output.
    bool redact = false;
    std::vector<std::string> ignored;  // arguments it does not know, in the order given
};

// The arguments after the program's name. The Windows-style forms take any case.
ConsoleOptions ParseCommandLine(const std::vector<std::string>& arguments);

// The usage text --help prints, ending in a line feed.
std::string UsageText();

}  // namespace kolt
