#include "gui/report_dlg_logic.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "branding.h"
#include "gui/print_report.h"
#include "platform/files.h"

namespace kolt {

namespace {

constexpr std::string_view kDefaultExtension = ".txt";
constexpr std::string_view kSaveFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|";
constexpr std::string_view kSaveError = "Error saving to: ";
// The message's spelling is the product's own and stays as users have always seen it.
constexpr std::string_view kPrinterError = "Printer wouldn't initalize";
constexpr std::string_view kPageError = "Could not start page";
constexpr std::string_view kJobError = "Printer did not accept the report";
constexpr std::string_view kClipboardError = "Could not put the report on the clipboard";
constexpr std::string_view kMailtoScheme = "mailto:";

// The text with CR, LF and CR LF each written as CR LF: the line end every Windows program that
// pastes text expects. A Save has turned the copy's CRs into spaces and left bare LFs.
std::string WithCrLfLineEnds(std::string_view text) {
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            result += c;
            continue;
        }
        result += "\r\n";
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
    }
    return result;
}

}  // namespace

ReportDlgLogic::ReportDlgLogic(std::string proposedFileName, DialogServices& services)
    : m_proposedFileName(std::move(proposedFileName)), m_services(services) {}

void ReportDlgLogic::OnSaveClicked() {
    ui::SaveAsRequest request;
    request.defaultExtension = kDefaultExtension;
    request.fileName = m_proposedFileName;
    request.filter = kSaveFilter;
    request.hideReadOnly = true;
    request.overwritePrompt = true;

    const std::optional<std::string> path = m_services.PromptSaveAs(request);
    if (!path) {
        return;
    }
    // A text file: the copy's CRs become spaces, since on Windows every LF reaches the file as
    // CR LF, and the text ends at a NUL. It replaces the chosen file in one step, so a save that
    // fails (a full disk, a vanished network drive) leaves that file as it was and says so.
    std::string converted = m_reportText;
    std::replace(converted.begin(), converted.end(), '\r', ' ');
    if (!WriteFileAtomically(*path, TextFileBytes(std::string_view(converted.c_str()))).written) {
        m_services.ShowMessage(std::string(kSaveError) + *path, ui::MessageIcon::Warning);
        return;
    }
    m_reportText = std::move(converted);
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

void ReportDlgLogic::OnCopyClicked() {
    if (!m_services.PutOnClipboard(WithCrLfLineEnds(m_reportText))) {
        m_services.ShowMessage(kClipboardError, ui::MessageIcon::Warning);
    }
}

void ReportDlgLogic::OnEmailClicked() {
    std::string target(kMailtoScheme);
    target += branding::kSupportEmail;
    m_services.OpenWithShell(target);
}

}  // namespace kolt
