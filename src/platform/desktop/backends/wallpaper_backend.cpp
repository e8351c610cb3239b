#include "platform/desktop/backends/wallpaper_backend.h"

namespace orvella {

std::string_view StyleName(WallpaperStyle style) {
    switch (style) {
        case WallpaperStyle::Centre:
            return "center";
        case WallpaperStyle::Tile:
            return "tile";
        case WallpaperStyle::Stretch:
            return "stretch";
    }
    return "center";
}

std::string_view RouteName(WallpaperRoute route) {
    return route == WallpaperRoute::Registry ? "spi" : "activedesktop";
}

}  // namespace orvella
