#include "ui/placement.h"

#include <gtest/gtest.h>

#include <vector>

namespace kolt {
namespace {

using ui::CenteredPosition;
using ui::Position;
using ui::Rectangle;

TEST(PlacementTest, CentredOverTheReferenceAndKeptInsideTheWorkArea) {
    const Rectangle screen{0, 0, 1024, 740};  // a work area above a task bar
    struct Case {
        const char* name;
        int width;
        int height;
        Rectangle reference;
        Position expected;
    };
    const std::vector<Case> cases = {
        {"on the work area", 300, 200, screen, {362, 270}},
        {"over an owner", 100, 50, {100, 100, 400, 300}, {200, 175}},
        {"odd sizes round towards the top left", 101, 51, {0, 0, 300, 201}, {100, 75}},
        {"owner near the right and bottom edges", 300, 200, {900, 600, 1100, 800}, {724, 540}},
        {"owner near the left and top edges", 300, 200, {-100, -50, 100, 50}, {0, 0}},
        {"larger than the work area: its top left stays on screen", 1200, 900, screen, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CenteredPosition(c.width, c.height, c.reference, screen), c.expected);
    }
}

TEST(PlacementTest, WorkAreaAwayFromTheOrigin) {
    // A second screen to the left of the first, its task bar at the top.
    const Rectangle workArea{-1280, 40, 0, 1024};
    EXPECT_EQ(CenteredPosition(400, 300, workArea, workArea), (Position{-840, 382}));
    EXPECT_EQ(CenteredPosition(400, 300, {-100, 0, 100, 100}, workArea), (Position{-400, 40}));
}

}  // namespace
}  // namespace kolt
