#include "platform/desktop/backends/x11_monitors.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

namespace orvella {
namespace {

std::vector<MonitorArea> RandrMonitors(Display* display, Window root) {
    int event_base = 0;
    int error_base = 0;
    int major = 0;
    int minor = 0;
    if (!XRRQueryExtension(display, &event_base, &error_base) ||
        !XRRQueryVersion(display, &major, &minor) || major < 1 || (major == 1 && minor < 5))
        return {};
    int count = 0;
    XRRMonitorInfo* info = XRRGetMonitors(display, root, True, &count);
    std::vector<MonitorArea> monitors;
    for (int i = 0; i < count; ++i) {
        monitors.push_back(
            MonitorArea{info[i].x, info[i].y, info[i].width, info[i].height, info[i].primary != 0});
    }
    if (info != nullptr)
        XRRFreeMonitors(info);
    return monitors;
}

std::vector<MonitorArea> XineramaMonitors(Display* display) {
    int event_base = 0;
    int error_base = 0;
    if (!XineramaQueryExtension(display, &event_base, &error_base) || !XineramaIsActive(display))
        return {};
    int count = 0;
    XineramaScreenInfo* info = XineramaQueryScreens(display, &count);
    std::vector<MonitorArea> monitors;
    // Xinerama names no primary; its first screen is the one desktops treat so.
    for (int i = 0; i < count; ++i) {
        monitors.push_back(
            MonitorArea{info[i].x_org, info[i].y_org, info[i].width, info[i].height, i == 0});
    }
    if (info != nullptr)
        XFree(info);
    return monitors;
}

}  // namespace

std::vector<MonitorArea> ReadX11Monitors(Display* display) {
    const int screen = DefaultScreen(display);
    std::vector<MonitorArea> found = RandrMonitors(display, RootWindow(display, screen));
    if (found.empty())
        found = XineramaMonitors(display);
    return ArrangeMonitors(std::move(found), DisplayWidth(display, screen),
                           DisplayHeight(display, screen));
}

}  // namespace orvella
