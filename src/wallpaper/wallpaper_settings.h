#pragma once

#include <string>

#include "platform/status.h"

namespace orvella {

// What the wallpaper engine reads at every change. The main window's stored values and
// its media player hold them; the options dialog changes them at OK.
struct WallpaperSettings {
    int wall_props = 0;        // `WallProps`: 0 centre, 1 tile, 2 stretch
    int cal_activated = 0;     // `CalActivated`: 1 = the calendar wallpaper is on
    std::string change_sound;  // the media player's file name; empty: no sound
};

// Read anew at every change, so what OK set is what the next change uses.
class WallpaperSettingsProvider {
public:
    virtual ~WallpaperSettingsProvider() = default;
    virtual WallpaperSettings Current() const = 0;
};

// The settings as a value the main window keeps and the options dialog sets.
class TWallpaperSettings : public WallpaperSettingsProvider {
public:
    TWallpaperSettings() = default;
    explicit TWallpaperSettings(WallpaperSettings settings) : settings_(std::move(settings)) {}
    WallpaperSettings Current() const override { return settings_; }
    void Set(WallpaperSettings settings) { settings_ = std::move(settings); }
    void SetWallProps(int value) { settings_.wall_props = value; }
    void SetCalActivated(int value) { settings_.cal_activated = value; }
    void SetChangeSound(std::string path) { settings_.change_sound = std::move(path); }

private:
    WallpaperSettings settings_;
};

// The engine's two timers as the options keep them in "[Options]" of "ovl.dat":
// `WallTimer_Enabled` and `TransTimer_Enabled` ("True"/"False") and `WallTimer_Interval`
// (milliseconds). The transparency check runs every TIconTransparency::kTransTimerIntervalMs.
struct TimerOptions {
    bool wall_timer_enabled = false;
    int wall_timer_interval_ms = 60000;
    bool trans_timer_enabled = false;

    // A window-message timer with interval 0 never fires; a Qt timer would fire at once
    // and for ever, so the GUI starts one only when this is true.
    bool WallTimerRuns() const { return wall_timer_enabled && wall_timer_interval_ms > 0; }
};

// Read as the dialog's store restores them: nothing when the section's "FormVersion" is
// missing or below 1, a boolean by its name, an integer that does not parse as 0. Fails
// only when the file exists and cannot be read.
Result<TimerOptions> ReadTimerOptions(const std::string& ovl_dat_path);

}  // namespace orvella
