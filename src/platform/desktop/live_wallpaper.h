#pragma once

#include "platform/desktop/picture_pixels.h"
#include "platform/status.h"

namespace orvella {

// A desktop that takes frames while the program runs, straight from memory, so a moving
// wallpaper needs no file per frame. Only the bare X11 root window can; the desktops with
// a wallpaper service of their own show a still picture.
class LiveWallpaper {
public:
    virtual ~LiveWallpaper() = default;
    // Shows `frame` in place of the picture this program last gave the desktop. An error when
    // the desktop cannot be reached or shows another wallpaper by now: the caller stops.
    virtual Status ShowFrame(const PicturePixels& frame) = 0;
};

}  // namespace orvella
