#pragma once

#include <string>

namespace orvella {

class TCategoryStore;

// The wallpaper operations the main window's commands and switches call. The window does
// not know how a wallpaper is set; until an implementation is given, `available` is false
// and the entries that need it stay disabled.
class WallpaperCommands {
public:
    virtual ~WallpaperCommands() = default;
    virtual bool available() const = 0;
    // A random picture of the current category; nothing when it has none.
    virtual void SetRandomWallpaper(const TCategoryStore& store) = 0;
    virtual void SetSelectedWallpaper(const std::string& path) = 0;
    // Makes the desktop icon labels transparent.
    virtual void SBTransClick() = 0;
    // The starfield page as the wallpaper: "Simple" or "Advanced".
    virtual void SetStarfieldWallpaper(const std::string& type) = 0;
};

class UnavailableWallpaperCommands : public WallpaperCommands {
public:
    bool available() const override { return false; }
    void SetRandomWallpaper(const TCategoryStore&) override {}
    void SetSelectedWallpaper(const std::string&) override {}
    void SBTransClick() override {}
    void SetStarfieldWallpaper(const std::string&) override {}
};

}  // namespace orvella
