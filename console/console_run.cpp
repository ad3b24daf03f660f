#include "console/console_run.h"

#include <optional>
#include <string>

#include "report/build_report.h"
#include "report/report_file_name.h"
#include "report/system_report.h"
#include "selection/selection_file.h"

namespace kolt {
namespace {

std::string ComputerNameForFile(Platform& platform) {
    // The name as the buffer would hold it: text up to a NUL, or nothing when it does not fit.
    const std::optional<std::string> name = platform.ComputerName();
    if (!name || name->size() >= kConsoleComputerNameBufferSize) {
        return {};
    }
    return name->substr(0, name->find('\0'));
}

}  // namespace

int RunConsole(Platform& platform, const OutputWriter& output) {
    const std::string selectionPath = SelectionPath(
        platform.CurrentDirectory(), kConsoleDirectoryBufferSize, platform.PathSeparator());
    const SelectionValues selection = ReadSelection(selectionPath);

    CSystemReport composer(platform);
    const std::string report = BuildReport(composer, WantedBySelection(selection));
    const std::string bytes = report + '\n';

    // A reader that went away fails this write and nothing more: the file is still written.
    output(bytes);

    // The same bytes, unchanged, replacing any earlier report in one step. A report file that
    // cannot be written is skipped: the report has gone to standard output already.
    WriteFileAtomically(ReportFileName(ComputerNameForFile(platform)), bytes);
    return 0;
}

}  // namespace kolt
