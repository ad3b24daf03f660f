#include "gui/print_report.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "gui/fixed_pitch_face.h"
#include "gui/gui_limits.h"
#include "text/utf8.h"

namespace kolt {

namespace {

constexpr int kPointsPerInch = 72;
// The margin and a full row: what one printed line may need across the page.
constexpr int kPrintedColumns =
    kLeftMarginColumns + static_cast<int>(limits::kPrintedRowCharacters);

// Places rows down the page in rows of the print font's height, turns the page when a row would
// come too close to the ten-inch line or the end of the printable area, and never lets a row run
// past the printable width.
class PageWriter {
public:
    PageWriter(ui::Printer& printer, const ui::Printer::PageArea& page,
               const ui::Printer::FontMetrics& font)
        : m_printer(printer),
          m_rowHeight(font.height),
          m_left(kLeftMarginColumns * font.averageCharWidth) {
        // Ten inches from the top of the printable area. Where that area ends sooner (landscape
        // or small paper), the last row that still fits instead: rows beyond it would be lost.
        m_bottom = 10 * page.pixelsPerInchY;
        if (page.height > 0 && page.height - m_rowHeight < m_bottom) {
            m_bottom = page.height - m_rowHeight;
        }
        // 0: the driver does not say how wide the page is, and rows hold their 80 bytes.
        m_rowWidth = page.width > 0 ? page.width - m_left : 0;
        DrawPageHeader();
    }

    // One line of the report, over as many rows as it needs; an empty line still takes its row.
    void Line(std::string_view text) {
        do {
            const std::size_t length = RowLength(text);
            Row(text.substr(0, length));
            text.remove_prefix(length);
        } while (!text.empty());
    }

    int Finish() {
        if (m_page > 1) {
            m_printer.DrawTextAt(m_left, m_bottom, PageNumberText());
        }
        m_printer.EndPage();
        return m_printer.EndDocument();
    }

private:
    // How many bytes of `text` one row holds: its first 80 characters, or fewer where they would
    // run past the printable width; always at least one character, so every byte reaches the
    // paper, and always whole characters.
    std::size_t RowLength(std::string_view text) {
        // The end of each of the row's characters, in bytes.
        std::vector<std::size_t> ends;
        for (std::size_t end = 0;
             end < text.size() && ends.size() < limits::kPrintedRowCharacters;) {
            end += text::DecodeUtf8Character(text.substr(end)).length;
            ends.push_back(end);
        }
        std::size_t characters = ends.size();
        if (m_rowWidth > 0) {
            while (characters > 1 &&
                   m_printer.TextWidth(text.substr(0, ends[characters - 1])) > m_rowWidth) {
                --characters;
            }
        }
        return characters == 0 ? 0 : ends[characters - 1];
    }

    void Row(std::string_view text) {
        m_y += m_rowHeight;
        if (m_y > m_bottom - 2 * m_rowHeight) {
            BreakPage();
        }
        if (!text.empty()) {
            m_printer.DrawTextAt(m_left, m_y, text);
        }
    }

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

    ui::Printer& m_printer;
    int m_rowHeight = 0;
    int m_left = 0;
    int m_bottom = 0;
    int m_rowWidth = 0;
    int m_y = 0;
    int m_page = 1;
};

}  // namespace

ui::Printer::FontMetrics UsePrintFont(ui::Printer& printer, const ui::Printer::PageArea& page) {
    const std::optional<std::string> face = ChooseFixedPitchFace(printer.FixedPitchFaces());
    if (!face || page.pixelsPerInchY <= 0) {
        return printer.CurrentFont();
    }
    // Rounded down: never more than the largest size.
    int emHeight = std::max(1, kMaxFontPoints * page.pixelsPerInchY / kPointsPerInch);
    ui::Printer::FontMetrics metrics = printer.UseFont(*face, emHeight);
    const auto tooWide = [&] {
        return page.width > 0 && metrics.averageCharWidth * kPrintedColumns > page.width;
    };
    if (tooWide()) {
        // A face's widths grow with its height: one step to about the right size, then down one
        // unit at a time while rounding still leaves it too wide.
        emHeight =
            std::max(1, emHeight * page.width / (metrics.averageCharWidth * kPrintedColumns));
        metrics = printer.UseFont(*face, emHeight);
        while (emHeight > 1 && tooWide()) {
            metrics = printer.UseFont(*face, --emHeight);
        }
    }
    return metrics;
}

int PrintReportPages(ui::Printer& printer, std::string_view report) {
    const ui::Printer::PageArea page = printer.Page();
    PageWriter writer(printer, page, UsePrintFont(printer, page));
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < report.size(); ++i) {
        const char c = report[i];
        if (c != '\r' && c != '\n') {
            continue;
        }
        writer.Line(report.substr(lineStart, i - lineStart));
        if (c == '\r' && i + 1 < report.size() && report[i + 1] == '\n') {
            ++i;
        }
        lineStart = i + 1;
    }
    // Bytes after the last line end form no line and are not printed; a finished report always
    // ends with a line end, and Save keeps the LF of each.
    return writer.Finish();
}

}  // namespace kolt
