#pragma once

#include <optional>
#include <string>

#include "platform/status.h"
#include "wallpaper/desktop_control_page.h"

namespace orvella {

class Desktop;
class Registry;

// The page the desktop shows when it is one of ours: the wallpaper the desktop was last
// given is `page_path` and the file there is our calendar or starfield page.
std::optional<DesktopControlPage> CurrentDesktopControlPage(Registry& registry,
                                                            const std::string& page_path);
bool IsDesktopControlPageCurrent(Registry& registry, const std::string& page_path);

// Why the control draws again: whatever page of ours is on show (the program starts), or
// only a calendar, which alone shows the day (a new day began).
enum class RedrawFor { AnyPage, NewDay };

// Hands the page to the desktop again in the style it has, so the control draws anew.
// Nothing happens when our page is not on show.
Status RedrawDesktopControl(Desktop& desktop, Registry& registry, const std::string& page_path,
                            RedrawFor why = RedrawFor::AnyPage);

}  // namespace orvella
