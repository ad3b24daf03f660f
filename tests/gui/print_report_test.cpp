#include "gui/print_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kolt_version.h"
#include "tests/gui/gui_doubles.h"

namespace kolt {
namespace {

using test_support::PrinterRecord;
using test_support::RecordingPrinter;

const std::string kHeader = "                       Kolt Information - Version " KOLT_VERSION_TEXT;

// Rows 10 units high, left edge 5 × 8 = 40, ten-inch line at 100: body rows from 60 to 80 on the
// first page (three lines), from 50 to 80 on later pages (four lines).
RecordingPrinter::Settings SmallPage() {
    return {};
}
// The same rows on a page with room for about a hundred lines.
RecordingPrinter::Settings TallPage() {
    RecordingPrinter::Settings settings;
    settings.pixelsPerInchY = 100;
    return settings;
}

std::vector<std::string> Print(const std::string& report, RecordingPrinter::Settings settings) {
    PrinterRecord record;
    {
        RecordingPrinter printer(record, settings);
        PrintReportPages(printer, report);
    }
    return record.calls;
}

std::vector<std::string> PageStart(const std::string& x = "40") {
    return {x + ",30 " + kHeader, x + ",40  "};
}

std::vector<std::string> Join(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST(PrintReportTest, OnePagePrintsHeaderBlankRowsAndLinesWithoutPageNumber) {
    EXPECT_EQ(Print("first\r\nsecond\r\n", SmallPage()),
              Join({PageStart(), {"40,60 first", "40,70 second", "EndPage", "EndDoc"}}));
}

TEST(PrintReportTest, EmptyReportPrintsOnlyTheHeader) {
    EXPECT_EQ(Print("", SmallPage()), Join({PageStart(), {"EndPage", "EndDoc"}}));
}

TEST(PrintReportTest, LeftEdgeIsFiveAverageCharacters) {
    RecordingPrinter::Settings settings;
    settings.averageCharWidth = 13;
    EXPECT_EQ(Print("a\r\n", settings), Join({PageStart("65"), {"65,60 a", "EndPage", "EndDoc"}}));
}

TEST(PrintReportTest, TwoPagesNumberedBelowTheLastLineAndOnTheTenInchLine) {
    const std::vector<std::string> expected = Join({
        PageStart(),
        {"40,60 1", "40,70 2", "40,80 3"},
        // The fourth line does not fit above 80: a blank row, the number, a new page.
        {"40,90  ", "40,100 Page 1", "EndPage", "StartPage"},
        PageStart(),
        // Page 2 starts one row higher than page 1.
        {"40,50 4", "40,60 5"},
        {"40,100 Page 2", "EndPage", "EndDoc"},
    });
    EXPECT_EQ(Print("1\r\n2\r\n3\r\n4\r\n5\r\n", SmallPage()), expected);
}

TEST(PrintReportTest, LaterPagesHoldOneLineMore) {
    std::string report;
    for (int i = 1; i <= 11; ++i) {
        report += std::to_string(i) + "\r\n";
    }
    const std::vector<std::string> expected = Join({
        PageStart(),
        {"40,60 1", "40,70 2", "40,80 3", "40,90  ", "40,100 Page 1", "EndPage", "StartPage"},
        PageStart(),
        {"40,50 4", "40,60 5", "40,70 6", "40,80 7", "40,90  ", "40,100 Page 2", "EndPage",
         "StartPage"},
        PageStart(),
        {"40,50 8", "40,60 9", "40,70 10", "40,80 11", "40,100 Page 3", "EndPage", "EndDoc"},
    });
    EXPECT_EQ(Print(report, SmallPage()), expected);
}

TEST(PrintReportTest, PagesEndAtTheTenInchLineOrTheEndOfThePrintableAreaIfSooner) {
    struct Case {
        const char* name;
        int printableHeight;
        std::vector<std::string> calls;
    };
    const std::string report = "1\r\n2\r\n3\r\n4\r\n";
    const std::vector<std::string> tenInchLine = Join({
        PageStart(),
        {"40,60 1", "40,70 2", "40,80 3", "40,90  ", "40,100 Page 1", "EndPage", "StartPage"},
        PageStart(),
        {"40,50 4", "40,100 Page 2", "EndPage", "EndDoc"},
    });
    const std::vector<Case> cases = {
        {"driver does not say", 0, tenInchLine},
        {"room for the ten-inch line's row", 110, tenInchLine},
        // The last row that fits starts at 85: body rows up to 65, numbers at most at 85.
        {"shorter paper", 95,
         Join({
             PageStart(),
             {"40,60 1", "40,70  ", "40,80 Page 1", "EndPage", "StartPage"},
             PageStart(),
             {"40,50 2", "40,60 3", "40,70  ", "40,80 Page 2", "EndPage", "StartPage"},
             PageStart(),
             {"40,50 4", "40,85 Page 3", "EndPage", "EndDoc"},
         })},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingPrinter::Settings settings = SmallPage();
        settings.printableHeight = c.printableHeight;
        EXPECT_EQ(Print(report, settings), c.calls);
    }
}

TEST(PrintReportTest, LineEndsEachBreakTheLine) {
    struct Case {
        const char* name;
        std::string report;
        std::vector<std::string> rows;
    };
    const std::vector<Case> cases = {
        {"CR LF", "a\r\nb\r\n", {"40,60 a", "40,70 b"}},
        {"lone LF", "a\nb\n", {"40,60 a", "40,70 b"}},
        {"lone CR", "a\rb\r", {"40,60 a", "40,70 b"}},
        {"LF CR", "a\n\rb\r\n", {"40,60 a", "40,80 b"}},
        {"CR CR LF", "a\r\r\nb\r\n", {"40,60 a", "40,80 b"}},
        {"empty lines", "\r\n\r\nc\r\n", {"40,80 c"}},
        {"no final line end", "a\r\nb", {"40,60 a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Print(c.report, TallPage()), Join({PageStart(), c.rows, {"EndPage", "EndDoc"}}));
    }
}

TEST(PrintReportTest, LongLinesGoOnOverTheNextRows) {
    const std::string eighty(80, 'x');
    std::string umlauts;
    for (int i = 0; i < 80; ++i) {
        umlauts += "\xC3\xB6";
    }
    struct Case {
        const char* name;
        std::string report;
        std::vector<std::string> rows;
        int printableWidth = 0;
    };
    const std::vector<Case> cases = {
        {"exactly a row", eighty + "\r\nz\r\n", {"40,60 " + eighty, "40,70 z"}},
        {"one byte over", eighty + "y\r\n", {"40,60 " + eighty, "40,70 y"}},
        {"two full rows", eighty + eighty + "\r\n", {"40,60 " + eighty, "40,70 " + eighty}},
        {"over the page end",
         "1\r\n2\r\n" + eighty + "y\r\n",
         {"40,60 1", "40,70 2", "40,80 " + eighty, "40,90  ", "40,100 Page 1", "EndPage",
          "StartPage", "40,30 " + kHeader, "40,40  ", "40,50 y", "40,100 Page 2"}},
        // Whatever the font, a row ends where the printable width does: 80 units past the
        // margin hold ten characters of 8.
        {"narrower than 80 characters",
         "0123456789abcdefghijKLMNO\r\n",
         {"40,60 0123456789", "40,70 abcdefghij", "40,80 KLMNO"},
         120},
        {"a full row fits", eighty + "\r\n", {"40,60 " + eighty}, 40 + 80 * 8},
        {"one column short",
         eighty + "\r\n",
         {"40,60 " + std::string(79, 'x'), "40,70 x"},
         40 + 80 * 8 - 1},
        // Rows hold characters, not bytes, and never end inside one.
        {"a character across the 80th byte",
         std::string(79, 'x') + "\xC3\xBC" + "y\r\n",
         {"40,60 " + std::string(79, 'x') + "\xC3\xBC", "40,70 y"}},
        {"80 two-byte characters", umlauts + "z\r\n", {"40,60 " + umlauts, "40,70 z"}},
        {"narrower, three-byte characters",
         "0123456789\xE7\x8E\x8B\xE4\xBC\x9F\r\n",
         {"40,60 0123456789", "40,70 \xE7\x8E\x8B\xE4\xBC\x9F"},
         120},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingPrinter::Settings settings = SmallPage();
        settings.printableWidth = c.printableWidth;
        EXPECT_EQ(Print(c.report, settings), Join({PageStart(), c.rows, {"EndPage", "EndDoc"}}));
    }
}

// The doubles' font: cell 7/6 of the characters' height, characters 3/5 as wide (41 -> 47 x 25).
TEST(PrintReportTest, PrintFontIsFixedPitchAtMostTenPointsWithMarginAndRowAcrossThePage) {
    struct Case {
        const char* name;
        int pixelsPerInchY;
        int printableWidth;
        std::vector<std::string> faces;
        std::vector<std::string> fontCalls;
        ui::Printer::FontMetrics metrics;
    };
    const std::vector<Case> cases = {
        // A4 at 300 dpi: 10 points are 41.7 units, rounded down; 85 columns of 25 fit 2479.
        {"A4", 300, 2479, {"DejaVu Sans Mono", "Courier"}, {"Font Courier 41"}, {47, 25}},
        {"width not known", 300, 0, {"Courier New"}, {"Font Courier New 41"}, {47, 25}},
        // 85 columns of 25 need 2125: one step to 19 (widths of 11 need 935).
        {"narrow",
         300,
         1000,
         {"Courier New"},
         {"Font Courier New 41", "Font Courier New 19"},
         {22, 11}},
        // The step lands on 18, still 935 wide; one unit less fits.
        {"narrow, rounded",
         300,
         934,
         {"Courier New"},
         {"Font Courier New 41", "Font Courier New 18", "Font Courier New 17"},
         {19, 10}},
        {"72 dpi", 72, 0, {"Fira Mono"}, {"Font Fira Mono 10"}, {11, 6}},
        {"no fixed-pitch face: the printer's own font", 300, 2479, {}, {}, {10, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrinterRecord record;
        RecordingPrinter::Settings settings;
        settings.pixelsPerInchY = c.pixelsPerInchY;
        settings.printableWidth = c.printableWidth;
        settings.fixedPitchFaces = c.faces;
        RecordingPrinter printer(record, settings);

        const ui::Printer::FontMetrics metrics = UsePrintFont(printer, printer.Page());

        EXPECT_EQ(record.calls, c.fontCalls);
        EXPECT_EQ(metrics.height, c.metrics.height);
        EXPECT_EQ(metrics.averageCharWidth, c.metrics.averageCharWidth);
    }
}

TEST(PrintReportTest, PagesAreLaidOutInRowsOfThePrintFont) {
    RecordingPrinter::Settings settings;
    settings.pixelsPerInchY = 300;
    settings.printableWidth = 2479;
    settings.printableHeight = 3508;
    settings.fixedPitchFaces = {"Courier New"};
    // Rows of 47, margin 5 x 25; the font is chosen before anything is drawn.
    EXPECT_EQ(Print("a\r\n", settings),
              (std::vector<std::string>{"Font Courier New 41", "125,141 " + kHeader, "125,188  ",
                                        "125,282 a", "EndPage", "EndDoc"}));
}

}  // namespace
}  // namespace kolt
