#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/backends/wallpaper_backend.h"

namespace orvella {

// XFCE: xfconf-query on every monitor's and workspace's last-image and image-style in the
// xfce4-desktop channel; the picture under a ShownPicture name, since xfconfd tells xfdesktop
// nothing when a value stays the same.
// `command` is the program and any leading arguments ("gsettings", or a wrapper such as
// "dbus-run-session -- gsettings"); tests point it at a recording stand-in.
// With pictures for the monitors, each monitor's properties take its own: xfdesktop names
// its monitors after their RandR outputs ("monitorHDMI-1"), older ones by their number
// ("monitor0"); the monitors come from the X display `display` ($DISPLAY when empty).
class XfceWallpaperBackend : public WallpaperBackend {
public:
    explicit XfceWallpaperBackend(std::vector<std::string> command = {"xfconf-query"},
                                  std::string display = {})
        : command_(std::move(command)), display_(std::move(display)) {}
    Status Show(const WallpaperChange& change) override;
    std::vector<DesktopMonitor> Monitors() const override;

    // xfdesktop's image-style: centre 1 (centered), tile 2 (tiled), stretch 3 (stretched).
    static int ImageStyle(WallpaperStyle style);

private:
    Status Apply(const WallpaperChange& change);
    std::vector<std::string> command_;
    std::string display_;
};

}  // namespace orvella
