#pragma once

#include "platform/desktop/backends/wallpaper_backend.h"
#include "platform/desktop/desktop_colour.h"
#include "platform/desktop/picture_pixels.h"

namespace orvella {

// The screen as the Windows desktop paints it: the picture centred on the desktop colour
// (cut at the edges when larger), repeated from the top left corner, or stretched to the
// whole screen with bilinear filtering.
PicturePixels ComposeWallpaper(const PicturePixels& picture, WallpaperStyle style, int width,
                               int height, ColorRef background);

}  // namespace orvella
