#pragma once

#include <string>

#include "platform/registry/registry.h"
#include "settings/options.h"

namespace orvella {

// What the desktop control reads from the calendar key each time it draws, with the options'
// defaults for whatever is missing.
struct DesktopControlSettings {
    CalendarColours colours;
    CalendarFont font;
    bool centre_image = false;   // CenterImg_Checked "true": "Orvella2.jpg" centred in the box
    std::string wallpaper_path;  // WallpaperPath_Caption: the folder of "Orvella2.jpg"
    bool starfield_on = false;   // Sfx_Checked
    std::string starfield_type;  // Sfxtype_Caption: "Simple", "Advanced" or empty
};

// Read through the same entries the options dialog writes. A key that cannot be read gives
// the defaults: the control draws what it can rather than nothing.
DesktopControlSettings ReadDesktopControlSettings(Registry& registry);

}  // namespace orvella
