// Lays the report out on the printer's pages: a page header on every page, one report line per
// row, a page number at each page break and, when there was more than one page, on the last page.
#pragma once

#include <cstddef>
#include <string_view>

#include "gui/report_dlg_ports.h"

namespace kolt {

inline constexpr std::string_view kPrintedDocumentName = "Kolt Information";
inline constexpr std::string_view kPageHeader =
    "                       Kolt Information - Version 2.0";
// The most bytes printed on one row; a longer report line goes on over the following rows.
inline constexpr std::size_t kPrintedRowBytes = 80;

// Prints every page of `report` on a printer whose document and first page have been started,
// then ends the last page and the document. CR, LF and CR LF each end a line.
void PrintReportPages(Printer& printer, std::string_view report);

}  // namespace kolt
