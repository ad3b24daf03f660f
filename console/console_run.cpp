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
#include "report/redacted_report.h"
#include "report/report_file_name.h"
#include "report/sensitive_values.h"
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
    // A redacted run redacts its warnings too: an argument, or what the system says of a failed
    // write, may name the machine, the user or a folder of theirs. Before the report's facts are
    // gathered, the machine's and the user's names are known.
    Redactor redactor;
    if (options.redact) {
        redactor = SensitiveValuesOf(ReportFacts{}, platform);
    }
    const ErrorWriter warn = [&errors, &redactor](std::string_view line) {
        errors(redactor.Redact(line));
    };
    WarnAboutIgnored(options.ignored, warn);
    if (options.action == ConsoleAction::Help) {
        Print(output, UsageText(), warn);
        return 0;
    }
    if (options.action == ConsoleAction::Version) {
        Print(output, "Kolt Information " KOLT_VERSION_TEXT "\n", warn);
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

    if (options.redact && options.format == ReportFormat::Inventory) {
        // An inventory document exists to name the machine to the desk's own server, which
        // tells machines apart by name, serial and addresses: a redacted one would merge every
        // machine into one. Writing it unredacted would break the promise of --redact.
        warn(
            "kolt_info_cli: --redact does not apply to --format inventory (the document names "
            "the machine to the desk's server); nothing written\n");
        return 2;
    }

    CSystemReport composer(platform);
    std::string bytes;
    std::string fileName;
    if (options.format == ReportFormat::Inventory) {
        // The selection does not narrow it: see BuildInventoryDocument.
        bytes = BuildInventoryDocument(composer);
        fileName = ProposedReportFileName(platform, ".ocs");
    } else {
        const bool json = options.format == ReportFormat::Json;
        const std::string_view extension = json ? ".json" : ".txt";
        const ReportFacts facts = GatherReportFacts(composer, wanted);
        if (options.redact) {
            redactor = SensitiveValuesOf(facts, platform);
            bytes = json ? RedactedJsonReportOf(facts, redactor)
                         : RedactedReportTextOf(composer, facts, redactor) + '\n';
            fileName = RedactedReportFileName(platform, redactor, extension);
        } else {
            bytes = json ? JsonReportOf(facts) : ReportTextOf(composer, facts) + '\n';
            fileName = ProposedReportFileName(platform, extension);
        }
    }

    // A reader that went away fails this write and nothing more: the file is still written.
    Print(output, bytes, warn);

    // The same bytes, unchanged, replacing any earlier report in one step. A report file that
    // cannot be written is named on standard error, and that is all: the report has gone to
    // standard output already.
    const FileWriteResult result = WriteFileAtomically(fileName, bytes);
    if (!result.written) {
        WarnAboutUnwrittenFile(fileName, result, warn);
    }
    return 0;
}

}  // namespace kolt
