#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/desktop/desktop_colour.h"
#include "platform/status.h"

namespace orvella {

enum class DesktopControlPageKind { Calendar, Starfield };

// What one of our own pages asks the desktop control for: the calendar page names a
// background colour and picture, the starfield page only black.
struct DesktopControlPage {
    DesktopControlPageKind kind = DesktopControlPageKind::Calendar;
    ColorRef background = 0;
    std::string background_image;  // the calendar page's BACKGROUND; empty on the starfield page
    int control_width = 0;
    int control_height = 0;
};

// A page whose object element creates our desktop control, with a body and a positive size;
// nullopt for any other page, which is the user's own.
std::optional<DesktopControlPage> ParseDesktopControlPage(std::string_view html);

// The page in the file; nullopt for a page that is not ours, an error when it cannot be read.
Result<std::optional<DesktopControlPage>> ReadDesktopControlPage(const std::string& path);

}  // namespace orvella
