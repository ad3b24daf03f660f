#include "gui/print_report.h"

#include <string>

namespace kolt {

namespace {

// Places rows down the page in the units of the printer's default font, and turns the page when
// a row would come too close to the ten-inch line or the end of the printable area.
class PageWriter {
public:
    explicit PageWriter(Printer& printer) : m_printer(printer) {
        const Printer::FontMetrics metrics = printer.CurrentFontMetrics();
        m_rowHeight = metrics.height;
        m_left = 5 * metrics.averageCharWidth;
        // Ten inches from the top of the printable area. Where that area ends sooner (landscape
        // or small paper), the last row that still fits instead: rows beyond it would be lost.
        m_bottom = 10 * printer.PixelsPerInchY();
        const int printableHeight = printer.PrintableHeight();
        if (printableHeight > 0 && printableHeight - m_rowHeight < m_bottom) {
            m_bottom = printableHeight - m_rowHeight;
        }
        DrawPageHeader();
    }

    void Row(std::string_view text) {
        m_y += m_rowHeight;
        if (m_y > m_bottom - 2 * m_rowHeight) {
            BreakPage();
        }
        // An empty line still takes its row.
        if (!text.empty()) {
            m_printer.DrawTextAt(m_left, m_y, text);
        }
    }

    void Finish() {
        if (m_page > 1) {
            m_printer.DrawTextAt(m_left, m_bottom, PageNumberText());
        }
        m_printer.EndPage();
        m_printer.EndDoc();
    }

private:
    void DrawPageHeader() {
        m_printer.DrawTextAt(m_left, 3 * m_rowHeight, kPageHeader);
        m_printer.DrawTextAt(m_left, 4 * m_rowHeight, " ");
        m_y = 5 * m_rowHeight;
    }

    // At the row that did not fit: a blank row, the page number below it, then a fresh page.
    void BreakPage() {
        m_printer.DrawTextAt(m_left, m_y, " ");
        m_printer.DrawTextAt(m_left, m_y + m_rowHeight, PageNumberText());
        m_printer.EndPage();
        ++m_page;
        m_printer.StartPage();
        DrawPageHeader();
    }

    std::string PageNumberText() const { return "Page " + std::to_string(m_page); }

    Printer& m_printer;
    int m_rowHeight = 0;
    int m_left = 0;
    int m_bottom = 0;
    int m_y = 0;
    int m_page = 1;
};

}  // namespace

void PrintReportPages(Printer& printer, std::string_view report) {
    PageWriter writer(printer);
    std::string line;
    line.reserve(kPrintedRowBytes);
    for (std::size_t i = 0; i < report.size(); ++i) {
        const char c = report[i];
        if (c == '\r' || c == '\n') {
            writer.Row(line);
            line.clear();
            if (c == '\r' && i + 1 < report.size() && report[i + 1] == '\n') {
                ++i;
            }
            continue;
        }
        // A line longer than a row goes on over the next rows rather than being cut.
        if (line.size() == kPrintedRowBytes) {
            writer.Row(line);
            line.clear();
        }
        line += c;
    }
    // Bytes after the last line end form no line and are not printed; a finished report always
    // ends with a line end, and Save keeps the LF of each.
    writer.Finish();
}

}  // namespace kolt
