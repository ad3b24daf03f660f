#include "console/console_run.h"

#include <optional>
#include <string>

#include "console/command_line.h"
#include "console/json_report.h"
#include "kolt_version.h"
#include "report/build_report.h"
#include "report/report_file_name.h"
#include "report/system_report.h"
#include "selection/selection_file.h"
#include "text/utf8.h"

namespace kolt {
namespace {

std::string ComputerNameForFile(Platform& platform) {
    // The name as the buffer would hold it: text up to a NUL, or nothing when it does not fit.
    const std::optional<std::string> name = platform.ComputerName();
    if (!name || text::Utf16Length(*name) >= kConsoleComputerNameBufferSize) {
        return {};
    }
    return name->substr(0, name->find('\0'));
}

void WarnAboutIgnored(const std::vector<std::string>& ignored, const OutputWriter& errors) {
    if (ignored.empty()) {
        return;
    }
    std::string line = "kolt_info_cli: ignoring what it does not know:";
    for (const std::string& argument : ignored) {
        line += ' ';
        line += argument;
    }
    errors(line + " (see --help)\n");
}

}  // namespace

int RunConsole(Platform& platform, const std::vector<std::string>& arguments,
               const OutputWriter& output, const OutputWriter& errors) {
    const ConsoleOptions options = ParseCommandLine(arguments);
    WarnAboutIgnored(options.ignored, errors);
    if (options.action == ConsoleAction::Help) {
        output(UsageText());
        return 0;
    }
    if (options.action == ConsoleAction::Version) {
        output("Kolt Information " KOLT_VERSION_TEXT "\n");
        return 0;
    }

    const std::string selectionPath = SelectionPath(
        platform.CurrentDirectory(), kConsoleDirectoryBufferSize, platform.PathSeparator());
    const SectionWanted wanted = WantedBySelection(ReadSelection(selectionPath));

    CSystemReport composer(platform);
    const bool json = options.format == ReportFormat::Json;
    const std::string bytes =
        json ? BuildJsonReport(composer, wanted) : BuildReport(composer, wanted) + '\n';

    // A reader that went away fails this write and nothing more: the file is still written.
    output(bytes);

    // The same bytes, unchanged, replacing any earlier report in one step. A report file that
    // cannot be written is skipped: the report has gone to standard output already.
    WriteFileAtomically(ReportFileName(ComputerNameForFile(platform), json ? ".json" : ".txt"),
                        bytes);
    return 0;
}

}  // namespace kolt
