// Which of the banner's pictures the main dialog shows. One picture is drawn for each common
// display scale, and the dialog shows one of them as it is: stretching or squeezing a picture
// blurs it.
#pragma once

#include <cstddef>
#include <span>

namespace kolt {

struct PixelSize {
    int width = 0;
    int height = 0;
};

// Of `pictures` (not empty), the index of the largest that fits inside `frame` (the space the
// dialog's layout gives the banner at the screen's scale); the smallest when none fits.
std::size_t ChooseBannerPicture(std::span<const PixelSize> pictures, PixelSize frame);

}  // namespace kolt
