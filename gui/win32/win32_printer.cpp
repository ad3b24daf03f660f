#include "gui/win32/win32_printer.h"

#include <string>

namespace kolt {

int Win32Printer::StartDocument(std::string_view documentName) {
    return m_dc.StartDocument(std::string(documentName));
}

Printer::FontMetrics Win32Printer::CurrentFontMetrics() {
    // The printer's default font: the viewer selects none.
    const TEXTMETRICA metrics = m_dc.TextMetrics();
    return {static_cast<int>(metrics.tmHeight), static_cast<int>(metrics.tmAveCharWidth)};
}

}  // namespace kolt
