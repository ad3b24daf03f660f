#include "tests/gui_e2e/layout_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace kolt::e2e {
namespace {

TEST(LayoutTextTest, ShownTextDropsTheMnemonicMarks) {
    EXPECT_EQ(ShownText("System Memory, Real && Virtual"), "System Memory, Real & Virtual");
    EXPECT_EQ(ShownText("&About Kolt Info..."), "About Kolt Info...");
    EXPECT_EQ(ShownText("Process"), "Process");
}

TEST(LayoutTextTest, WrappedLinesBreakAtSpacesAndNeverInsideAWord) {
    const std::string email = "Click Here to Email your support request to: support@kolt.example";
    struct Case {
        std::size_t columns;
        std::optional<std::size_t> lines;
    };
    const std::vector<Case> cases = {
        {65, 1},
        {64, 2},
        // "Click Here to Email your support" and "request to: support@kolt.example".
        {32, 2},
        {31, 3},
        {20, 4},
        // The address alone is 20 characters.
        {19, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WrappedLineCount(email, c.columns), c.lines) << c.columns << " columns";
    }
    EXPECT_EQ(WrappedLineCount("", 10), 0u);
}

}  // namespace
}  // namespace kolt::e2e
