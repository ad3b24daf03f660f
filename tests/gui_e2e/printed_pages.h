// What a printed report must show and what a printout shows, for the end-to-end print case.
// The printout is read from `pdftotext -bbox` (every word of a PDF with its box, in points from
// the page's top left corner); the expectation follows the viewer's print layout. Both are
// written as text rows at a height down the page in the printer's device units.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kolt::e2e {

struct PrintedWord {
    double left = 0;
    double top = 0;
    double right = 0;
    std::string text;
};

struct PrintedPage {
    double width = 0;
    double height = 0;
    std::vector<PrintedWord> words;
};

// The pages of a `pdftotext -bbox` document, their words in the order listed.
std::vector<PrintedPage> ParseBboxPages(std::string_view html);

// A row of printed text: its page (from 1), its top in device units from the top of the
// printable area, and its words joined by single spaces.
struct PrintedRow {
    int page = 0;
    int y = 0;
    std::string text;
    friend bool operator==(const PrintedRow&, const PrintedRow&) = default;
};

// `text` with every run of blanks turned into one space and none at either end: how words
// read back from a PDF compare with the characters that were printed.
std::string CollapseBlanks(std::string_view text);

// The printer's layout as the print case measures it.
struct PrintGeometry {
    int rowHeight = 0;       // device units
    int bottom = 0;          // the page limit: the ten-inch line, or sooner on short paper
    int rowCharacters = 80;  // the most characters of a line on one row (UTF-8)
};

// Where the viewer's print layout puts the visible text of `report` (CR LF lines): the page
// header on row 3 of every page, the lines from row 6 of the first page and row 5 of later ones
// (longer lines carried over in rows of `rowCharacters`), a page number two rows below the last row
// that fits on each page that another follows, and on the page limit of the last page when there
// was more than one.
std::vector<PrintedRow> ExpectedPrintout(std::string_view report, const PrintGeometry& geometry);

// The rows a printout shows, with `pointsPerDeviceUnit` converting its points to device units.
// Words whose tops lie within a quarter row of each other form one row. The page header (the
// first row of each page) stands on row 3; the rows' heights are counted from there.
std::vector<PrintedRow> PrintoutRows(const std::vector<PrintedPage>& pages, int rowHeight,
                                     double pointsPerDeviceUnit);

// The row height of a printout in device units: the first page's first report line stands three
// rows below its page header.
int MeasuredRowHeight(const PrintedPage& firstPage, double pointsPerDeviceUnit);

}  // namespace kolt::e2e
