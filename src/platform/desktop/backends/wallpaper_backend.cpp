#include "platform/desktop/backends/wallpaper_backend.h"

#include <algorithm>

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

std::vector<std::string> PicturesOfMonitors(const WallpaperChange& change, int count, int primary) {
    const std::vector<std::string>& plain = change.monitor_pictures;
    std::vector<std::string> shown(static_cast<std::size_t>(std::max(count, 0)), change.picture);
    if (plain.empty())
        return shown;
    const bool page = change.page_drawing;
    // With a page on the primary monitor the others take the plain pictures after the first,
    // which the page was made from, while there are more than one.
    const std::size_t skip = page && plain.size() > 1 ? 1 : 0;
    std::size_t next = 0;
    for (int i = 0; i < count; ++i) {
        if (page && i == primary)
            continue;
        shown[static_cast<std::size_t>(i)] = plain[skip + next % (plain.size() - skip)];
        ++next;
    }
    return shown;
}

std::vector<std::string> PicturesOfMonitors(const WallpaperChange& change,
                                            const std::vector<DesktopMonitor>& monitors) {
    const auto primary = std::find_if(monitors.begin(), monitors.end(),
                                      [](const DesktopMonitor& m) { return m.area.primary; });
    return PicturesOfMonitors(change, static_cast<int>(monitors.size()),
                              static_cast<int>(primary - monitors.begin()));
}

}  // namespace orvella
