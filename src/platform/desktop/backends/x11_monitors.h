#pragma once

#include <vector>

#include "platform/desktop/monitors.h"

// Xlib's display, named as Xlib names it, without Xlib's macros here.
typedef struct _XDisplay Display;

namespace orvella {

// The monitors of the display's default screen as they are now, arranged for drawing:
// RandR 1.5's monitors where the server has them, else Xinerama's screens, else the whole
// screen as one.
std::vector<MonitorArea> ReadX11Monitors(Display* display);

}  // namespace orvella
