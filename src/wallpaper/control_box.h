#pragma once

#include "codecs/compose.h"
#include "platform/desktop/screen.h"

namespace orvella {

// The rectangle the desktop control covers on the screen: from (10, 15) to (W - 10, H).
// The pages size the control by it, and its picture "Orvella2.jpg" is cut by it.
constexpr Rect ControlBox(ScreenSize screen) {
    return Rect{10, 15, screen.width - 20, screen.height - 15};
}

}  // namespace orvella
