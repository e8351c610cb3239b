#pragma once

#include <string>

#include "platform/status.h"
#include "settings/options.h"

namespace orvella {

// What the wallpaper engine reads at every change. The main window keeps them; the options
// dialog changes them at OK.
struct WallpaperSettings {
    WallProps wall_props = WallProps::Centre;
    bool calendar = false;            // the calendar wallpaper is on
    std::string change_sound;         // the media player's file name; empty: no sound
    bool picture_per_screen = false;  // a random change picks a picture for each monitor
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
    void SetWallProps(WallProps value) { settings_.wall_props = value; }
    void SetCalendar(bool on) { settings_.calendar = on; }
    void SetChangeSound(std::string path) { settings_.change_sound = std::move(path); }

private:
    WallpaperSettings settings_;
};

// The options as the options dialog's store restores them from "[Options]" of the settings
// file (see ReadTimerOptions), for those who need them before the dialog exists.
Result<Options> ReadStoredOptions(const std::string& settings_file);

// The timers as the options dialog's store restores them from "[Options]" of the settings
// file: nothing when the section's "FormVersion" is missing or below its version, a
// boolean by its name, an integer that does not parse as 0. Fails only when the file
// exists and cannot be read.
Result<TimerOptions> ReadTimerOptions(const std::string& settings_file);

}  // namespace orvella
