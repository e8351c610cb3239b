#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop/desktop_colour.h"
#include "platform/status.h"
#include "platform/system/windows_version.h"
#include "settings/settings_places.h"

namespace orvella {

class Desktop;
class Registry;

// The screen saver's background as "Ovlscr.ini" holds it: the name of one of the sixteen
// basic colours ("clBlack"), otherwise "$" and the value 0x00BBGGRR in eight upper-case
// hexadecimal digits ("$000080FF").
std::string ScreenSaverColourText(ColorRef colour);
// Reads both forms back, the names without regard to case, and a plain decimal value too;
// nullopt for anything else (a system colour's name, a value beyond 0x00FFFFFF).
std::optional<ColorRef> ParseScreenSaverColour(std::string_view text);

// "Ovlscr.ini" and "Orvella.scr" in the Windows directory.
std::string ScreenSaverSettingsFile(const std::string& windows_dir);
std::string ScreenSaverLauncherFile(const std::string& windows_dir);

// The screen saver program, "orvella-screensaver" in the folder of `executable_path`.
std::string ScreenSaverProgram(const std::string& executable_path);
// Makes "Orvella.scr" in the Windows directory a link to `program`, so the path the system
// is given names a file that starts the screen saver. An earlier "Orvella.scr" is replaced
// in one step.
Status CreateScreenSaverLauncher(const std::string& windows_dir, const std::string& program);

// GetShortPathNameA: Linux paths have no short form, so a path's short form is the path
// itself while the file exists, and empty otherwise (as the conversion fails then).
std::string ShortPathName(const std::string& path);

// Where the system keeps its screen saver: "system.ini" [boot] SCRNSAVE.EXE on the
// 95/98/Me family, "Control Panel\Desktop" SCRNSAVE.EXE in the registry on the NT family.
// Reading never shows a message; writes that fail change nothing and are not reported,
// as the system would not report them.
class ScreenSaverSetting {
public:
    ScreenSaverSetting(Registry& registry, Desktop& desktop, WindowsVersion version,
                       std::string windows_dir);

    std::string GetScreenSaverPath() const;
    // Makes `path` (in its short form) the system's screen saver and switches screen
    // saving on.
    void SetScreenSaverPath(const std::string& path);
    // Writes "Ovlscr.ini" for `pictures` (in list order): the time per picture, the
    // background, and each picture that exists and is no GIF or page. Other keys of
    // [ScreenSaver] stay. The file is replaced once, however many pictures there are.
    Status WriteScreenSaverSettings(const std::vector<std::string>& pictures, int seconds,
                                    ColorRef colour) const;

    // The program's own screen saver.
    std::string OwnScreenSaver() const { return ScreenSaverLauncherFile(windows_dir_); }
    std::string SettingsFile() const { return ScreenSaverSettingsFile(windows_dir_); }
    // Makes the program's own screen saver a link to `program`.
    Status CreateLauncher(const std::string& program) const {
        return CreateScreenSaverLauncher(windows_dir_, program);
    }

private:
    std::string SystemIni() const { return windows_dir_ + "/system.ini"; }

    Registry& registry_;
    Desktop& desktop_;
    WindowsVersion version_;
    std::string windows_dir_;
};

// Whether the program's screen saver is installed by the program, and the one that was in
// force before; both are kept with the options.
struct ScreenSaverState {
    bool installed = false;
    std::string old_scr_saver;
    bool operator==(const ScreenSaverState&) const = default;
};

// Remembers the screen saver in force, writes the settings for `pictures` and makes the
// program's own screen saver the system's. The settings file's write status is returned
// for the user to see; the install goes on either way.
Status InstallScreenSaver(ScreenSaverSetting& setting, ScreenSaverState& state,
                          const std::vector<std::string>& pictures, int seconds, ColorRef colour);
// Gives the system back the remembered screen saver, unless the system meanwhile has
// another one than the program put there; it is not installed afterwards in every case.
void UninstallScreenSaver(ScreenSaverSetting& setting, ScreenSaverState& state);

}  // namespace orvella
