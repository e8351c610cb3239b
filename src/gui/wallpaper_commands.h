#pragma once

#include <string>

namespace orvella {

class TCategoryStore;

// The wallpaper operations the main window's commands and switches call. The window does
// not know how a wallpaper is set.
class WallpaperCommands {
public:
    virtual ~WallpaperCommands() = default;
    // A random picture of the current category; nothing when it has none.
    virtual void SetRandomWallpaper(const TCategoryStore& store) = 0;
    virtual void SetSelectedWallpaper(const std::string& path) = 0;
    // Makes the desktop icon labels transparent.
    virtual void SBTransClick() = 0;
    // The starfield page as the wallpaper: "Simple" or "Advanced".
    virtual void SetStarfieldWallpaper(const std::string& type) = 0;
};

}  // namespace orvella
