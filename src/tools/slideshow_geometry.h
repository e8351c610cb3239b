#pragma once

namespace orvella {

struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize&) const = default;
};

// Where a slide lies on the screen, in the screen's coordinates.
struct SlidePlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // Shrunk to fit; otherwise shown at its natural size.
    bool scaled = false;
    bool operator==(const SlidePlacement&) const = default;
};

// A picture wider or higher than the screen is shrunk, keeping its aspect ratio, until it
// just fits, and centred, except that a margin of at most 2 pixels is not split but left at
// the right or bottom; a smaller picture is centred at its natural size, never enlarged.
// The ratios are single-precision floats, and the sides are divided by that float, so a
// picture a few pixels larger than the screen may come out a pixel short of it: that is
// the rounding the shown sizes are defined by, not an error to correct.
SlidePlacement PlaceSlide(PictureSize picture, PictureSize screen);

}  // namespace orvella
