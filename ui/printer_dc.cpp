#include "ui/printer_dc.h"

#include <commdlg.h>

#include <algorithm>
#include <string>

#include "text/utf16.h"

#include "ui/fonts.h"

namespace kolt::ui {

PrinterDc::~PrinterDc() {
    if (m_originalFont != nullptr) {
        ::SelectObject(m_dc.get(), m_originalFont);
    }
}

// Text reaches the printer through the wide calls, so every character prints as itself whatever
// the system's 8-bit code page.
int PrinterDc::StartDocument(std::string_view documentName) {
    const std::wstring name = text::Utf16FromUtf8(documentName);
    DOCINFOW document{};
    document.cbSize = sizeof(document);
    document.lpszDocName = name.c_str();
    return ::StartDocW(m_dc.get(), &document);
}

void PrinterDc::DrawTextAt(int x, int y, std::string_view utf8) {
    const std::wstring wide = text::Utf16FromUtf8(utf8);
    ::TextOutW(m_dc.get(), x, y, wide.data(), static_cast<int>(wide.size()));
}

int PrinterDc::TextWidth(std::string_view utf8) {
    const std::wstring wide = text::Utf16FromUtf8(utf8);
    SIZE size{};
    ::GetTextExtentPoint32W(m_dc.get(), wide.data(), static_cast<int>(wide.size()), &size);
    return static_cast<int>(size.cx);
}

Printer::PageArea PrinterDc::Page() {
    return {::GetDeviceCaps(m_dc.get(), HORZRES), ::GetDeviceCaps(m_dc.get(), VERTRES),
            ::GetDeviceCaps(m_dc.get(), LOGPIXELSY)};
}

std::vector<std::string> PrinterDc::FixedPitchFaces() {
    return ui::FixedPitchFaces(m_dc.get());
}

Printer::FontMetrics PrinterDc::UseFont(const std::string& face, int emHeight) {
    LOGFONTW wanted{};
    wanted.lfHeight = -emHeight;  // negative: the characters' height, not the cell's
    wanted.lfWeight = FW_NORMAL;
    wanted.lfCharSet = DEFAULT_CHARSET;
    wanted.lfOutPrecision = OUT_DEFAULT_PRECIS;
    wanted.lfQuality = DEFAULT_QUALITY;
    wanted.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    const std::wstring wideFace = text::Utf16FromUtf8(face);
    const std::size_t length = std::min(wideFace.size(), std::size_t{LF_FACESIZE - 1});
    std::copy_n(wideFace.begin(), length, wanted.lfFaceName);

    UniqueFont font(::CreateFontIndirectW(&wanted));
    if (font) {
        const HGDIOBJ previous = ::SelectObject(m_dc.get(), font.get());
        if (previous != nullptr && previous != HGDI_ERROR) {
            if (m_originalFont == nullptr) {
                m_originalFont = previous;
            }
            // The font selected before this one (if ours) is no longer in the context.
            m_font = std::move(font);
        }
    }
    return CurrentFont();
}

Printer::FontMetrics PrinterDc::CurrentFont() {
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(m_dc.get(), &metrics);
    return {static_cast<int>(metrics.tmHeight), static_cast<int>(metrics.tmAveCharWidth)};
}

std::unique_ptr<Printer> PromptPrinter(HWND owner) {
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.Flags = PD_RETURNDC | PD_ALLPAGES | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE |
                   PD_USEDEVMODECOPIESANDCOLLATE;
    const BOOL chosen = ::PrintDlgW(&dialog);
    // The dialog allocates the printer's mode and names even when cancelled.
    const UniqueGlobal devMode(dialog.hDevMode);
    const UniqueGlobal devNames(dialog.hDevNames);
    UniqueDc dc(dialog.hDC);
    if (!chosen || !dc) {
        return nullptr;
    }
    return std::make_unique<PrinterDc>(std::move(dc));
}

}  // namespace kolt::ui
