#include "gui/colours.h"

#include <algorithm>

namespace orvella {
namespace {

int Lighten(int channel, int percent) {
    const int lifted = channel + ((255 - channel) * percent + 99) / 100;
    return std::clamp(lifted, 0, 255);
}

}  // namespace

QColor LightenColor(int percent, const QColor& colour) {
    // Qt draws in true colour, so the nearest colour the display can show is the colour.
    const QColor rgb = colour.toRgb();
    return QColor(Lighten(rgb.red(), percent), Lighten(rgb.green(), percent),
                  Lighten(rgb.blue(), percent));
}

QColor ToQColor(ColorRef colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

}  // namespace orvella
