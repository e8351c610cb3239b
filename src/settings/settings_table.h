#pragma once

#include <string>
#include <string_view>

#include "settings/form_storage.h"
#include "settings/options.h"
#include "settings/settings_places.h"

namespace orvella {

class Registry;

// Every setting the program keeps, with its entry name and text form, bound to the typed
// values of settings/options.h, which hold the defaults. The options dialog, the main
// window, the wallpaper engine and the desktop control all read and write through these.

// The calendar key's values that the program writes directly rather than through a store.
inline constexpr std::string_view kWallpaperPathValue = "WallpaperPath_Caption";
inline constexpr std::string_view kCenterImageValue = "CenterImg_Checked";
inline constexpr std::string_view kStarfieldOnValue = "Sfx_Checked";
inline constexpr std::string_view kStarfieldTypeValue = "Sfxtype_Caption";

// The stores on their targets, with their versions and nothing registered yet.
TFormStorage OptionsStore(const std::string& settings_file);
TFormStorage WallpaperStore(const std::string& settings_file);
TFormStorage CalendarKeyStore(Registry& registry);

// Registers the entries of "[Options]": the dialog's controls and the timers.
void BindOptions(TFormStorage& store, Options& options);
// Registers the entries of the calendar key that a store keeps: the colour set, the font,
// the calendar switch and the display mode. A system colour (negative) or an empty font
// name leaves the value as it was; a font size of 0 or less leaves the height to say it.
void BindCalendarKey(TFormStorage& store, Options& options);
// Registers what "[Wallpaper]" keeps for the rest of the program: the change sound as the
// media player's file name and the six named values, in their order. The main window
// registers its own placement and check marks before.
void BindMainWindowValues(TFormStorage& store, MainWindowValues& values);

// `CenterImg_Checked` as the desktop control reads it.
std::string CenterImageText(WallProps wall_props);

}  // namespace orvella
