#include "tests/gui_e2e/report_text.h"

#include <gtest/gtest.h>

namespace kolt::e2e {
namespace {

TEST(SplitCrLfLines, TakesOnlyTextWhoseEveryLineEndsInCrLf) {
    EXPECT_EQ(SplitCrLfLines(""), std::vector<std::string>{});
    EXPECT_EQ(SplitCrLfLines("a\r\n\r\nb c\r\n"), (std::vector<std::string>{"a", "", "b c"}));
    for (const char* bad : {"a", "a\r\nb", "a\n", "a\r", "a\r\r\n", "a\n\r", "\r\n\n"}) {
        EXPECT_EQ(SplitCrLfLines(bad), std::nullopt) << bad;
    }
}

TEST(SavedFileBytes, TurnsEachCrIntoASpaceAndEachLfIntoCrLf) {
    EXPECT_EQ(SavedFileBytes("one\r\ntwo\r\n"), "one \r\ntwo \r\n");
    EXPECT_EQ(SavedFileBytes("lone\rcr\nlf"), "lone cr\r\nlf");
    EXPECT_EQ(SavedFileBytes(""), "");
}

TEST(SelectionFileBytes, WritesTwelveZeroOrOneLinesWithCrLf) {
    BoxStates states{};
    states[0] = true;
    states[9] = true;
    states[11] = true;
    EXPECT_EQ(SelectionFileBytes(states),
              "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n1\r\n");
}

// The file's order puts CPU Speed ninth; the report puts it third, before the operating system.
TEST(SectionOpenings, FollowTheReportOrderNotTheFileOrder) {
    BoxStates states{};
    states[3] = true;  // operating system
    states[8] = true;  // CPU speed
    states[1] = true;  // date and time
    EXPECT_EQ(SelectedSectionOpenings(states),
              (std::vector<std::string>{
                  "  Date and Time   : ", "  CPU Speed       : ", "  Operating System: "}));
    EXPECT_EQ(UnselectedSectionOpenings(states).size(), 7u);
    EXPECT_EQ(UnselectedSectionOpenings(states).front(), "  Architecture    : ");
    EXPECT_EQ(UnselectedSectionOpenings(states).back(), "  Extended Information");
}

TEST(SectionOpenings, IgnoreTheAllBox) {
    BoxStates allOnly{};
    allOnly[0] = true;
    EXPECT_TRUE(SelectedSectionOpenings(allOnly).empty());
    EXPECT_EQ(UnselectedSectionOpenings(allOnly).size(), 10u);
}

TEST(FirstPrefixMissingInOrder, NamesThePrefixOutOfOrderOrMissing) {
    const std::vector<std::string> lines{"head", "  Date and Time   : x", "  CPU Speed       : y",
                                         "tail"};
    EXPECT_EQ(FirstPrefixMissingInOrder(lines, {"  Date", "  CPU"}), std::nullopt);
    EXPECT_EQ(FirstPrefixMissingInOrder(lines, {"  CPU", "  Date"}), "  Date");
    EXPECT_EQ(FirstPrefixMissingInOrder(lines, {"head", "head"}), "head");
    EXPECT_EQ(FirstPrefixMissingInOrder(lines, {"  Disk"}), "  Disk");
    EXPECT_TRUE(AnyLineStartsWith(lines, "tai"));
    EXPECT_FALSE(AnyLineStartsWith(lines, "ail"));
    EXPECT_EQ(CountLines({"a", "ab", "a"}, "a"), 2u);
}

}  // namespace
}  // namespace kolt::e2e
