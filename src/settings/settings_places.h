#pragma once

#include <string>
#include <string_view>

namespace orvella {

// Where the program keeps what it keeps: its data files and registry keys. Each name is
// written here only.

// In the program folder: the category store, and the windows' stored settings.
inline constexpr std::string_view kCategoryFileName = "ovlimg.dat";
inline constexpr std::string_view kSettingsFileName = "ovl.dat";
// In the Windows directory: what the screen saver reads.
inline constexpr std::string_view kScreenSaverFileName = "Ovlscr.ini";

// The files in `program_dir`, which ends with its separator.
inline std::string CategoryFilePath(const std::string& program_dir) {
    return program_dir + std::string(kCategoryFileName);
}
inline std::string SettingsFilePath(const std::string& program_dir) {
    return program_dir + std::string(kSettingsFileName);
}

// The sections of "ovl.dat" the options and the main window keep their settings in.
inline constexpr std::string_view kOptionsSection = "Options";
inline constexpr std::string_view kWallpaperSection = "Wallpaper";

// The settings key below HKEY_CURRENT_USER, and its subkey for the desktop control.
inline constexpr std::string_view kSettingsKey = "Software\\Brenmark Software\\Orvella";
inline constexpr std::string_view kCalendarSubkey = "Calendar";
// The calendar key as one path below HKEY_CURRENT_USER.
inline std::string CalendarKeyPath() {
    return std::string(kSettingsKey) + "\\" + std::string(kCalendarSubkey);
}

// The autostart entry: a value of the Run key below HKEY_CURRENT_USER.
inline constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kRunValue = "Orvella";

// The store versions: a section written by an older version is not restored.
inline constexpr int kOptionsVersion = 1;
inline constexpr int kWallpaperVersion = 3;
inline constexpr int kCalendarVersion = 0;

}  // namespace orvella
