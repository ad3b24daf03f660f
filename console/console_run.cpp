#include "console/console_run.h"

#include <optional>
#include <string>

#include "console/command_line.h"
#include "console/console_limits.h"
#include "console/message_text.h"
#include "kolt_version.h"
#include "platform/files.h"
#include "report/build_report.h"
#include "report/inventory/inventory_document.h"
#include "report/json_report.h"
#include "report/report_file_name.h"
#include "report/system_report.h"
#include "selection/selection_file.h"

namespace kolt {
namespace {

void WarnAboutIgnored(const std::vector<std::string>& ignored, const ErrorWriter& errors) {
    if (ignored.empty()) {
        return;
    }
    // Arguments are anyone's text: shown masked and cut, so that the warning stays one line
    // and sends nothing to the terminal but characters.
    std::string line = "kolt_info_cli: ignoring what it does not know:";
    for (const std::string& argument : ignored) {
        line += ' ';
        line += MessageText(argument, limits::kArgumentCharactersShown);
    }
    errors(line + " (see --help)\n");
}

// A report that did not reach its file says so: whoever runs the program must not take an older
// file at that name for today's report.
void WarnAboutUnwrittenFile(const std::string& fileName, const FileWriteResult& result,
                            const ErrorWriter& errors) {
    std::string line =
        "kolt_info_cli: " + MessageText(fileName) + " not written: " + MessageText(result.failure);
    if (!result.leftBehind.empty()) {
        line += " (the temporary copy " + MessageText(result.leftBehind) + " could not be removed)";
    }
    errors(line + "\n");
}

// Standard output that did not take everything says so, in the file warning's words: whoever
// redirected it (a full disk, a pipe whose reader went away) must not take an empty or cut copy
// for the whole report.
void Print(const OutputWriter& output, std::string_view bytes, const ErrorWriter& errors) {
    const StreamWriteResult result = output(bytes);
    if (!result.written) {
        errors("kolt_info_cli: standard output not written: " + MessageText(result.failure) + "\n");
    }
}

}  // namespace

int RunConsole(Platform& platform, const std::vector<std::string>& arguments,
               const OutputWriter& output, const ErrorWriter& errors) {
    const ConsoleOptions options = ParseCommandLine(arguments);
    WarnAboutIgnored(options.ignored, errors);
    if (options.action == ConsoleAction::Help) {
        Print(output, UsageText(), errors);
        return 0;
    }
    if (options.action == ConsoleAction::Version) {
        Print(output, "Kolt Information " KOLT_VERSION_TEXT "\n", errors);
        return 0;
    }

    const std::string selectionPath = SelectionPath(
        platform.CurrentDirectory(), limits::kConsoleDirectoryArea, platform.PathSeparator());
    const SectionWanted bySelection = WantedBySelection(ReadSelection(selectionPath));
    // --extended adds the Extended Information section to what the selection file asks for.
    const SectionWanted wanted = [&bySelection,
                                  extended = options.extended](ReportSection section) {
        return (extended && section == ReportSection::Extended) || bySelection(section);
    };

    CSystemReport composer(platform);
    std::string bytes;
    std::string_view extension;
    switch (options.format) {
        case ReportFormat::Json:
            bytes = BuildJsonReport(composer, wanted);
            extension = ".json";
            break;
        case ReportFormat::Inventory:
            // The selection does not narrow it: see BuildInventoryDocument.
            bytes = BuildInventoryDocument(composer);
            extension = ".ocs";
            break;
        case ReportFormat::Text:
            bytes = BuildReport(composer, wanted) + '\n';
            extension = ".txt";
            break;
    }

    // A reader that went away fails this write and nothing more: the file is still written.
    Print(output, bytes, errors);

    // The same bytes, unchanged, replacing any earlier report in one step. A report file that
    // cannot be written is named on standard error, and that is all: the report has gone to
    // standard output already.
    const std::string fileName = ProposedReportFileName(platform, extension);
    const FileWriteResult result = WriteFileAtomically(fileName, bytes);
    if (!result.written) {
        WarnAboutUnwrittenFile(fileName, result, errors);
    }
    return 0;
}

}  // namespace kolt
