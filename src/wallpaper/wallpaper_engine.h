#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"
#include "settings/options.h"

namespace orvella {

class CalendarPreparation;
class ChangeSound;
class MessageCatalogue;
class Prompter;
class TCategoryStore;
class WallpaperSettingsProvider;
struct Platform;

// Every change of the desktop wallpaper goes through ApplyWallpaper, which decides from
// the file's extension, the calendar setting, the display mode, the Windows version and
// the Active Desktop's state how the wallpaper is set. The engine keeps no state between
// calls; everything it needs it is handed, and the settings are read at every change.
class TWallpaperEngine {
public:
    // The desktop's own failures (a backend that could not reach the desktop): the
    // Windows program never checked them, so they are not shown, only passed on here.
    using Warn = std::function<void(const Status&)>;
    static void WarnOnStandardError(const Status& status);

    // All parts must outlive the engine.
    TWallpaperEngine(Platform& platform, const MessageCatalogue& catalogue, Prompter& prompter,
                     const WallpaperSettingsProvider& settings, ChangeSound& sound,
                     CalendarPreparation& calendar, Warn warn = WarnOnStandardError);

    // Makes `path` (a picture or an HTML page) the wallpaper. A failed copy is shown as
    // `_MsgCopyFailure` and is no error here. The result is an error only for what the
    // application shows in its standard error box: a failed calendar step (the change
    // stopped there) or a change sound that could not be played (the change is done).
    Status ApplyWallpaper(const std::string& path);

    // The starfield page as the wallpaper, with its state for the desktop control: type
    // "Simple" ("Einfach") or "Advanced" ("Bewegt"). A page that cannot be written is an
    // error and the wallpaper stays as it was.
    Status SetStarfieldWallpaper(std::string_view type);

    // A random picture of the current category, seeded from the clock's second; with a
    // picture per screen, one for each monitor the desktop has (see PickMonitorPictures).
    Status SetRandomWallpaper(const TCategoryStore& store);
    // The first selected picture of the current list; nothing when none is selected.
    Status SetSelectedWallpaper(const std::optional<std::string>& selected);

    bool IsActiveDesktopOn() const;
    void EnableActiveDesktop();
    bool IsWinXP() const;
    bool IsScreenSaverRunning() const;
    std::string GetWindowsDir() const;
    // The Windows directory + "/Orvella.htm": where the calendar and starfield pages go.
    std::string CalendarPagePath() const;
    // Through the Active Desktop object, in the display mode `WallProps` names.
    void SetActiveDesktopWallpaper(const std::string& file);

private:
    // The first picture as ApplyWallpaper takes it; those after it for the other monitors.
    Status ApplyPictures(const std::vector<std::string>& pictures);
    Status ApplySteps(const std::vector<std::string>& pictures);
    // The copy beside the program; nullopt when it failed and the user was told.
    std::optional<std::string> CopyBesideProgram(const std::string& path);
    Status PrepareCalendar(const std::string& copy, WallProps wall_props);
    void SetThroughRegistry(const std::string& file, WallProps wall_props);
    void SetThroughActiveDesktop(const std::string& file, WallProps wall_props);
    void ChooseRoute(const std::string& file, WallProps wall_props);

    Platform& platform_;
    const MessageCatalogue& catalogue_;
    Prompter& prompter_;
    const WallpaperSettingsProvider& settings_;
    ChangeSound& sound_;
    CalendarPreparation& calendar_;
    Warn warn_;
};

}  // namespace orvella
