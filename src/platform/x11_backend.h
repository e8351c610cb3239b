#pragma once

#include <memory>
#include <string>

#include "platform/picture_pixels.h"
#include "platform/wallpaper_backend.h"

namespace orvella {

// Any X11 session without a desktop of its own: the picture is painted into a pixmap
// that becomes the root window's background, published as _XROOTPMAP_ID and
// ESETROOT_PMAP_ID as every X11 setter does, so compositors and terminals find it. The
// pixmap outlives our connection; the one an earlier setter left is freed.
class X11WallpaperBackend : public WallpaperBackend {
public:
    // `display` empty: $DISPLAY.
    X11WallpaperBackend(std::shared_ptr<const PictureLoader> loader, std::string display = {})
        : loader_(std::move(loader)), display_(std::move(display)) {}
    Status Show(const WallpaperChange& change) override;

private:
    std::shared_ptr<const PictureLoader> loader_;
    std::string display_;
};

}  // namespace orvella
