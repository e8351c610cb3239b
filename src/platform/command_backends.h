#pragma once

#include <string>
#include <vector>

#include "platform/wallpaper_backend.h"

namespace orvella {

// The backends that set the wallpaper by starting the desktop's own command-line tool.
// `command` is the program and any leading arguments ("gsettings", or a wrapper such as
// "dbus-run-session -- gsettings"); tests point it at a recording stand-in.

// GNOME: GSettings org.gnome.desktop.background picture-uri (and picture-uri-dark where the
// schema has it), picture-options and primary-color.
class GnomeWallpaperBackend : public WallpaperBackend {
public:
    explicit GnomeWallpaperBackend(std::vector<std::string> command = {"gsettings"})
        : command_(std::move(command)) {}
    Status Show(const WallpaperChange& change) override;

    // centre "centered", tile "wallpaper", stretch "stretched": Windows stretches to the
    // screen without keeping the proportions, which is "stretched", not "zoom".
    static std::string PictureOption(WallpaperStyle style);

private:
    std::vector<std::string> command_;
};

// KDE Plasma: a script for every desktop containment through plasmashell's evaluateScript,
// sent with dbus-send.
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
    std::vector<std::string> command_;
};

// XFCE: xfconf-query on every monitor's and workspace's last-image and image-style in the
// xfce4-desktop channel.
class XfceWallpaperBackend : public WallpaperBackend {
public:
    explicit XfceWallpaperBackend(std::vector<std::string> command = {"xfconf-query"})
        : command_(std::move(command)) {}
    Status Show(const WallpaperChange& change) override;

    // xfdesktop's image-style: centre 1 (centered), tile 2 (tiled), stretch 3 (stretched).
    static int ImageStyle(WallpaperStyle style);

private:
    std::vector<std::string> command_;
};

// sway: a swaybg of ours for all outputs. It must outlive the program (a "-wall -close"
// run ends at once), so its process number is kept in `pid_file`, and the next change
// starts the new swaybg first and then ends the earlier one, so the screen never goes bare.
class SwayWallpaperBackend : public WallpaperBackend {
public:
    SwayWallpaperBackend(std::string pid_file, std::string program = "swaybg")
        : pid_file_(std::move(pid_file)), program_(std::move(program)) {}
    Status Show(const WallpaperChange& change) override;

    // swaybg's modes: centre "center", tile "tile", stretch "stretch".
    static std::string Mode(WallpaperStyle style);

private:
    void EndEarlier(const std::string& pid_text) const;
    std::string pid_file_;
    std::string program_;
};

}  // namespace orvella
