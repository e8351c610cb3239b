#include "app/x11_window_background.h"

#include <X11/Xatom.h>

#include <cstdlib>
#include <string>

#include "platform/desktop/backends/x11_image.h"

namespace orvella {
namespace {

// The window xscreensaver wants its display modes to draw into instead of the root.
Window VirtualRoot(Display* display) {
    const char* named = std::getenv("XSCREENSAVER_WINDOW");
    if (named != nullptr && *named != '\0') {
        char* end = nullptr;
        const unsigned long id = std::strtoul(named, &end, 0);
        if (end != named && *end == '\0' && id != 0)
            return id;
    }
    return DefaultRootWindow(display);
}

// The wallpaper an X11 setter published for the root window; None when there is none.
Pixmap RootWallpaper(Display* display, Window root) {
    const Atom property = XInternAtom(display, "_XROOTPMAP_ID", True);
    if (property == None)
        return None;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    Pixmap pixmap = None;
    if (XGetWindowProperty(display, root, property, 0, 1, False, XA_PIXMAP, &type, &format, &count,
                           &after, &data) == Success &&
        type == XA_PIXMAP && format == 32 && count == 1 && data != nullptr)
        pixmap = *reinterpret_cast<Pixmap*>(data);
    if (data != nullptr)
        XFree(data);
    return pixmap;
}

}  // namespace

struct X11WindowBackground::Connection {
    DisplayPtr display;
    Window window = 0;
    bool is_root = false;
    XWindowAttributes attributes{};
};

Result<std::unique_ptr<X11WindowBackground>> X11WindowBackground::Open(std::uint64_t window) {
    DisplayPtr display(XOpenDisplay(nullptr));
    if (!display)
        return Status::Error("cannot open the X11 display $DISPLAY");
    auto connection = std::make_unique<Connection>();
    connection->window = window != 0 ? static_cast<Window>(window) : VirtualRoot(display.get());
    connection->is_root = connection->window == DefaultRootWindow(display.get());
    if (XGetWindowAttributes(display.get(), connection->window, &connection->attributes) == 0)
        return Status::Error("there is no X11 window " + std::to_string(connection->window));
    connection->display = std::move(display);
    return std::unique_ptr<X11WindowBackground>(new X11WindowBackground(std::move(connection)));
}

X11WindowBackground::X11WindowBackground(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)) {}

X11WindowBackground::~X11WindowBackground() {
    Display* d = connection_->display.get();
    if (!connection_->is_root)
        return;
    const Pixmap wallpaper = RootWallpaper(d, connection_->window);
    if (wallpaper == None)
        return;
    XSetWindowBackgroundPixmap(d, connection_->window, wallpaper);
    XClearWindow(d, connection_->window);
    XSync(d, False);
}

int X11WindowBackground::width() const {
    return connection_->attributes.width;
}

int X11WindowBackground::height() const {
    return connection_->attributes.height;
}

Status X11WindowBackground::Show(const PicturePixels& frame) {
    Display* d = connection_->display.get();
    const XWindowAttributes& window = connection_->attributes;
    Result<ImagePtr> image = MakeImage(d, window.visual, window.depth, frame);
    if (!image)
        return image.status();
    const auto width = static_cast<unsigned>(frame.width);
    const auto height = static_cast<unsigned>(frame.height);
    const Pixmap pixmap =
        XCreatePixmap(d, connection_->window, width, height, static_cast<unsigned>(window.depth));
    GC gc = XCreateGC(d, pixmap, 0, nullptr);
    XPutImage(d, pixmap, gc, image->get(), 0, 0, 0, 0, width, height);
    XFreeGC(d, gc);
    // The window keeps the pixmap as long as it needs it.
    XSetWindowBackgroundPixmap(d, connection_->window, pixmap);
    XFreePixmap(d, pixmap);
    XClearWindow(d, connection_->window);
    XSync(d, False);
    return Status::Ok();
}

}  // namespace orvella
