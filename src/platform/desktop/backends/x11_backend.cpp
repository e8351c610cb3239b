#include "platform/desktop/backends/x11_backend.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "platform/desktop/backends/x11_image.h"
#include "platform/desktop/backends/x11_monitors.h"
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

// The monitors showing the same picture as monitor `i`, unless an earlier one does.
std::vector<MonitorArea> ShowingSame(const std::vector<MonitorArea>& monitors,
                                     const std::vector<std::string>& paths, std::size_t i) {
    std::vector<MonitorArea> showing;
    for (std::size_t j = 0; j < monitors.size(); ++j) {
        if (paths[j] != paths[i])
            continue;
        if (j < i)
            return {};
        showing.push_back(monitors[j]);
    }
    return showing;
}

// A picture that one monitor alone shows, decoded straight into its place on the canvas: a
// centred one where DrawCentred puts it, a tiled one over a monitor that covers the whole
// canvas into its first tile, which is then repeated. Nothing when neither applies.
std::optional<Status> DrawInPlace(const PictureLoader& loader, const std::string& path,
                                  WallpaperStyle style, const MonitorArea& area,
                                  const CanvasView& canvas) {
    const bool inside = area.x >= 0 && area.y >= 0 && area.x + area.width <= canvas.width &&
                        area.y + area.height <= canvas.height;
    if (style == WallpaperStyle::Centre && inside) {
        return loader.DrawPart(
            path, ScreenSize{area.width, area.height}, PicturePart::Centre,
            [&](int width, int height) {
                return PartOf(canvas,
                              MonitorArea{area.x + (area.width - width) / 2,
                                          area.y + (area.height - height) / 2, width, height});
            });
    }
    const bool whole =
        area.x == 0 && area.y == 0 && area.width == canvas.width && area.height == canvas.height;
    if (style != WallpaperStyle::Tile || !whole)
        return std::nullopt;
    MonitorArea tile;
    Status drawn = loader.DrawPart(path, ScreenSize{canvas.width, canvas.height},
                                   PicturePart::TopLeft, [&](int width, int height) {
                                       tile = MonitorArea{0, 0, width, height};
                                       return PartOf(canvas, tile);
                                   });
    if (drawn)
        RepeatTile(canvas, area, tile.width, tile.height);
    return drawn;
}

// One picture on the monitors that show it, each file read once: for a stretch resampled
// straight into the monitors' parts of the canvas, else cut to what they can show.
Status DrawPicture(const PictureLoader& loader, const std::string& path, WallpaperStyle style,
                   const std::vector<MonitorArea>& showing, const CanvasView& canvas) {
    if (style == WallpaperStyle::Stretch) {
        std::vector<CanvasView> parts;
        for (const MonitorArea& area : showing)
            parts.push_back(PartOf(canvas, area));
        return loader.DrawStretched(path, parts);
    }
    if (showing.size() == 1) {
        if (std::optional<Status> drawn = DrawInPlace(loader, path, style, showing[0], canvas))
            return *drawn;
    }
    // A tiled picture runs on over the whole desktop; a centred one shows at most its centre
    // on the largest of the monitors.
    ScreenSize most{canvas.width, canvas.height};
    if (style == WallpaperStyle::Centre) {
        most = ScreenSize{};
        for (const MonitorArea& area : showing)
            most = ScreenSize{std::max(most.width, area.width), std::max(most.height, area.height)};
    }
    Result<PicturePixels> picture = loader.Load(
        path, most, style == WallpaperStyle::Tile ? PicturePart::TopLeft : PicturePart::Centre);
    if (!picture)
        return picture.status();
    for (const MonitorArea& area : showing) {
        if (style == WallpaperStyle::Tile)
            DrawTiled(canvas, area, *picture);
        else
            DrawCentred(canvas, area, *picture);
    }
    return Status::Ok();
}

// The desktop as Windows painted the screen, per monitor: the desktop colour wherever no
// monitor is and around a centred picture, each monitor's picture centred (cut at its
// edges when larger), tiled from the desktop's corner, or stretched over it.
Status DrawMonitors(const PictureLoader& loader, const WallpaperChange& change,
                    const std::vector<MonitorArea>& monitors, const CanvasView& canvas) {
    FillArea(canvas, MonitorArea{0, 0, canvas.width, canvas.height},
             CanvasPixel(change.background));
    const auto primary = std::find_if(monitors.begin(), monitors.end(),
                                      [](const MonitorArea& m) { return m.primary; });
    const std::vector<std::string> paths = PicturesOfMonitors(
        change, static_cast<int>(monitors.size()), static_cast<int>(primary - monitors.begin()));
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const std::vector<MonitorArea> showing = ShowingSame(monitors, paths, i);
        if (showing.empty())
            continue;
        if (Status drawn = DrawPicture(loader, paths[i], change.style, showing, canvas); !drawn)
            return drawn;
    }
    return Status::Ok();
}

// A pixmap of the root's size that `draw` paints.
Result<Pixmap> DrawRootPixmap(Display* d, const std::function<Status(const CanvasView&)>& draw) {
    const int screen_number = DefaultScreen(d);
    const int width = DisplayWidth(d, screen_number);
    const int height = DisplayHeight(d, screen_number);
    const int depth = DefaultDepth(d, screen_number);
    Visual* visual = DefaultVisual(d, screen_number);
    Result<ImagePtr> image = MakeImage(d, visual, depth, width, height);
    if (!image)
        return image.status();
    if (Status drawn = DrawIntoImage(**image, *visual, draw); !drawn)
        return drawn;
    const Pixmap pixmap =
        XCreatePixmap(d, RootWindow(d, screen_number), static_cast<unsigned>(width),
                      static_cast<unsigned>(height), static_cast<unsigned>(depth));
    GC gc = XCreateGC(d, pixmap, 0, nullptr);
    XPutImage(d, pixmap, gc, image->get(), 0, 0, 0, 0, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
    XFreeGC(d, gc);
    return pixmap;
}

// Makes `pixmap` the root's background and names it where other programs look for it.
void PublishRootPixmap(Display* d, Window root, Pixmap pixmap) {
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
    Result<Pixmap> pixmap = DrawRootPixmap(d, [&](const CanvasView& canvas) {
        return DrawMonitors(*loader_, change, monitors, canvas);
    });
    if (!pixmap)
        return pixmap.status();
    PublishRootPixmap(d, RootWindow(d, DefaultScreen(d)), *pixmap);
    live_.Follow(*pixmap, *std::find_if(monitors.begin(), monitors.end(),
                                        [](const MonitorArea& m) { return m.primary; }));
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
        Result<DisplayPtr> display = OpenDisplay(display_name_);
        if (!display)
            return display.status();
        connection_ =
            std::make_unique<Connection>(Connection{std::move(display).value(), nullptr, 0});
    }
    Connection& c = *connection_;
    Display* d = c.display.get();
    const int screen_number = DefaultScreen(d);
    const Window root = RootWindow(d, screen_number);
    const Atom xroot = XInternAtom(d, "_XROOTPMAP_ID", False);
    if (ReadPixmapProperty(d, root, xroot) != Pixmap(pixmap_))
        return Status::Error("the X11 root window shows another wallpaper");

    const MonitorArea& area = area_;
    Visual* visual = DefaultVisual(d, screen_number);
    const bool fits = frame.width == area.width && frame.height == area.height;
    const PicturePixels composed = fits ? PicturePixels{} : FittedToArea(frame, area);
    const PicturePixels& screen = fits ? frame : composed;

    std::vector<XRectangle> changed;
    if (c.image && c.image_of == pixmap_ && c.image->width == area.width &&
        c.image->height == area.height && TakesOurPixels(*c.image, *visual)) {
        changed = CopyChangedTiles(*c.image, screen);
    } else {
        Result<ImagePtr> image = MakeImage(d, visual, DefaultDepth(d, screen_number), screen);
        if (!image)
            return image.status();
        c.image = std::move(image).value();
        c.image_of = pixmap_;
        changed.push_back(XRectangle{0, 0, static_cast<unsigned short>(area.width),
                                     static_cast<unsigned short>(area.height)});
    }

    XErrorHandler previous = XSetErrorHandler(CountXError);
    frame_errors = 0;
    GC gc = XCreateGC(d, root, 0, nullptr);
    for (const XRectangle& r : changed) {
        XPutImage(d, pixmap_, gc, c.image.get(), r.x, r.y, area.x + r.x, area.y + r.y, r.width,
                  r.height);
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
