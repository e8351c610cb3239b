#include "platform/desktop/backends/x11_backend.h"

#include <X11/Xatom.h>

#include <optional>

#include "platform/desktop/backends/x11_image.h"
#include "platform/desktop/wallpaper_canvas.h"

namespace orvella {
namespace {

// Freeing the pixmap of a setter that is long gone may fail; that is no error of ours.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
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
    live_.Follow(pixmap);
    return Status::Ok();
}

// Protocol errors of the frame connection (the pixmap freed by another setter between two
// calls) are counted, not fatal: Xlib's default handler would end the program.
namespace {
int frame_errors = 0;
int CountXError(Display*, XErrorEvent*) {
    ++frame_errors;
    return 0;
}
}  // namespace

struct X11LiveWallpaper::Connection {
    DisplayPtr display;
    ImagePtr image;              // what the pixmap holds since the last frame
    unsigned long image_of = 0;  // the pixmap it was sent to
};

X11LiveWallpaper::X11LiveWallpaper(std::string display) : display_name_(std::move(display)) {}
X11LiveWallpaper::~X11LiveWallpaper() = default;

Status X11LiveWallpaper::ShowFrame(const PicturePixels& frame) {
    if (pixmap_ == 0)
        return Status::Error("no wallpaper of ours on the X11 root window");
    if (!connection_) {
        DisplayPtr display(XOpenDisplay(display_name_.empty() ? nullptr : display_name_.c_str()));
        if (!display)
            return Status::Error("cannot open the X11 display " +
                                 (display_name_.empty() ? std::string("$DISPLAY") : display_name_));
        connection_ = std::make_unique<Connection>(Connection{std::move(display), nullptr, 0});
    }
    Connection& c = *connection_;
    Display* d = c.display.get();
    const int screen_number = DefaultScreen(d);
    const Window root = RootWindow(d, screen_number);
    const Atom xroot = XInternAtom(d, "_XROOTPMAP_ID", False);
    if (ReadPixmapProperty(d, root, xroot) != Pixmap(pixmap_))
        return Status::Error("the X11 root window shows another wallpaper");

    const int width = DisplayWidth(d, screen_number);
    const int height = DisplayHeight(d, screen_number);
    Visual* visual = DefaultVisual(d, screen_number);
    PicturePixels composed;
    const bool fits = frame.width == width && frame.height == height;
    if (!fits)
        composed = ComposeWallpaper(frame, WallpaperStyle::Centre, width, height, 0);
    const PicturePixels& screen = fits ? frame : composed;

    std::vector<XRectangle> changed;
    if (c.image && c.image_of == pixmap_ && c.image->width == width && c.image->height == height &&
        TakesOurPixels(*c.image, *visual)) {
        changed = CopyChangedTiles(*c.image, screen);
    } else {
        Result<ImagePtr> image = MakeImage(d, visual, DefaultDepth(d, screen_number), screen);
        if (!image)
            return image.status();
        c.image = std::move(image).value();
        c.image_of = pixmap_;
        changed.push_back(XRectangle{0, 0, static_cast<unsigned short>(width),
                                     static_cast<unsigned short>(height)});
    }

    XErrorHandler previous = XSetErrorHandler(CountXError);
    frame_errors = 0;
    GC gc = XCreateGC(d, root, 0, nullptr);
    for (const XRectangle& r : changed) {
        XPutImage(d, pixmap_, gc, c.image.get(), r.x, r.y, r.x, r.y, r.width, r.height);
        XClearArea(d, root, r.x, r.y, r.width, r.height, False);
    }
    XFreeGC(d, gc);
    XSync(d, False);
    XSetErrorHandler(previous);
    if (frame_errors != 0) {
        c.image.reset();
        return Status::Error("the X11 root pixmap is gone");
    }
    return Status::Ok();
}

}  // namespace orvella
