#pragma once

#include <string>
#include <vector>

#include "platform/desktop/backends/wallpaper_backend.h"
#include "platform/desktop/monitors.h"

// Xlib's display, named as Xlib names it, without Xlib's macros here.
typedef struct _XDisplay Display;

namespace orvella {

// The monitors of the display's default screen as they are now, arranged for drawing:
// RandR 1.5's monitors where the server has them, else Xinerama's screens, else the whole
// screen as one.
std::vector<MonitorArea> ReadX11Monitors(Display* display);

// The monitors of the X display `name` ($DISPLAY when empty) as ReadX11Monitors arranges
// them, each named as RandR names it (a monitor joined from several takes the first one's
// name); empty when there is no such display.
std::vector<DesktopMonitor> DisplayMonitors(const std::string& name);

}  // namespace orvella
