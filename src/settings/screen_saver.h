#pragma once

#include <string>
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

    // The Windows directory + "/Orvella.scr": the program's own screen saver.
    std::string OwnScreenSaver() const { return windows_dir_ + "/Orvella.scr"; }
    std::string SettingsFile() const {
        return windows_dir_ + "/" + std::string(kScreenSaverFileName);
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
