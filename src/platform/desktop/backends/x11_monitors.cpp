#include "platform/desktop/backends/x11_monitors.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

namespace orvella {
namespace {

// A monitor as the server reports it, with its name where RandR gives one.
struct FoundMonitor {
    MonitorArea area;
    std::string name;
};

std::string AtomName(Display* display, Atom atom) {
    if (atom == None)
        return {};
    char* text = XGetAtomName(display, atom);
    std::string name = text != nullptr ? text : "";
    if (text != nullptr)
        XFree(text);
    return name;
}

std::vector<FoundMonitor> RandrMonitors(Display* display, Window root) {
    int event_base = 0;
    int error_base = 0;
    int major = 0;
    int minor = 0;
    if (!XRRQueryExtension(display, &event_base, &error_base) ||
        !XRRQueryVersion(display, &major, &minor) || major < 1 || (major == 1 && minor < 5))
        return {};
    int count = 0;
    XRRMonitorInfo* info = XRRGetMonitors(display, root, True, &count);
    std::vector<FoundMonitor> monitors;
    for (int i = 0; i < count; ++i) {
        monitors.push_back(
            {MonitorArea{info[i].x, info[i].y, info[i].width, info[i].height, info[i].primary != 0},
             AtomName(display, info[i].name)});
    }
    if (info != nullptr)
        XRRFreeMonitors(info);
    return monitors;
}

std::vector<FoundMonitor> XineramaMonitors(Display* display) {
    int event_base = 0;
    int error_base = 0;
    if (!XineramaQueryExtension(display, &event_base, &error_base) || !XineramaIsActive(display))
        return {};
    int count = 0;
    XineramaScreenInfo* info = XineramaQueryScreens(display, &count);
    std::vector<FoundMonitor> monitors;
    // Xinerama names no primary; its first screen is the one desktops treat so.
    for (int i = 0; i < count; ++i) {
        monitors.push_back(
            {MonitorArea{info[i].x_org, info[i].y_org, info[i].width, info[i].height, i == 0},
             std::string()});
    }
    if (info != nullptr)
        XFree(info);
    return monitors;
}

std::vector<FoundMonitor> FoundMonitors(Display* display) {
    std::vector<FoundMonitor> found = RandrMonitors(display, DefaultRootWindow(display));
    if (found.empty())
        found = XineramaMonitors(display);
    return found;
}

std::vector<MonitorArea> Arranged(Display* display, const std::vector<FoundMonitor>& found) {
    std::vector<MonitorArea> areas;
    for (const FoundMonitor& monitor : found)
        areas.push_back(monitor.area);
    const int screen = DefaultScreen(display);
    return ArrangeMonitors(std::move(areas), DisplayWidth(display, screen),
                           DisplayHeight(display, screen));
}

}  // namespace

std::vector<MonitorArea> ReadX11Monitors(Display* display) {
    return Arranged(display, FoundMonitors(display));
}

std::vector<DesktopMonitor> DisplayMonitors(const std::string& name) {
    Display* display = XOpenDisplay(name.empty() ? nullptr : name.c_str());
    if (display == nullptr)
        return {};
    const std::vector<FoundMonitor> found = FoundMonitors(display);
    std::vector<DesktopMonitor> monitors;
    for (const MonitorArea& area : Arranged(display, found)) {
        const auto named = std::find_if(found.begin(), found.end(), [&](const FoundMonitor& m) {
            return MonitorsOverlap(m.area, area);
        });
        monitors.push_back({named != found.end() ? named->name : std::string(), area});
    }
    XCloseDisplay(display);
    return monitors;
}

}  // namespace orvella
