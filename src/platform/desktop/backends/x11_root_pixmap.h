#pragma once

#include <optional>

#include "platform/desktop/backends/x11_backend.h"
#include "platform/desktop/backends/x11_image.h"

namespace orvella {

struct PixmapShape {
    Window root = None;
    int width = 0;
    int height = 0;
    int depth = 0;
};

// The pixmap's root, size and depth; none when the server has no such pixmap (any more).
std::optional<PixmapShape> ShapeOfPixmap(Display* display, Pixmap pixmap);

// The pixmap of ours the root shows now: the one our last change published, while the
// properties other programs read still name it.
std::optional<OurRootPixmap> OurPixmapOnShow(Display* display, Window root);

// That pixmap when it has the screen's size and depth still, so the next change can draw into
// it instead of having the server make (and fault in) a new one of tens of megabytes.
std::optional<OurRootPixmap> ReusablePixmap(Display* display, Window root, int width, int height,
                                            int depth);

// Makes `pixmap` the root's background and names it where other programs look for it, with
// the number of this change. A new pixmap is kept after we disconnect (the next setter frees
// it through the properties) and the one an earlier setter left is freed; a pixmap of ours
// drawn into again (`drawn_into_ours`) stays with the change that made it.
OurRootPixmap PublishRootPixmap(Display* display, Window root, Pixmap pixmap, bool drawn_into_ours);

}  // namespace orvella
