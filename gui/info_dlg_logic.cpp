#include "gui/info_dlg_logic.h"

#include <cstddef>
#include <string_view>

#include "branding.h"
#include "gui/gui_limits.h"
#include "gui/section_controls.h"
#include "report/build_report.h"
#include "report/redacted_report.h"
#include "report/report_file_name.h"
#include "report/sensitive_values.h"
#include "selection/selection_file.h"

namespace kolt {

namespace {

constexpr int kProgressLow = 0;
constexpr int kProgressHigh = 100;

// Each section whose row steps the bar advances it by this much, checked or not, so the bar
// stands at the same place after the sections whatever was selected.
constexpr std::int32_t kSectionStep = 5;
constexpr std::int32_t kFooterStep = 5;
constexpr std::int32_t kViewerStep = 5;
// Beyond the bar's end, so the bar is full while the viewer is open.
constexpr std::int32_t kViewerOpenStep = 100;

constexpr std::string_view kWindows95Refusal = "Kolt Info is NOT designed for Windows 95!";

}  // namespace

InfoDlgLogic::InfoDlgLogic(Platform& platform, InfoDlgView& view, DialogServices& services)
    : m_platform(platform), m_view(view), m_services(services), m_composer(platform) {}

void InfoDlgLogic::OnInitDialog() {
    LoadSelection();

    m_progress = 0;
    m_view.SetProgressRange(kProgressLow, kProgressHigh);
    m_view.SetProgressPosition(m_progress);

    RefuseWindows95();
}

void InfoDlgLogic::LoadSelection() {
    // The path is fixed now: later changes of the current directory do not move the file.
    m_selectionPath = kolt::SelectionPath(m_platform.CurrentDirectory(),
                                          limits::kDialogDirectoryArea, m_platform.PathSeparator());
    const SelectionValues values = ReadSelection(m_selectionPath);
    // Each box shows its own line; All is not reconciled with the others here.
    for (std::size_t i = 0; i < kReportSectionCount; ++i) {
        m_view.SetChecked(kSectionControlIds[i], values[i] != 0);
    }
}

void InfoDlgLogic::StoreSelection() const {
    SelectionValues values{};
    for (std::size_t i = 0; i < kReportSectionCount; ++i) {
        values[i] = m_view.IsChecked(kSectionControlIds[i]) ? 1 : 0;
    }
    WriteSelection(m_selectionPath, values);
}

void InfoDlgLogic::RefuseWindows95() {
    // The name and version as the report would show them, either of which may say so.
    const ReportFacts facts = GatherReportFacts(m_composer, [](ReportSection section) {
        return section == ReportSection::OperatingSystem;
    });
    if (IsWindows95(*facts.operatingSystem)) {
        m_services.ShowMessage(kWindows95Refusal, ui::MessageIcon::None);
        m_services.Exit(1);
    }
}

void InfoDlgLogic::StepProgress(std::int32_t milliseconds) {
    m_progress += milliseconds;
    m_view.SetProgressPosition(m_progress);
    m_services.Pause(milliseconds);
}

void InfoDlgLogic::OnProcessClicked() {
    // Each section follows its own box; the All box is not consulted. Each section's turn
    // advances the bar where its row says so, checked or not.
    const ReportFacts facts = GatherReportFacts(
        m_composer,
        [this](ReportSection section) { return m_view.IsChecked(ControlIdFor(section)); },
        [this](const SectionRow& row) {
            if (row.stepsProgress) {
                StepProgress(kSectionStep);
            }
        });
    // Hidden personal details are hidden from everything the viewer does with the report: its
    // text, Copy, Save (and the name it proposes) and Print all work on this copy.
    if (m_view.IsChecked(ControlIdFor(ReportSection::Redact))) {
        const Redactor redactor = SensitiveValuesOf(facts, m_platform);
        m_reportText = RedactedReportTextOf(m_composer, facts, redactor);
        m_proposedFileName = RedactedReportFileName(m_platform, redactor);
    } else {
        m_reportText = ReportTextOf(m_composer, facts);
        m_proposedFileName = ProposedReportFileName(m_platform);
    }
    StoreSelection();
    StepProgress(kFooterStep);

    // The bar fills before the viewer opens, and stays full while it is open.
    StepProgress(kViewerStep);
    StepProgress(kViewerOpenStep);
    m_view.ShowReport(m_reportText);

    m_progress = 0;
    StepProgress(0);
}

// All stands for the nine sections it always stood for: it neither sets the Extended Information
// box nor waits for it.
void InfoDlgLogic::OnAllClicked() {
    const bool all = m_view.IsChecked(ControlIdFor(ReportSection::All));
    for (std::size_t i = 0; i < kReportSectionCount; ++i) {
        if (AllIncludes(static_cast<ReportSection>(i))) {
            m_view.SetChecked(kSectionControlIds[i], all);
        }
    }
}

void InfoDlgLogic::OnSectionClicked() {
    bool all = true;
    for (std::size_t i = 0; i < kReportSectionCount && all; ++i) {
        if (AllIncludes(static_cast<ReportSection>(i))) {
            all = m_view.IsChecked(kSectionControlIds[i]);
        }
    }
    m_view.SetChecked(ControlIdFor(ReportSection::All), all);
}

void InfoDlgLogic::OnBannerClicked() {
    m_services.OpenWithShell(std::string(branding::kWebUrl));
}

}  // namespace kolt
