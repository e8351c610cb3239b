#include "support/x11_server.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// Xlib names its result type Status with a macro, which would hide ours.
#undef Status
#include <unistd.h>

#include <memory>
#include <vector>

#include "platform/desktop/backends/x11_root_pixmap.h"
#include "platform/system/process.h"

namespace orvella::testing {
namespace {

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// The first mapped window below `parent` named `title`, depth first.
Window FindWindow(Display* d, Window parent, const std::string& title) {
    Window root = None;
    Window up = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(d, parent, &root, &up, &children, &count) == 0)
        return None;
    Window found = None;
    for (unsigned int i = 0; i < count && found == None; ++i) {
        XWindowAttributes attributes{};
        char* name = nullptr;
        if (XGetWindowAttributes(d, children[i], &attributes) != 0 &&
            attributes.map_state == IsViewable && XFetchName(d, children[i], &name) != 0 &&
            name != nullptr && title == name) {
            found = children[i];
        }
        if (name != nullptr)
            XFree(name);
        if (found == None)
            found = FindWindow(d, children[i], title);
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

void SendKeyEvent(Display* d, Window window, int type, KeyCode code, unsigned int modifiers) {
    XKeyEvent event{};
    event.type = type;
    event.display = d;
    event.window = window;
    event.root = DefaultRootWindow(d);
    event.subwindow = None;
    event.time = CurrentTime;
    event.same_screen = True;
    event.keycode = code;
    event.state = modifiers;
    XSendEvent(d, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask,
               reinterpret_cast<XEvent*>(&event));
}

}  // namespace

bool PressKey(const std::string& name, const std::string& title, const char* key,
              unsigned int modifiers) {
    DisplayPtr display(XOpenDisplay(name.c_str()));
    if (!display)
        return false;
    Display* d = display.get();
    const Window window = FindWindow(d, DefaultRootWindow(d), title);
    const KeyCode code = XKeysymToKeycode(d, XStringToKeysym(key));
    if (window == None || code == 0)
        return false;
    // No window manager: the window becomes active by taking the focus itself.
    XSetInputFocus(d, window, RevertToParent, CurrentTime);
    XSync(d, False);
    ::usleep(200'000);
    SendKeyEvent(d, window, KeyPress, code, modifiers);
    SendKeyEvent(d, window, KeyRelease, code, modifiers);
    XSync(d, False);
    return true;
}

// -noreset: a session keeps its root window when its last client leaves, and each of our
// setters and probes is such a client.
Xvfb::Xvfb(int width, int height)
    : server_({"Xvfb", "-displayfd", "3", "-screen", "0",
               std::to_string(width) + "x" + std::to_string(height) + "x24", "-nolisten", "tcp",
               "-noreset"},
              EnvironmentWith({}), true) {
    if (!server_.line().empty())
        display_ = ":" + server_.line();
}

std::string SetMonitors(const std::string& display, const std::vector<TestMonitor>& monitors,
                        std::size_t primary) {
    const auto xrandr = [&](std::vector<std::string> arguments) -> std::string {
        arguments.insert(arguments.begin(), {"xrandr", "-display", display});
        Result<ProcessOutput> run = RunProcess(arguments);
        if (!run)
            return run.message();
        return run->exit_code == 0 ? std::string() : DescribeFailure("xrandr", *run);
    };
    // A monitor cannot be replaced in place: away with the old ones of these names first.
    for (const TestMonitor& m : monitors)
        xrandr({"--delmonitor", m.name});
    for (const TestMonitor& m : monitors) {
        // A millimetre for every four pixels: RandR wants a physical size too.
        const std::string geometry = std::to_string(m.width) + "/" + std::to_string(m.width / 4) +
                                     "x" + std::to_string(m.height) + "/" +
                                     std::to_string(m.height / 4) + "+" + std::to_string(m.x) +
                                     "+" + std::to_string(m.y);
        const bool holds_output = &m == &monitors[primary];
        // A name written with a leading "*" makes the monitor the primary one.
        if (std::string failed =
                xrandr({"--setmonitor", (holds_output ? "*" : "") + std::string(m.name), geometry,
                        holds_output ? "screen" : "none"});
            !failed.empty())
            return failed;
    }
    return {};
}

std::uint32_t RootPixel(const std::string& name, int x, int y) {
    DisplayPtr display(XOpenDisplay(name.c_str()));
    if (!display)
        return 0xFF000000;
    Display* d = display.get();
    XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr)
        return 0xFF000000;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    Visual* visual = DefaultVisual(d, DefaultScreen(d));
    const auto channel = [pixel](unsigned long mask) {
        unsigned long value = pixel & mask;
        while (mask != 0 && (mask & 1) == 0) {
            mask >>= 1;
            value >>= 1;
        }
        return static_cast<std::uint32_t>(value);
    };
    return (channel(visual->red_mask) << 16) | (channel(visual->green_mask) << 8) |
           channel(visual->blue_mask);
}

unsigned long RootPixmap(const std::string& name, const char* property) {
    DisplayPtr display(XOpenDisplay(name.c_str()));
    if (!display)
        return 0;
    Display* d = display.get();
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    Pixmap pixmap = None;
    if (XGetWindowProperty(d, DefaultRootWindow(d), XInternAtom(d, property, False), 0, 1, False,
                           XA_PIXMAP, &type, &format, &count, &after, &data) == Success &&
        count == 1 && data != nullptr)
        pixmap = *reinterpret_cast<Pixmap*>(data);
    if (data != nullptr)
        XFree(data);
    return pixmap;
}

unsigned long LeaveRootPixmap(const std::string& name) {
    DisplayPtr display(XOpenDisplay(name.c_str()));
    if (!display)
        return 0;
    Display* d = display.get();
    const Window root = DefaultRootWindow(d);
    const Pixmap pixmap =
        XCreatePixmap(d, root, static_cast<unsigned>(DisplayWidth(d, DefaultScreen(d))),
                      static_cast<unsigned>(DisplayHeight(d, DefaultScreen(d))),
                      static_cast<unsigned>(DefaultDepth(d, DefaultScreen(d))));
    for (const char* property : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"}) {
        XChangeProperty(d, root, XInternAtom(d, property, False), XA_PIXMAP, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&pixmap), 1);
    }
    XSetWindowBackgroundPixmap(d, root, pixmap);
    XSetCloseDownMode(d, RetainPermanent);
    return pixmap;
}

bool PixmapExists(const std::string& name, unsigned long pixmap) {
    DisplayPtr display(XOpenDisplay(name.c_str()));
    return display && ShapeOfPixmap(display.get(), pixmap).has_value();
}

}  // namespace orvella::testing
