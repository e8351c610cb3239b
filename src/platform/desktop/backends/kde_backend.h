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
class KdeWallpaperBackend : public WallpaperBackend {
public:
    explicit KdeWallpaperBackend(std::vector<std::string> command = {"dbus-send"})
        : command_(std::move(command)) {}
    Status Show(const WallpaperChange& change) override;

    // The Plasma image wallpaper's FillMode (Qt's Image.fillMode): centre 6 (Pad),
    // tile 3 (Tile), stretch 0 (Stretch).
    static int FillMode(WallpaperStyle style);
    static std::string Script(const WallpaperChange& change);

private:
    Status Apply(const WallpaperChange& change);
    std::vector<std::string> command_;
};

}  // namespace orvella
