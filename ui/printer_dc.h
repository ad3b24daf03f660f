// A printer's device context and the print job on it, and the common Print dialog that chooses
// the printer. Only Win32 code here.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

#include "ui/handles.h"

namespace kolt::ui {

class PrinterDc {
public:
    explicit PrinterDc(UniqueDc dc) : m_dc(std::move(dc)) {}

    // Results are the platform's: negative on failure.
    int StartDocument(const std::string& documentName);
    int StartPage() { return ::StartPage(m_dc.get()); }
    int EndPage() { return ::EndPage(m_dc.get()); }
    int EndDocument() { return ::EndDoc(m_dc.get()); }
    int AbortDocument() { return ::AbortDoc(m_dc.get()); }

    // Draws `text` with its top left corner at (x, y) in device units, NUL bytes included.
    void DrawString(int x, int y, std::string_view text);

    // The metrics of the currently selected font.
    TEXTMETRICA TextMetrics();
    int DeviceCaps(int index) { return ::GetDeviceCaps(m_dc.get(), index); }

    HDC Get() const { return m_dc.get(); }

private:
    UniqueDc m_dc;
};

// Shows the Print dialog for a whole document (no page range, no selection, no print-to-file
// box; copies left to the driver). Returns the chosen printer's context, or nullptr when the
// user cancelled or no printer could be opened.
UniqueDc PromptPrinterDc(HWND owner);

}  // namespace kolt::ui
