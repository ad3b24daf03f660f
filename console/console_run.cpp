#include "console/console_run.h"

#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "report/report_file_name.h"
#include "report/report_order.h"
#include "report/system_report.h"
#include "selection/selection_file.h"

namespace kolt {
namespace {

std::string BuildReport(Platform& platform, const SelectionValues& selection) {
    CSystemReport composer(platform);
    std::string report;
    composer.AppendHeader(report);
    // All selects every section, whatever the other entries say.
    const bool all = IsOn(selection, ReportSection::All);
    for (const ReportStep& step : kReportOrder) {
        if (all || IsOn(selection, step.section)) {
            (composer.*step.append)(report);
        }
    }
    composer.AppendFooter(report);
    return report;
}

std::string ComputerNameForFile(Platform& platform) {
    // The name as the buffer would hold it: text up to a NUL, or nothing when it does not fit.
    const std::optional<std::string> name = platform.ComputerName();
    if (!name || name->size() >= kConsoleComputerNameBufferSize) {
        return {};
    }
    return name->substr(0, name->find('\0'));
}

}  // namespace

int RunConsole(Platform& platform, std::ostream& output) {
    const std::string selectionPath = SelectionPath(
        platform.CurrentDirectory(), kConsoleDirectoryBufferSize, platform.PathSeparator());
    const SelectionValues selection = ReadSelection(selectionPath);

    const std::string report = BuildReport(platform, selection);
    // The report is handed on as text: everything up to a NUL a platform value may carry.
    std::string bytes(std::string_view(report.c_str()));
    bytes += '\n';

    output.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    output.flush();

    // Binary, so the file holds exactly the bytes standard output received on every platform; a
    // text stream would turn each CR LF into CR CR LF on Windows.
    std::ofstream file(ReportFileName(ComputerNameForFile(platform)),
                       std::ios::binary | std::ios::trunc);
    if (file) {
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.flush();
    }
    return 0;
}

}  // namespace kolt
