#pragma once

#include <string>

#include "platform/desktop/desktop_colour.h"
#include "platform/registry/registry.h"

namespace orvella {

// The six colours of the month calendar, Windows colour values (0x00BBGGRR).
struct CalendarColours {
    ColorRef back = 16777215;           // BackColor: the panel around the month
    ColorRef text = 0;                  // TextColor: the days of the month
    ColorRef title_back = 33023;        // TitleBackColor: title band, weekdays, week numbers
    ColorRef title_text = 8388608;      // TitleTextColor: month and year
    ColorRef month_back = 16777215;     // MonthBackColor: behind the days
    ColorRef trailing_text = 12632256;  // TrailingTextColor: days of the months around
};

struct CalendarFont {
    std::string name = "Comic Sans MS";
    int size = 10;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike_out = false;
};

// What the desktop control reads from the calendar key each time it draws, with the options
// dialog's defaults for whatever is missing.
struct DesktopControlSettings {
    CalendarColours colours;
    CalendarFont font;
    bool centre_image = false;   // CenterImg_Checked "true": "Orvella2.jpg" centred in the box
    std::string wallpaper_path;  // WallpaperPath_Caption: the folder of "Orvella2.jpg"
    bool starfield_on = false;   // Sfx_Checked
    std::string starfield_type;  // Sfxtype_Caption: "Simple", "Advanced" or empty
};

// Read through the same entry forms the options dialog writes them in. A key that cannot
// be read gives the defaults: the control draws what it can rather than nothing.
DesktopControlSettings ReadDesktopControlSettings(Registry& registry);

}  // namespace orvella
