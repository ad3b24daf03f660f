// The printer the viewer's logic prints on, answered by a real printer's device context.
#pragma once

#include <string_view>
#include <utility>

#include "gui/report_dlg_ports.h"
#include "ui/printer_dc.h"

namespace kolt {

class Win32Printer final : public Printer {
public:
    explicit Win32Printer(ui::PrinterDc dc) : m_dc(std::move(dc)) {}

    int StartDocument(std::string_view documentName) override;
    int StartPage() override { return m_dc.StartPage(); }
    int EndPage() override { return m_dc.EndPage(); }
    int EndDoc() override { return m_dc.EndDocument(); }
    int AbortDoc() override { return m_dc.AbortDocument(); }
    void DrawTextAt(int x, int y, std::string_view text) override { m_dc.DrawString(x, y, text); }
    FontMetrics CurrentFontMetrics() override;
    int PixelsPerInchY() override { return m_dc.DeviceCaps(LOGPIXELSY); }
    int PrintableHeight() override { return m_dc.DeviceCaps(VERTRES); }

private:
    ui::PrinterDc m_dc;
};

}  // namespace kolt
