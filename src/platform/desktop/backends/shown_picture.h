#pragma once

#include <string>

#include "platform/desktop/backends/wallpaper_backend.h"

namespace orvella {

// The picture under a name the desktop has not been given just before. GNOME (dconf),
// XFCE (xfconfd) and Plasma notice a setting only when its value changes, so a second
// "Orvella.jpg" in a row would leave the first one on the screen. The picture is handed out
// as "OrvellaShown1" or "OrvellaShown2" plus its extension, beside it, by turns; the turn is
// read from the folder, so it also alternates from one run of the program to the next.
class ShownPicture {
public:
    explicit ShownPicture(const std::string& picture);
    // Without Keep (the desktop refused the change) the new name goes again.
    ~ShownPicture();
    ShownPicture(const ShownPicture&) = delete;
    ShownPicture& operator=(const ShownPicture&) = delete;

    // The name to hand to the desktop; the picture's own where no other could be made
    // (a folder we may not write to).
    const std::string& path() const { return path_; }
    // The desktop shows path() now: the names handed out before are removed.
    void Keep();

private:
    std::string folder_;
    std::string path_;
    bool made_ = false;
};

// `show` (a backend's own route) given `change` with its picture under a ShownPicture name.
template <typename Show>
Status ShowUnderNewName(const WallpaperChange& change, Show show) {
    ShownPicture shown(change.picture);
    WallpaperChange handed = change;
    handed.picture = shown.path();
    Status done = show(handed);
    if (done)
        shown.Keep();
    return done;
}

}  // namespace orvella
