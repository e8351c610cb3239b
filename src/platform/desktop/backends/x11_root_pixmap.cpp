#include "platform/desktop/backends/x11_root_pixmap.h"

#include <X11/Xatom.h>

#include <vector>

namespace orvella {
namespace {

// Names our pixmap and the number of the change that drew it last.
constexpr const char* kOurPixmapProperty = "_ORVELLA_ROOT_PIXMAP";

// Asking after, or freeing, the pixmap of a setter that is long gone may fail; that is no
// error of ours.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

// The `count` 32-bit values of type `type` a root window property holds.
std::optional<std::vector<unsigned long>> ReadRootValues(Display* d, Window root,
                                                         const char* property, Atom type,
                                                         unsigned long count) {
    Atom its_type = None;
    int format = 0;
    unsigned long its_count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::optional<std::vector<unsigned long>> values;
    if (XGetWindowProperty(d, root, XInternAtom(d, property, False), 0, static_cast<long>(count),
                           False, type, &its_type, &format, &its_count, &after, &data) == Success &&
        its_type == type && format == 32 && its_count == count && data != nullptr) {
        // Xlib hands 32-bit values over as longs.
        const auto* first = reinterpret_cast<const unsigned long*>(data);
        values.emplace(first, first + count);
    }
    if (data != nullptr)
        XFree(data);
    return values;
}

// The pixmap a root window property names.
std::optional<Pixmap> ReadPixmapProperty(Display* d, Window root, const char* property) {
    const std::optional<std::vector<unsigned long>> values =
        ReadRootValues(d, root, property, XA_PIXMAP, 1);
    if (!values)
        return std::nullopt;
    return Pixmap{values->front()};
}

std::optional<OurRootPixmap> ReadOurProperty(Display* d, Window root) {
    const std::optional<std::vector<unsigned long>> values =
        ReadRootValues(d, root, kOurPixmapProperty, XA_CARDINAL, 2);
    if (!values)
        return std::nullopt;
    return OurRootPixmap{(*values)[0], (*values)[1]};
}

// As Esetroot does: the pixmap both properties name was kept for us by a setter that
// has ended, and killing its client frees it.
void FreeEarlierPixmap(Display* d, Window root) {
    const std::optional<Pixmap> set_by_esetroot = ReadPixmapProperty(d, root, "ESETROOT_PMAP_ID");
    const std::optional<Pixmap> root_pixmap = ReadPixmapProperty(d, root, "_XROOTPMAP_ID");
    if (!set_by_esetroot || set_by_esetroot != root_pixmap)
        return;
    XErrorHandler previous = XSetErrorHandler(IgnoreXError);
    XKillClient(d, *set_by_esetroot);
    XSync(d, False);
    XSetErrorHandler(previous);
}

void SetPixmapProperty(Display* d, Window root, const char* property, Pixmap pixmap) {
    XChangeProperty(d, root, XInternAtom(d, property, False), XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pixmap), 1);
}

}  // namespace

std::optional<PixmapShape> ShapeOfPixmap(Display* d, Pixmap pixmap) {
    Window root = None;
    int x = 0;
    int y = 0;
    unsigned int width = 0;
    unsigned int height = 0;
    unsigned int border = 0;
    unsigned int depth = 0;
    XErrorHandler previous = XSetErrorHandler(IgnoreXError);
    const bool known =
        XGetGeometry(d, pixmap, &root, &x, &y, &width, &height, &border, &depth) != 0;
    XSync(d, False);
    XSetErrorHandler(previous);
    if (!known)
        return std::nullopt;
    return PixmapShape{root, static_cast<int>(width), static_cast<int>(height),
                       static_cast<int>(depth)};
}

std::optional<OurRootPixmap> OurPixmapOnShow(Display* d, Window root) {
    const std::optional<OurRootPixmap> ours = ReadOurProperty(d, root);
    if (!ours || ReadPixmapProperty(d, root, "_XROOTPMAP_ID") != ours->pixmap ||
        ReadPixmapProperty(d, root, "ESETROOT_PMAP_ID") != ours->pixmap)
        return std::nullopt;
    return ours;
}

std::optional<OurRootPixmap> ReusablePixmap(Display* d, Window root, int width, int height,
                                            int depth) {
    const std::optional<OurRootPixmap> ours = OurPixmapOnShow(d, root);
    if (!ours)
        return std::nullopt;
    const std::optional<PixmapShape> shape = ShapeOfPixmap(d, ours->pixmap);
    if (!shape || shape->root != root || shape->width != width || shape->height != height ||
        shape->depth != depth)
        return std::nullopt;
    return ours;
}

OurRootPixmap PublishRootPixmap(Display* d, Window root, Pixmap pixmap, bool drawn_into_ours) {
    const std::optional<OurRootPixmap> earlier = ReadOurProperty(d, root);
    if (!drawn_into_ours)
        FreeEarlierPixmap(d, root);
    const OurRootPixmap published{pixmap, earlier ? earlier->change + 1 : 1};
    // Set again even when they name the same pixmap: programs that show the root's picture
    // (compositors, terminals) read it anew when the properties change.
    SetPixmapProperty(d, root, "_XROOTPMAP_ID", pixmap);
    SetPixmapProperty(d, root, "ESETROOT_PMAP_ID", pixmap);
    const unsigned long values[2] = {published.pixmap, published.change};
    XChangeProperty(d, root, XInternAtom(d, kOurPixmapProperty, False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(values), 2);
    XSetWindowBackgroundPixmap(d, root, pixmap);
    XClearWindow(d, root);
    if (!drawn_into_ours)
        XSetCloseDownMode(d, RetainPermanent);
    XSync(d, False);
    return published;
}

}  // namespace orvella
