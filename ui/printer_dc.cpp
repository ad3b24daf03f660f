#include "ui/printer_dc.h"

#include <commdlg.h>

namespace kolt::ui {

int PrinterDc::StartDocument(const std::string& documentName) {
    DOCINFOA document{};
    document.cbSize = sizeof(document);
    document.lpszDocName = documentName.c_str();
    return ::StartDocA(m_dc.get(), &document);
}

void PrinterDc::DrawString(int x, int y, std::string_view text) {
    ::TextOutA(m_dc.get(), x, y, text.data(), static_cast<int>(text.size()));
}

TEXTMETRICA PrinterDc::TextMetrics() {
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(m_dc.get(), &metrics);
    return metrics;
}

UniqueDc PromptPrinterDc(HWND owner) {
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.Flags = PD_RETURNDC | PD_ALLPAGES | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE |
                   PD_USEDEVMODECOPIESANDCOLLATE;
    const BOOL chosen = ::PrintDlgA(&dialog);
    // The dialog allocates the printer's mode and names even when cancelled.
    const UniqueGlobal devMode(dialog.hDevMode);
    const UniqueGlobal devNames(dialog.hDevNames);
    UniqueDc dc(dialog.hDC);
    if (!chosen) {
        return nullptr;
    }
    return dc;
}

}  // namespace kolt::ui
