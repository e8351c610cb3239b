#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <string>

#include "wallpaper/desktop_control_page.h"
#include "wallpaper/desktop_control_settings.h"
#include "wallpaper/month_sheet.h"

namespace orvella {

// Everything one picture of the desktop control is drawn from, read at the moment of drawing.
struct DesktopControlScene {
    DesktopControlPage page;
    DesktopControlSettings settings;
    CivilDate today;
    QSize screen;
    std::string control_image;  // "Orvella2.jpg", drawn in the control's box when it exists
};

// The screen as the page shows it with our control in it: the calendar page's colour and
// background picture, the control's picture at (10, 15) and the month calendar in the top
// right corner of the control's box; or the starfield over black.
QImage PaintDesktopControl(const DesktopControlScene& scene);

// The starfield of `screen` in the control's box at `frame`: frame 0 is the still field,
// later frames have the stars come closer, a little each frame.
QImage PaintStarfield(QSize screen, QRect box, int frame);
// The same into a picture of the screen's size the caller keeps from frame to frame.
void PaintStarfieldInto(QImage& image, QRect box, int frame);

// Where the control's box lies on the screen, and the calendar in it: the whole panel, the
// band of month and year, the face behind the weekdays and days, and today's day.
QRect ControlBoxOf(const DesktopControlPage& page);
struct CalendarPlacement {
    QRect panel;
    QRect title;
    QRect face;
    QRect today;
};
CalendarPlacement PlaceCalendar(const DesktopControlScene& scene);

}  // namespace orvella
