#pragma once

#include <string>

#include "platform/desktop/backends/wallpaper_backend.h"

namespace orvella::testing {

// A change as the Active Desktop route hands it on, with the desktop colour #3A6EA5.
inline WallpaperChange ChangeOf(const std::string& picture, WallpaperStyle style) {
    WallpaperChange change;
    change.route = WallpaperRoute::ActiveDesktop;
    change.file = picture;
    change.picture = picture;
    change.style = style;
    change.background = MakeColorRef(0x3A, 0x6E, 0xA5);
    return change;
}

}  // namespace orvella::testing
