#include "wallpaper/timed_change.h"

#include "wallpaper/icon_transparency.h"
#include "wallpaper/wallpaper_engine.h"

namespace orvella {

Status TTimedChange::WallTimerTimer(const TCategoryStore& store) {
    Status picked = engine_.SetRandomWallpaper(store);
    TIconTransparency& icons = icons_;
    scheduler_.After(kTransparencyDelay, [&icons] { icons.SBTransClick(); });
    return picked;
}

}  // namespace orvella
