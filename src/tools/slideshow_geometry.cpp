#include "tools/slideshow_geometry.h"

#include <cmath>

namespace orvella {
namespace {

constexpr int kLargestUnsplitMargin = 2;

// Half the margin, except that a margin too narrow to show is given to one side.
int Offset(int margin) {
    return margin <= kLargestUnsplitMargin ? 0 : margin / 2;
}

// The quotient in double precision, truncated: the divisor is the float ratio widened.
int ShrunkSide(int side, float ratio) {
    return static_cast<int>(std::floor(static_cast<double>(side) / static_cast<double>(ratio)));
}

}  // namespace

SlidePlacement PlaceSlide(PictureSize picture, PictureSize screen) {
    const float rx = static_cast<float>(picture.width) / static_cast<float>(screen.width);
    const float ry = static_cast<float>(picture.height) / static_cast<float>(screen.height);
    if (rx > 1.0F || ry > 1.0F) {
        const float f = rx > ry ? rx : ry;
        SlidePlacement placement;
        placement.scaled = true;
        placement.width = ShrunkSide(picture.width, f);
        placement.height = ShrunkSide(picture.height, f);
        placement.left = Offset(screen.width - placement.width);
        placement.top = Offset(screen.height - placement.height);
        return placement;
    }
    return SlidePlacement{.left = (screen.width - picture.width) / 2,
                          .top = (screen.height - picture.height) / 2,
                          .width = picture.width,
                          .height = picture.height,
                          .scaled = false};
}

}  // namespace orvella
