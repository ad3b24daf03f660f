#include "gui/banner_image.h"

namespace kolt {

namespace {

long long Area(PixelSize size) {
    return static_cast<long long>(size.width) * size.height;
}

bool FitsInside(PixelSize picture, PixelSize frame) {
    return picture.width <= frame.width && picture.height <= frame.height;
}

}  // namespace

std::size_t ChooseBannerPicture(std::span<const PixelSize> pictures, PixelSize frame) {
    std::size_t smallest = 0;
    std::size_t chosen = pictures.size();
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (Area(pictures[i]) < Area(pictures[smallest])) {
            smallest = i;
        }
        if (FitsInside(pictures[i], frame) &&
            (chosen == pictures.size() || Area(pictures[i]) > Area(pictures[chosen]))) {
            chosen = i;
        }
    }
    return chosen < pictures.size() ? chosen : smallest;
}

}  // namespace kolt
