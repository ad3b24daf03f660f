#include "gui/banner_image.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace kolt {
namespace {

// The pictures drawn for 100 %, 150 % and 200 %; the frames are the banner's space in the main
// dialog at those scales and between them, with its border taken off.
constexpr std::array<PixelSize, 3> kPictures{{{350, 70}, {525, 105}, {700, 140}}};

TEST(BannerImageTest, TheLargestPictureThatFitsItsFrameIsShownUnscaled) {
    struct Case {
        const char* name;
        PixelSize frame;
        std::size_t chosen;
    };
    const std::vector<Case> cases = {
        {"100 %", {356, 77}, 0},
        {"125 %: the 150 % picture would stick out", {445, 98}, 0},
        {"150 %", {535, 124}, 1},
        {"exactly the picture's size", {525, 105}, 1},
        {"wide enough, one pixel too low", {700, 139}, 1},
        {"200 %", {714, 155}, 2},
        {"300 %: nothing larger was drawn", {1070, 240}, 2},
        {"smaller than every picture", {300, 60}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ChooseBannerPicture(kPictures, c.frame), c.chosen);
    }
    // The order the pictures are listed in does not matter.
    const std::array<PixelSize, 3> reversed{{kPictures[2], kPictures[1], kPictures[0]}};
    EXPECT_EQ(ChooseBannerPicture(reversed, {535, 124}), 1u);
    EXPECT_EQ(ChooseBannerPicture(reversed, {300, 60}), 2u);
}

}  // namespace
}  // namespace kolt
