// A real printer: the common Print dialog chooses it, and its device context answers Printer.
// Only Win32 code here.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/handles.h"
#include "ui/printer.h"

namespace kolt::ui {

class PrinterDc final : public Printer {
public:
    explicit PrinterDc(UniqueDc dc) : m_dc(std::move(dc)) {}
    // Puts the context's own font back before the one we made is deleted with the context.
    ~PrinterDc() override;

    PrinterDc(const PrinterDc&) = delete;
    PrinterDc& operator=(const PrinterDc&) = delete;

    int StartDocument(std::string_view documentName) override;
    int StartPage() override { return ::StartPage(m_dc.get()); }
    int EndPage() override { return ::EndPage(m_dc.get()); }
    int EndDocument() override { return ::EndDoc(m_dc.get()); }
    int AbortDocument() override { return ::AbortDoc(m_dc.get()); }

    void DrawTextAt(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) override;
    PageArea Page() override;
    std::vector<std::string> FixedPitchFaces() override;
    FontMetrics UseFont(const std::string& face, int emHeight) override;
    FontMetrics CurrentFont() override;

private:
    UniqueDc m_dc;
    UniqueFont m_font;
    // The font the context had before ours; selected again before ours goes.
    HGDIOBJ m_originalFont = nullptr;
};

// Shows the Print dialog for a whole document (no page range, no selection, no print-to-file
// box; copies left to the driver). Returns the chosen printer, or nullptr when the user
// cancelled or no printer could be opened.
std::unique_ptr<Printer> PromptPrinter(HWND owner);

}  // namespace kolt::ui
