#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/backends/wallpaper_backend.h"

namespace orvella {

// GNOME: GSettings org.gnome.desktop.background picture-uri (and picture-uri-dark where the
// schema has it), picture-options and primary-color, set by starting gsettings; the picture
// under a ShownPicture name, since dconf tells the shell nothing when a value stays the same.
// `command` is the program and any leading arguments ("gsettings", or a wrapper such as
// "dbus-run-session -- gsettings"); tests point it at a recording stand-in.
class GnomeWallpaperBackend : public WallpaperBackend {
public:
    explicit GnomeWallpaperBackend(std::vector<std::string> command = {"gsettings"})
        : command_(std::move(command)) {}
    Status Show(const WallpaperChange& change) override;

    // centre "centered", tile "wallpaper", stretch "stretched": Windows stretches to the
    // screen without keeping the proportions, which is "stretched", not "zoom".
    static std::string PictureOption(WallpaperStyle style);

private:
    Status Apply(const WallpaperChange& change);
    std::vector<std::string> command_;
};

}  // namespace orvella
