#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop/desktop_colour.h"
#include "platform/desktop/live_wallpaper.h"
#include "platform/desktop/monitors.h"
#include "platform/status.h"

namespace orvella {

// How the wallpaper fills the screen, numbered as WPSTYLE_CENTER, _TILE and _STRETCH.
enum class WallpaperStyle { Centre = 0, Tile = 1, Stretch = 2 };

std::string_view StyleName(WallpaperStyle style);  // "center", "tile", "stretch"

// Which Windows call set the wallpaper.
enum class WallpaperRoute { Registry, ActiveDesktop };

std::string_view RouteName(WallpaperRoute route);  // "spi", "activedesktop"

// One change of the wallpaper as the Windows desktop would show it.
struct WallpaperChange {
    WallpaperRoute route = WallpaperRoute::Registry;
    std::string file;     // what the program set: a picture or an HTML page
    std::string picture;  // what the host desktop is given to show
    WallpaperStyle style = WallpaperStyle::Centre;
    ColorRef background = 0;  // the desktop colour around a centred picture
    // The plain pictures of the change, for the monitors in their order (left to right, then
    // top to bottom), repeated when there are more monitors. Empty: `picture` everywhere.
    std::vector<std::string> monitor_pictures;
    // `picture` is a page drawn for the primary monitor (the calendar, the desktop control):
    // it goes there in place of the first plain picture.
    bool page_drawing = false;
};

// A monitor as the host desktop knows it: its part of the desktop and the name the desktop
// gives it (an output's name; empty where it has none).
struct DesktopMonitor {
    std::string name;
    MonitorArea area;
    bool operator==(const DesktopMonitor&) const = default;
};

// What each of `count` monitors shows, `primary` being the primary one's index.
std::vector<std::string> PicturesOfMonitors(const WallpaperChange& change, int count, int primary);
// The same for the host desktop's `monitors`.
std::vector<std::string> PicturesOfMonitors(const WallpaperChange& change,
                                            const std::vector<DesktopMonitor>& monitors);

// The running Linux desktop's own way of setting the wallpaper.
class WallpaperBackend {
public:
    virtual ~WallpaperBackend() = default;
    virtual Status Show(const WallpaperChange& change) = 0;
    // The monitors the next change will find, in their order (left to right, then top to
    // bottom), where this desktop can give each its own picture; empty where it cannot.
    virtual std::vector<DesktopMonitor> Monitors() const { return {}; }
    // Frames straight from memory, for a desktop that can take them; null for the others.
    virtual LiveWallpaper* Live() { return nullptr; }
};

// A desktop we cannot or should not touch.
class NoWallpaperBackend : public WallpaperBackend {
public:
    Status Show(const WallpaperChange&) override { return Status::Ok(); }
};

}  // namespace orvella
