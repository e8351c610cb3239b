#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/status.h"
#include "settings/options.h"

namespace orvella {

class DesktopColours;
class Registry;
class ScreenSaverSetting;

// The two timers the options own: the timed change and the transparency check.
class OptionTimers {
public:
    virtual ~OptionTimers() = default;
    virtual void Apply(const TimerOptions& options) = 0;
    virtual bool TransTimerRunning() const = 0;
};

// The main window's side of the options: the values it keeps in "[Wallpaper]".
class MainWindowSettings {
public:
    virtual ~MainWindowSettings() = default;
    virtual const MainWindowValues& Values() const = 0;
    // Puts `values` in force (the lists sorted as they say) and keeps them.
    virtual Status SetValues(const MainWindowValues& values) = 0;
    // The sound played at each change, until the values are set or restored again.
    virtual void SetChangeSound(std::string file) = 0;
};

// What confirming the options changes.
struct OptionsCommitServices {
    Registry& registry;
    DesktopColours& desktop_colours;
    ScreenSaverSetting& screen_saver;
    OptionTimers& timers;
    MainWindowSettings& main_window;
    std::string program;         // the program file autostart starts
    std::string program_dir;     // with its trailing separator
    std::string autostart_file;  // the XDG autostart entry
};

// The Run key's command: the quoted program path and the switches.
std::string AutostartCommand(const std::string& program, bool change_wallpaper);

// Puts options the user confirmed into force, `before` being those the dialog opened with:
// the autostart entry, the calendar key's values for the desktop control, the main window's
// values, the desktop colour (when it changed), the screen saver and the timers. `after`
// takes what this decided: the timers and whether the program's screen saver is installed.
// `screen_saver_pictures` are those of the category chosen for the screen saver, nullopt
// when none was chosen: the screen saver is not installed then. Every step runs; the
// failures are told together.
Status CommitOptions(const Options& before, Options& after,
                     const std::optional<std::vector<std::string>>& screen_saver_pictures,
                     OptionsCommitServices& services);

}  // namespace orvella
