#pragma once

#include <QColor>

namespace orvella {

// Moves each of red, green and blue `percent` of the way towards 255, rounding up:
// c + ceil((255 - c) * percent / 100).
QColor LightenColor(int percent, const QColor& colour);

}  // namespace orvella
