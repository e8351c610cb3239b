#include "platform/desktop/backends/x11_backend.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "platform/desktop/backends/x11_image.h"
#include "platform/desktop/backends/x11_monitors.h"
#include "platform/desktop/backends/x11_root_pixmap.h"
#include "platform/desktop/monitor_drawing.h"
#include "platform/desktop/wallpaper_canvas.h"

namespace orvella {
namespace {

// The root's background pixmap painted by `draw`: our pixmap on show when it still fits the
// screen, else a new one.
struct DrawnRootPixmap {
    Pixmap pixmap = None;
    bool ours_drawn_again = false;
};

Result<DrawnRootPixmap> DrawRootPixmap(Display* d,
                                       const std::function<Status(const CanvasView&)>& draw) {
    const int screen_number = DefaultScreen(d);
    const Window root = RootWindow(d, screen_number);
    const int width = DisplayWidth(d, screen_number);
    const int height = DisplayHeight(d, screen_number);
    const int depth = DefaultDepth(d, screen_number);
    Visual* visual = DefaultVisual(d, screen_number);
    Result<ImagePtr> image = MakeImage(d, visual, depth, width, height);
    if (!image)
        return image.status();
    if (Status drawn = DrawIntoImage(**image, *visual, draw); !drawn)
        return drawn;
    const std::optional<OurRootPixmap> reusable = ReusablePixmap(d, root, width, height, depth);
    const Pixmap pixmap =
        reusable ? reusable->pixmap
                 : XCreatePixmap(d, root, static_cast<unsigned>(width),
                                 static_cast<unsigned>(height), static_cast<unsigned>(depth));
    GC gc = XCreateGC(d, pixmap, 0, nullptr);
    XPutImage(d, pixmap, gc, image->get(), 0, 0, 0, 0, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
    XFreeGC(d, gc);
    return DrawnRootPixmap{pixmap, reusable.has_value()};
}

// The display named `name`, or $DISPLAY's when it is empty.
Result<DisplayPtr> OpenDisplay(const std::string& name) {
    DisplayPtr display(XOpenDisplay(name.empty() ? nullptr : name.c_str()));
    if (!display)
        return Status::Error("cannot open the X11 display " +
                             (name.empty() ? std::string("$DISPLAY") : name));
    return display;
}

// `frame` as the monitor `area` shows it: itself when it fits, else centred on black.
PicturePixels FittedToArea(const PicturePixels& frame, const MonitorArea& area) {
    PicturePixels composed{
        area.width, area.height,
        std::vector<std::uint32_t>(static_cast<std::size_t>(area.width) * area.height, 0)};
    DrawCentred(ViewOf(composed), MonitorArea{0, 0, area.width, area.height}, frame);
    return composed;
}

}  // namespace

Status X11WallpaperBackend::Show(const WallpaperChange& change) {
    Result<DisplayPtr> display = OpenDisplay(display_);
    if (!display)
        return display.status();
    Display* d = display->get();
    // Read at every change: a monitor may have come or gone since the last one.
    const std::vector<MonitorArea> monitors = ReadX11Monitors(d);
    Result<DrawnRootPixmap> drawn = DrawRootPixmap(d, [&](const CanvasView& canvas) {
        return DrawMonitors(*loader_, change, monitors, canvas);
    });
    if (!drawn)
        return drawn.status();
    const OurRootPixmap shown = PublishRootPixmap(d, RootWindow(d, DefaultScreen(d)), drawn->pixmap,
                                                  drawn->ours_drawn_again);
    live_.Follow(shown, *std::find_if(monitors.begin(), monitors.end(),
                                      [](const MonitorArea& m) { return m.primary; }));
    return Status::Ok();
}

std::vector<DesktopMonitor> X11WallpaperBackend::Monitors() const {
    return DisplayMonitors(display_);
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
    ImagePtr image;          // what the pixmap holds since the last frame
    OurRootPixmap image_of;  // the change whose pixmap it was sent to
};

X11LiveWallpaper::X11LiveWallpaper(std::string display) : display_name_(std::move(display)) {}
X11LiveWallpaper::~X11LiveWallpaper() = default;

Status X11LiveWallpaper::ShowFrame(const PicturePixels& frame) {
    if (shown_.pixmap == 0)
        return Status::Error("no wallpaper of ours on the X11 root window");
    if (!connection_) {
        Result<DisplayPtr> display = OpenDisplay(display_name_);
        if (!display)
            return display.status();
        connection_ =
            std::make_unique<Connection>(Connection{std::move(display).value(), nullptr, {}});
    }
    Connection& c = *connection_;
    Display* d = c.display.get();
    const int screen_number = DefaultScreen(d);
    const Window root = RootWindow(d, screen_number);
    if (OurPixmapOnShow(d, root) != shown_)
        return Status::Error("the X11 root window shows another wallpaper");

    const MonitorArea& area = area_;
    Visual* visual = DefaultVisual(d, screen_number);
    const bool fits = frame.width == area.width && frame.height == area.height;
    const PicturePixels composed = fits ? PicturePixels{} : FittedToArea(frame, area);
    const PicturePixels& screen = fits ? frame : composed;

    std::vector<XRectangle> changed;
    if (c.image && c.image_of == shown_ && c.image->width == area.width &&
        c.image->height == area.height && TakesOurPixels(*c.image, *visual)) {
        changed = CopyChangedTiles(*c.image, screen);
    } else {
        Result<ImagePtr> image = MakeImage(d, visual, DefaultDepth(d, screen_number), screen);
        if (!image)
            return image.status();
        c.image = std::move(image).value();
        c.image_of = shown_;
        changed.push_back(XRectangle{0, 0, static_cast<unsigned short>(area.width),
                                     static_cast<unsigned short>(area.height)});
    }

    XErrorHandler previous = XSetErrorHandler(CountXError);
    frame_errors = 0;
    GC gc = XCreateGC(d, root, 0, nullptr);
    for (const XRectangle& r : changed) {
        XPutImage(d, shown_.pixmap, gc, c.image.get(), r.x, r.y, area.x + r.x, area.y + r.y,
                  r.width, r.height);
        XClearArea(d, root, area.x + r.x, area.y + r.y, r.width, r.height, False);
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
