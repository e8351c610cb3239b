#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
// Xlib names its result type Status with a macro, which would hide ours.
#undef Status

#include <functional>
#include <memory>
#include <vector>

#include "platform/desktop/picture_pixels.h"
#include "platform/desktop/wallpaper_canvas.h"
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

// An image of the visual, its pixels not set yet.
Result<ImagePtr> MakeImage(Display* display, Visual* visual, int depth, int width, int height);

// `draw` paints the image: straight into its memory where the image takes our pixels as
// they are, else into a buffer whose pixels are then placed as the visual wants them.
Status DrawIntoImage(XImage& image, const Visual& visual,
                     const std::function<Status(const CanvasView&)>& draw);

// The picture as an image of the visual, for XPutImage. A TrueColor visual of 8 bits a
// channel in a 32-bit pixel, as nearly every X server has, takes the rows as they are.
Result<ImagePtr> MakeImage(Display* display, Visual* visual, int depth,
                           const PicturePixels& screen);

// Whether the image holds our 0x00RRGGBB words as they are (the rows MakeImage copies).
bool TakesOurPixels(const XImage& image, const Visual& visual);

// Copies into such an image, of the frame's size, the tiles of `frame` that differ from
// what it holds, and lists them: a frame that changes in a few places is sent to the
// server in a few small pieces.
std::vector<XRectangle> CopyChangedTiles(XImage& image, const PicturePixels& frame);

}  // namespace orvella
