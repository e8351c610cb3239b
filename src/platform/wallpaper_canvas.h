#pragma once

#include "platform/desktop_colour.h"
#include "platform/picture_pixels.h"
#include "platform/wallpaper_backend.h"

namespace orvella {

// The screen as the Windows desktop paints it: the picture centred on the desktop colour
// (cut at the edges when larger), repeated from the top left corner, or stretched to the
// whole screen with bilinear filtering.
PicturePixels ComposeWallpaper(const PicturePixels& picture, WallpaperStyle style, int width,
                               int height, ColorRef background);

}  // namespace orvella
