#include "platform/x11_backend.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// Xlib names its result type Status with a macro, which would hide ours.
#undef Status

#include <bit>
#include <cstdlib>
#include <optional>

#include "platform/wallpaper_canvas.h"

namespace orvella {
namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

struct ImageDestroyer {
    void operator()(XImage* image) const { XDestroyImage(image); }
};
using ImagePtr = std::unique_ptr<XImage, ImageDestroyer>;

// Freeing the pixmap of a setter that is long gone may fail; that is no error of ours.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

// A channel of 0..255 placed under a TrueColor visual's mask.
unsigned long Place(std::uint32_t channel, unsigned long mask) {
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const unsigned long top = mask >> shift;
    return ((channel * top + 127) / 255) << shift;
}

std::optional<Pixmap> ReadPixmapProperty(Display* display, Window root, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::optional<Pixmap> pixmap;
    if (XGetWindowProperty(display, root, property, 0, 1, False, XA_PIXMAP, &type, &format, &count,
                           &after, &data) == Success &&
        type == XA_PIXMAP && format == 32 && count == 1 && data != nullptr) {
        pixmap = *reinterpret_cast<Pixmap*>(data);
    }
    if (data != nullptr)
        XFree(data);
    return pixmap;
}

// As Esetroot does: the pixmap both properties name was kept for us by a setter that
// has ended, and killing its client frees it.
void FreeEarlierPixmap(Display* display, Window root, Atom xroot, Atom esetroot) {
    const std::optional<Pixmap> set_by_esetroot = ReadPixmapProperty(display, root, esetroot);
    const std::optional<Pixmap> root_pixmap = ReadPixmapProperty(display, root, xroot);
    if (!set_by_esetroot || set_by_esetroot != root_pixmap)
        return;
    XErrorHandler previous = XSetErrorHandler(IgnoreXError);
    XKillClient(display, *set_by_esetroot);
    XSync(display, False);
    XSetErrorHandler(previous);
}

Result<ImagePtr> MakeImage(Display* display, Visual* visual, int depth,
                           const PicturePixels& screen) {
    if (visual->c_class != TrueColor)
        return Status::Error("the X11 screen has no TrueColor visual");
    const std::size_t size = static_cast<std::size_t>(screen.width) * screen.height * 4;
    auto* data = static_cast<char*>(std::malloc(size));
    if (data == nullptr)
        return Status::Error("out of memory for the wallpaper");
    ImagePtr image(XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, data,
                                static_cast<unsigned>(screen.width),
                                static_cast<unsigned>(screen.height), 32, 0));
    if (!image) {
        std::free(data);
        return Status::Error("cannot make an X11 image");
    }
    for (int y = 0; y < screen.height; ++y) {
        for (int x = 0; x < screen.width; ++x) {
            const std::uint32_t rgb = screen.At(x, y);
            XPutPixel(image.get(), x, y,
                      Place((rgb >> 16) & 0xFF, visual->red_mask) |
                          Place((rgb >> 8) & 0xFF, visual->green_mask) |
                          Place(rgb & 0xFF, visual->blue_mask));
        }
    }
    return image;
}

}  // namespace

Status X11WallpaperBackend::Show(const WallpaperChange& change) {
    Result<PicturePixels> picture = loader_->Load(change.picture);
    if (!picture)
        return picture.status();
    DisplayPtr display(XOpenDisplay(display_.empty() ? nullptr : display_.c_str()));
    if (!display)
        return Status::Error("cannot open the X11 display " +
                             (display_.empty() ? std::string("$DISPLAY") : display_));
    Display* d = display.get();
    const int screen_number = DefaultScreen(d);
    const Window root = RootWindow(d, screen_number);
    const int width = DisplayWidth(d, screen_number);
    const int height = DisplayHeight(d, screen_number);
    const int depth = DefaultDepth(d, screen_number);

    const PicturePixels screen =
        ComposeWallpaper(*picture, change.style, width, height, change.background);
    Result<ImagePtr> image = MakeImage(d, DefaultVisual(d, screen_number), depth, screen);
    if (!image)
        return image.status();

    const Pixmap pixmap =
        XCreatePixmap(d, root, static_cast<unsigned>(width), static_cast<unsigned>(height),
                      static_cast<unsigned>(depth));
    GC gc = XCreateGC(d, pixmap, 0, nullptr);
    XPutImage(d, pixmap, gc, image->get(), 0, 0, 0, 0, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
    XFreeGC(d, gc);

    const Atom xroot = XInternAtom(d, "_XROOTPMAP_ID", False);
    const Atom esetroot = XInternAtom(d, "ESETROOT_PMAP_ID", False);
    FreeEarlierPixmap(d, root, xroot, esetroot);
    XChangeProperty(d, root, xroot, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pixmap), 1);
    XChangeProperty(d, root, esetroot, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pixmap), 1);
    XSetWindowBackgroundPixmap(d, root, pixmap);
    XClearWindow(d, root);
    // Keep the pixmap after we disconnect; the next setter frees it through the property.
    XSetCloseDownMode(d, RetainPermanent);
    XSync(d, False);
    return Status::Ok();
}

}  // namespace orvella
