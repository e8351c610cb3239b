#pragma once

#include <vector>

#include "platform/desktop/backends/wallpaper_backend.h"
#include "platform/desktop/monitors.h"
#include "platform/desktop/picture_pixels.h"
#include "platform/status.h"

namespace orvella {

// The desktop as Windows painted the screen, per monitor: the desktop colour wherever no
// monitor is and around a centred picture, each monitor's picture (PicturesOfMonitors)
// centred (cut at its edges when larger), tiled from the desktop's corner, or stretched
// over it. `canvas` is the whole desktop; each picture file is read once.
Status DrawMonitors(const PictureLoader& loader, const WallpaperChange& change,
                    const std::vector<MonitorArea>& monitors, const CanvasView& canvas);

}  // namespace orvella
