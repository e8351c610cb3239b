#pragma once

#include <memory>
#include <string>

#include "platform/desktop/backends/wallpaper_backend.h"
#include "platform/desktop/live_wallpaper.h"
#include "platform/desktop/monitors.h"
#include "platform/desktop/picture_pixels.h"

namespace orvella {

// A root pixmap one of our changes published, and the number of the change that drew it last:
// a later change of ours draws into the same pixmap while the screen keeps its size.
struct OurRootPixmap {
    unsigned long pixmap = 0;
    unsigned long change = 0;
    bool operator==(const OurRootPixmap&) const = default;
};

// Frames drawn into the root pixmap our last wallpaper change made, over a connection of
// its own that stays open while frames come. The pixmap stays owned by the change that
// made it, so whoever sets the next wallpaper frees it as usual; a frame finds the root
// showing another pixmap, or ours drawn by a later change, then and stops.
class X11LiveWallpaper : public LiveWallpaper {
public:
    explicit X11LiveWallpaper(std::string display);
    ~X11LiveWallpaper() override;
    X11LiveWallpaper(const X11LiveWallpaper&) = delete;
    X11LiveWallpaper& operator=(const X11LiveWallpaper&) = delete;

    Status ShowFrame(const PicturePixels& frame) override;
    // The pixmap our latest change made the root's background, and the primary monitor's
    // part of it, where frames go (centred on black when they are not of its size).
    void Follow(const OurRootPixmap& shown, const MonitorArea& primary) {
        shown_ = shown;
        area_ = primary;
    }

private:
    struct Connection;
    std::string display_name_;
    OurRootPixmap shown_;
    MonitorArea area_;
    std::unique_ptr<Connection> connection_;
};

// Any X11 session without a desktop of its own: the picture is painted, per monitor, into
// a pixmap that becomes the root window's background, published as _XROOTPMAP_ID and
// ESETROOT_PMAP_ID as every X11 setter does, so compositors and terminals find it. The
// pixmap outlives our connection; the one an earlier setter left is freed. While the root
// shows our pixmap and the screen keeps its size, the next change draws into that one.
class X11WallpaperBackend : public WallpaperBackend {
public:
    // `display` empty: $DISPLAY.
    X11WallpaperBackend(std::shared_ptr<const PictureLoader> loader, std::string display = {})
        : loader_(std::move(loader)), display_(display), live_(std::move(display)) {}
    Status Show(const WallpaperChange& change) override;
    std::vector<DesktopMonitor> Monitors() const override;
    LiveWallpaper* Live() override { return &live_; }

private:
    std::shared_ptr<const PictureLoader> loader_;
    std::string display_;
    X11LiveWallpaper live_;
};

}  // namespace orvella
