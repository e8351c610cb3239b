#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/desktop/backends/wallpaper_backend.h"
#include "platform/desktop/picture_pixels.h"
#include "platform/status.h"
#include "platform/system/environment.h"

namespace orvella {

// What the backends need beside their name.
struct BackendSetup {
    std::shared_ptr<const PictureLoader> picture_loader;  // the x11 backend needs one
    std::string state_dir;  // where the sway backend keeps its swaybg's number
};

// The backend `auto` stands for in this session: from XDG_CURRENT_DESKTOP (a list
// separated by ":"), else "x11" when there is an X display, else "none" (a Wayland
// compositor we do not know, or no desktop at all).
std::string DesktopOfSession(const Environment& environment);

// ORVELLA_DESKTOP's names: auto, gnome, kde, xfce, sway, x11, none, record:FILE. An
// unknown name is an error that lists the known ones.
Result<std::unique_ptr<WallpaperBackend>> CreateWallpaperBackend(std::string_view name,
                                                                 const Environment& environment,
                                                                 const BackendSetup& setup);

}  // namespace orvella
