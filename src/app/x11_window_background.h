#pragma once

#include <cstdint>
#include <memory>

#include "platform/desktop/picture_pixels.h"
#include "platform/status.h"

namespace orvella {

// Shows pictures in a window of another program (the root window, or one xscreensaver made
// for its display modes) by making each the window's background: the X server then repaints
// it at every exposure without us. The root window gets its wallpaper back at the end.
class X11WindowBackground {
public:
    // `window` 0: the root window, or xscreensaver's virtual root that XSCREENSAVER_WINDOW
    // names. $DISPLAY is the display.
    static Result<std::unique_ptr<X11WindowBackground>> Open(std::uint64_t window);
    ~X11WindowBackground();
    X11WindowBackground(const X11WindowBackground&) = delete;
    X11WindowBackground& operator=(const X11WindowBackground&) = delete;

    int width() const;
    int height() const;
    Status Show(const PicturePixels& frame);

private:
    struct Connection;
    explicit X11WindowBackground(std::unique_ptr<Connection> connection);
    std::unique_ptr<Connection> connection_;
};

}  // namespace orvella
