#include "platform/desktop/backends/x11_backend.h"

#include <X11/Xatom.h>

#include <algorithm>
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

// The pictures the monitors show, each file read once (for a stretch, once for all the
// monitor sizes it is shown at).
struct MonitorPictures {
    std::vector<PicturePixels> pictures;
    std::vector<MonitorPicture> monitors;
};

// One picture a monitor needs: a file at a monitor's size, or as it is (no size).
struct Needed {
    std::string path;
    ScreenSize size;
    bool operator==(const Needed&) const = default;
};

Status LoadNeeded(const PictureLoader& loader, const std::vector<Needed>& needed,
                  std::vector<PicturePixels>& pictures) {
    pictures.resize(needed.size());
    std::vector<bool> done(needed.size(), false);
    for (std::size_t i = 0; i < needed.size(); ++i) {
        if (done[i])
            continue;
        if (needed[i].size == ScreenSize{}) {
            Result<PicturePixels> picture = loader.Load(needed[i].path);
            if (!picture)
                return picture.status();
            pictures[i] = std::move(picture).value();
            continue;
        }
        std::vector<std::size_t> same_file;
        std::vector<ScreenSize> sizes;
        for (std::size_t j = i; j < needed.size(); ++j) {
            if (needed[j].path == needed[i].path) {
                same_file.push_back(j);
                sizes.push_back(needed[j].size);
                done[j] = true;
            }
        }
        Result<std::vector<PicturePixels>> stretched = loader.LoadStretched(needed[i].path, sizes);
        if (!stretched)
            return stretched.status();
        if (stretched->size() != sizes.size())
            return Status::Error(needed[i].path + ": not stretched to every monitor");
        for (std::size_t k = 0; k < same_file.size(); ++k)
            pictures[same_file[k]] = std::move((*stretched)[k]);
    }
    return Status::Ok();
}

Result<MonitorPictures> LoadForMonitors(const PictureLoader& loader, const WallpaperChange& change,
                                        const std::vector<MonitorArea>& monitors) {
    const auto primary = std::find_if(monitors.begin(), monitors.end(),
                                      [](const MonitorArea& m) { return m.primary; });
    const std::vector<std::string> paths = PicturesOfMonitors(
        change, static_cast<int>(monitors.size()), static_cast<int>(primary - monitors.begin()));
    std::vector<Needed> needed;
    std::vector<std::size_t> index_of;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const Needed one{paths[i], change.style == WallpaperStyle::Stretch
                                       ? ScreenSize{monitors[i].width, monitors[i].height}
                                       : ScreenSize{}};
        const auto same = std::find(needed.begin(), needed.end(), one);
        index_of.push_back(static_cast<std::size_t>(same - needed.begin()));
        if (same == needed.end())
            needed.push_back(one);
    }
    MonitorPictures loaded;
    if (Status status = LoadNeeded(loader, needed, loaded.pictures); !status)
        return status;
    for (std::size_t i = 0; i < monitors.size(); ++i)
        loaded.monitors.push_back(MonitorPicture{monitors[i], &loaded.pictures[index_of[i]]});
    return loaded;
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

}  // namespace

Status X11WallpaperBackend::Show(const WallpaperChange& change) {
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
    Visual* visual = DefaultVisual(d, screen_number);

    // Read at every change: a monitor may have come or gone since the last one.
    const std::vector<MonitorArea> monitors = ReadX11Monitors(d);
    Result<ImagePtr> image = MakeImage(d, visual, depth, width, height);
    if (!image)
        return image.status();
    {
        Result<MonitorPictures> pictures = LoadForMonitors(*loader_, change, monitors);
        if (!pictures)
            return pictures.status();
        DrawIntoImage(**image, *visual, [&](const CanvasView& canvas) {
            ComposeWallpaper(canvas, pictures->monitors, change.style, change.background);
        });
    }

    const Pixmap pixmap =
        XCreatePixmap(d, root, static_cast<unsigned>(width), static_cast<unsigned>(height),
                      static_cast<unsigned>(depth));
    GC gc = XCreateGC(d, pixmap, 0, nullptr);
    XPutImage(d, pixmap, gc, image->get(), 0, 0, 0, 0, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
    XFreeGC(d, gc);
    image->reset();
    PublishRootPixmap(d, root, pixmap);
    live_.Follow(pixmap, *std::find_if(monitors.begin(), monitors.end(),
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

    const MonitorArea& area = area_;
    Visual* visual = DefaultVisual(d, screen_number);
    PicturePixels composed;
    const bool fits = frame.width == area.width && frame.height == area.height;
    if (!fits) {
        composed = PicturePixels{
            area.width, area.height,
            std::vector<std::uint32_t>(static_cast<std::size_t>(area.width) * area.height, 0)};
        DrawCentred(ViewOf(composed), MonitorArea{0, 0, area.width, area.height}, frame);
    }
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
