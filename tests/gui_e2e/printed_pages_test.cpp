#include "tests/gui_e2e/printed_pages.h"

#include <gtest/gtest.h>

#include "kolt_version.h"

namespace kolt::e2e {
namespace {

TEST(PrintedPages, ReadsPagesAndWordsOfPdftotextBbox) {
    const char* html = R"(<html><body><doc>
  <page width="595.000000" height="842.000000">
    <word xMin="30.0" yMin="35.5" xMax="60.0" yMax="45.0">Kolt</word>
    <word xMin="66.0" yMin="35.5" xMax="90.0" yMax="45.0">R&amp;D&lt;1&gt;</word>
  </page>
  <page width="612.000000" height="792.000000">
  </page>
</doc></body></html>)";
    const std::vector<PrintedPage> pages = ParseBboxPages(html);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].width, 595.0);
    ASSERT_EQ(pages[0].words.size(), 2u);
    EXPECT_EQ(pages[0].words[1].text, "R&D<1>");
    EXPECT_EQ(pages[0].words[1].left, 66.0);
    EXPECT_EQ(pages[0].words[1].top, 35.5);
    EXPECT_TRUE(pages[1].words.empty());
}

// Rows 10 units high, page limit 100: page 1 holds rows 6 to 8, later pages rows 5 to 8.
TEST(PrintedPages, ExpectedPrintoutFollowsThePrintLayout) {
    const std::string header = "Kolt Information - Version " KOLT_VERSION_TEXT;
    const PrintGeometry geometry{10, 100, 4};
    EXPECT_EQ(ExpectedPrintout("a  b\r\n        \r\n", geometry),
              (std::vector<PrintedRow>{{1, 30, header}, {1, 60, "a b"}}));
    EXPECT_EQ(ExpectedPrintout("1\r\n2\r\n3\r\nabcdefghij\r\n", geometry),
              (std::vector<PrintedRow>{{1, 30, header},
                                       {1, 60, "1"},
                                       {1, 70, "2"},
                                       {1, 80, "3"},
                                       {1, 100, "Page 1"},
                                       {2, 30, header},
                                       {2, 50, "abcd"},
                                       {2, 60, "efgh"},
                                       {2, 70, "ij"},
                                       {2, 100, "Page 2"}}));
}

TEST(PrintedPages, PrintoutRowsCountFromThePageHeader) {
    // Half a point per device unit, rows of 10 units (5 points); the words' tops sit 1.5 points
    // below their rows' tops.
    PrintedPage page{595,
                     842,
                     {{40, 16.5, 60, "Kolt"},
                      {70, 31.5, 80, "b"},
                      {40, 31.6, 60, "a"},
                      {40, 51.5, 60, "Page"},
                      {70, 51.5, 80, "1"}}};
    EXPECT_EQ(MeasuredRowHeight(page, 0.5), 10);
    EXPECT_EQ(PrintoutRows({page}, 10, 0.5),
              (std::vector<PrintedRow>{{1, 30, "Kolt"}, {1, 60, "a b"}, {1, 100, "Page 1"}}));
}

TEST(PrintedPages, CollapseBlanks) {
    EXPECT_EQ(CollapseBlanks("  Date and Time   : Mon  "), "Date and Time : Mon");
    EXPECT_EQ(CollapseBlanks("        "), "");
}

}  // namespace
}  // namespace kolt::e2e
