#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/backends/wallpaper_backend.h"
#include "platform/desktop/picture_pixels.h"

namespace orvella {

// GNOME: GSettings org.gnome.desktop.background picture-uri (and picture-uri-dark where the
// schema has it), picture-options and primary-color, set by starting gsettings; the picture
// under a ShownPicture name, since dconf tells the shell nothing when a value stays the same.
// `command` is the program and any leading arguments ("gsettings", or a wrapper such as
// "dbus-run-session -- gsettings"); tests point it at a recording stand-in.
// With pictures for the monitors, GNOME, which takes one picture for all, gets one composed
// by `loader` from the monitors of the X display `display` ($DISPLAY when empty) as they
// lie, each its own picture in the chosen mode, set "spanned" over them.
class GnomeWallpaperBackend : public WallpaperBackend {
public:
    explicit GnomeWallpaperBackend(std::vector<std::string> command = {"gsettings"},
                                   std::shared_ptr<const PictureLoader> loader = nullptr,
                                   std::string display = {})
        : command_(std::move(command)), loader_(std::move(loader)), display_(std::move(display)) {}
    Status Show(const WallpaperChange& change) override;
    std::vector<DesktopMonitor> Monitors() const override;

    // centre "centered", tile "wallpaper", stretch "stretched": Windows stretches to the
    // screen without keeping the proportions, which is "stretched", not "zoom".
    static std::string PictureOption(WallpaperStyle style);

private:
    // The picture of all monitors beside the change's picture; nullopt where one picture
    // shows on all of them.
    Result<std::optional<std::string>> Compose(const WallpaperChange& change) const;
    Status Apply(const WallpaperChange& change, bool spanned);
    std::vector<std::string> command_;
    std::shared_ptr<const PictureLoader> loader_;
    std::string display_;
};

}  // namespace orvella
