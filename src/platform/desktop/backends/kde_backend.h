#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/backends/wallpaper_backend.h"

namespace orvella {

// KDE Plasma: a script for every desktop containment through plasmashell's evaluateScript,
// sent with dbus-send; the picture under a ShownPicture name, since Plasma reloads only when
// the Image value changes.
// `command` is the program and any leading arguments ("gsettings", or a wrapper such as
// "dbus-run-session -- gsettings"); tests point it at a recording stand-in.
// With pictures for the monitors, each screen's desktop takes its own, the screens ranked as
// the monitors of the X display `display` ($DISPLAY when empty) are.
class KdeWallpaperBackend : public WallpaperBackend {
public:
    explicit KdeWallpaperBackend(std::vector<std::string> command = {"dbus-send"},
                                 std::string display = {})
        : command_(std::move(command)), display_(std::move(display)) {}
    Status Show(const WallpaperChange& change) override;
    std::vector<DesktopMonitor> Monitors() const override;

    // The Plasma image wallpaper's FillMode (Qt's Image.fillMode): centre 6 (Pad),
    // tile 3 (Tile), stretch 0 (Stretch).
    static int FillMode(WallpaperStyle style);
    // `pictures`: those of the monitors in their order; empty: the change's picture on all.
    static std::string Script(const WallpaperChange& change,
                              const std::vector<std::string>& pictures = {});

private:
    Status Apply(const WallpaperChange& change);
    std::vector<std::string> command_;
    std::string display_;
};

}  // namespace orvella
