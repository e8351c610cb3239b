#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
// Xlib names its result type Status with a macro, which would hide ours.
#undef Status

#include <memory>

#include "platform/picture_pixels.h"
#include "platform/status.h"

namespace orvella {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

struct ImageDestroyer {
    void operator()(XImage* image) const { XDestroyImage(image); }
};
using ImagePtr = std::unique_ptr<XImage, ImageDestroyer>;

// The picture as an image of the visual, for XPutImage. A TrueColor visual of 8 bits a
// channel in a 32-bit pixel, as nearly every X server has, takes the rows as they are.
Result<ImagePtr> MakeImage(Display* display, Visual* visual, int depth,
                           const PicturePixels& screen);

}  // namespace orvella
