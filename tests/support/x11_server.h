#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/desktop_services.h"

namespace orvella::testing {

// An Xvfb of the test's own. It picks a free display number itself and writes it to the
// pipe it is given (-displayfd), so tests running side by side never collide. display()
// is empty when it could not be started.
class Xvfb {
public:
    Xvfb(int width, int height);

    const std::string& display() const { return display_; }

private:
    Service server_;
    std::string display_;
};

// One RandR monitor of a test's layout, in root window pixels.
struct TestMonitor {
    const char* name;
    int x, y, width, height;
};

// Replaces the server's monitors with `monitors` (xrandr --setmonitor); the one at `primary`
// holds the screen's output (so RandR's own monitor of the whole screen goes) and is the
// primary one. An error text, empty on success.
std::string SetMonitors(const std::string& display, const std::vector<TestMonitor>& monitors,
                        std::size_t primary);

// The root window's colour at (x, y) as 0xRRGGBB; 0xFF000000 set when it cannot be read.
std::uint32_t RootPixel(const std::string& display, int x, int y);

// The pixmap a root window property names; 0 when there is none.
unsigned long RootPixmap(const std::string& display, const char* property);

// A root pixmap left as another setter that has ended leaves it: named by _XROOTPMAP_ID and
// ESETROOT_PMAP_ID and kept after its connection closed. 0 when it could not be made.
unsigned long LeaveRootPixmap(const std::string& display);

// Whether the server still has the pixmap.
bool PixmapExists(const std::string& display, unsigned long pixmap);

// X's ControlMask, for PressKey without X's headers (their macros clash with others).
inline constexpr unsigned int kControlKey = 1u << 2;

// Gives the input focus to the mapped top-level window titled `title` and sends it a press
// and release of `key` (an X key name such as "F1" or "m") with `modifiers` (kControlKey and
// the like), as a user at the keyboard would. False when there is no such window.
bool PressKey(const std::string& display, const std::string& title, const char* key,
              unsigned int modifiers = 0);

}  // namespace orvella::testing
