#pragma once

#include <QColor>

#include "platform/desktop/desktop_colour.h"

namespace orvella {

// Moves each of red, green and blue `percent` of the way towards 255, rounding up:
// c + ceil((255 - c) * percent / 100).
QColor LightenColor(int percent, const QColor& colour);

// A Windows colour value (0x00BBGGRR) as Qt's colour.
QColor ToQColor(ColorRef colour);

}  // namespace orvella
