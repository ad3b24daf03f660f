#include "gui/report_dlg_logic.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <optional>
#include <string_view>

#include "branding.h"
#include "gui/print_report.h"
#include "report/report_file_name.h"

namespace kolt {

namespace {

// The computer name is fetched into a buffer of this many bytes, terminator included; a longer
// name is not fetched at all and leaves the proposed name without it.
constexpr std::size_t kComputerNameBufferSize = 80;

constexpr std::string_view kDefaultExtension = ".txt";
constexpr std::string_view kSaveFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|";
constexpr std::string_view kSaveError = "Error saving to: ";
// The message's spelling is the product's own and stays as users have always seen it.
constexpr std::string_view kPrinterError = "Printer wouldn't initalize";
constexpr std::string_view kPageError = "Could not start page";
constexpr std::string_view kJobError = "Printer did not accept the report";
constexpr std::string_view kMailtoScheme = "mailto:";

// Closes a C stream when it leaves scope.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

ReportDlgLogic::ReportDlgLogic(Platform& platform, ReportDlgServices& services)
    : m_platform(platform), m_services(services) {}

std::string ReportDlgLogic::ProposedFileName() {
    const std::optional<std::string> name = m_platform.ComputerName();
    if (!name || name->size() >= kComputerNameBufferSize) {
        return ReportFileName({});
    }
    return ReportFileName(std::string_view(name->c_str()));
}

void ReportDlgLogic::WriteReportText(std::FILE* stream) {
    std::replace(m_reportText.begin(), m_reportText.end(), '\r', ' ');
    std::fputs(m_reportText.c_str(), stream);
}

void ReportDlgLogic::OnSaveClicked() {
    ui::SaveAsRequest request;
    request.defaultExtension = kDefaultExtension;
    request.fileName = ProposedFileName();
    request.filter = kSaveFilter;
    request.hideReadOnly = true;
    request.overwritePrompt = true;

    const std::optional<std::string> path = m_services.PromptSaveAs(request);
    if (!path) {
        return;
    }
    // A text stream: on Windows every LF reaches the file as CR LF, which is why the copy's own
    // CRs become spaces first.
    UniqueFile file(std::fopen(path->c_str(), "w"));
    if (!file) {
        m_services.ShowMessage(std::string(kSaveError) + *path, ui::MessageIcon::Warning);
        return;
    }
    WriteReportText(file.get());
    // Success shows nothing, so a write or close that fails (a full disk, a vanished network
    // drive) must say so, or a cut-off file would pass for the saved report.
    const bool written = std::ferror(file.get()) == 0;
    const bool closed = std::fclose(file.release()) == 0;
    if (!written || !closed) {
        m_services.ShowMessage(std::string(kSaveError) + *path, ui::MessageIcon::Warning);
    }
}

void ReportDlgLogic::OnPrintClicked() {
    // Releasing the printer object releases its device context, on every path out of here.
    const std::unique_ptr<ui::Printer> printer = m_services.PromptPrinter();
    if (!printer) {
        return;
    }
    // Zero is a failure too: the platform answers a positive number only on success.
    if (printer->StartDocument(kPrintedDocumentName) <= 0) {
        m_services.ShowMessage(kPrinterError, ui::MessageIcon::None);
        return;
    }
    if (printer->StartPage() <= 0) {
        m_services.ShowMessage(kPageError, ui::MessageIcon::None);
        printer->AbortDocument();
        return;
    }
    // The queue takes the document only when it ends; one that refuses it (a stopped or
    // rejecting queue) would otherwise lose the printout without a word.
    if (PrintReportPages(*printer, m_reportText) <= 0) {
        m_services.ShowMessage(kJobError, ui::MessageIcon::None);
    }
}

void ReportDlgLogic::OnEmailClicked() {
    std::string target(kMailtoScheme);
    target += branding::kSupportEmail;
    m_services.OpenWithShell(target);
}

}  // namespace kolt
