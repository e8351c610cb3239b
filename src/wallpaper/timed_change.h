#pragma once

#include <chrono>
#include <functional>

#include "platform/status.h"

namespace orvella {

class TCategoryStore;
class TIconTransparency;
class TWallpaperEngine;

// Runs a task later on the user-interface thread. The GUI hands in a single-shot Qt
// timer; the Windows program blocked the thread for the wait instead, which froze the
// windows for half a second at every tick.
class Scheduler {
public:
    virtual ~Scheduler() = default;
    virtual void After(std::chrono::milliseconds delay, std::function<void()> task) = 0;
};

// The timed change's tick: a random pick, then, half a second later, the icon labels made
// transparent again (the new wallpaper may have brought their background back).
class TTimedChange {
public:
    static constexpr std::chrono::milliseconds kTransparencyDelay{500};

    TTimedChange(TWallpaperEngine& engine, TIconTransparency& icons, Scheduler& scheduler)
        : engine_(engine), icons_(icons), scheduler_(scheduler) {}

    // The transparency step is scheduled whatever the pick did (an empty list changes
    // nothing and still gets it); the result is the pick's error for the error box.
    Status WallTimerTimer(const TCategoryStore& store);

private:
    TWallpaperEngine& engine_;
    TIconTransparency& icons_;
    Scheduler& scheduler_;
};

}  // namespace orvella
