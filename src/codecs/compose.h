#pragma once

#include "codecs/bitmap.h"
#include "platform/status.h"

namespace orvella {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The part of `rect` that lies inside `source`, as a picture of its own; fails when that
// part has no area.
Result<Bitmap> Crop(const Bitmap& source, Rect rect);

// Draws `source` unscaled onto `destination` with its top-left corner at (x, y), which may
// lie outside; what falls outside `destination` is cut off. An Rgba source is drawn over
// what is there (source-over); an Rgb source replaces it.
void Blit(const Bitmap& source, Bitmap& destination, int x, int y);

// Covers `destination` with copies of `source` side by side, starting at the top-left
// corner, as a tiled wallpaper does.
void Tile(const Bitmap& source, Bitmap& destination);

// Sets every pixel of `destination` to `colour`.
void Fill(Bitmap& destination, Colour colour);

// An Rgb picture of `source` drawn over `background`; an Rgb source comes back unchanged.
Bitmap Flatten(const Bitmap& source, Colour background);

}  // namespace orvella
