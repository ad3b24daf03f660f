// Lays the report out on the printer's pages: a page header on every page, one report line per
// row (carried over to the next rows where it is longer than a row holds), a page number at each
// page break and, when there was more than one page, on the last page.
#pragma once

#include <cstddef>
#include <string_view>

#include "kolt_version.h"
#include "ui/printer.h"

namespace kolt {

inline constexpr std::string_view kPrintedDocumentName = "Kolt Information";
// The page header: the report's title, set in by 23 spaces. The version is the product's own, so
// the paper names the same version as the report printed on it.
inline constexpr std::string_view kPageHeader =
    "                       Kolt Information - Version " KOLT_VERSION_TEXT;
// Everything printed starts this many character widths from the left of the printable area.
inline constexpr int kLeftMarginColumns = 5;
// The largest print, in points (1/72 inch).
inline constexpr int kMaxFontPoints = 10;

// Makes the printer's font the fixed-pitch face ChooseFixedPitchFace picks among its faces, at
// 10 points or, where the left margin and a full row would not fit the printable width at that
// size, as large as fits. A printer without a fixed-pitch face keeps its own font. Answers the
// metrics of the font now in use.
ui::Printer::FontMetrics UsePrintFont(ui::Printer& printer, const ui::Printer::PageArea& page);

// Prints every page of `report` on a printer whose document and first page have been started,
// in the font of UsePrintFont, then ends the last page and the document. CR, LF and CR LF each
// end a line. Answers the result of ending the document: zero or below when the printer did not
// take it.
int PrintReportPages(ui::Printer& printer, std::string_view report);

}  // namespace kolt
