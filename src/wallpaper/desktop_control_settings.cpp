#include "wallpaper/desktop_control_settings.h"

#include <algorithm>

#include "platform/text.h"
#include "settings/settings_table.h"

namespace orvella {
namespace {

bool IsTrue(const std::optional<std::string>& text) {
    return text && EqualsIgnoreCase(TrimBlanks(*text), "true");
}

}  // namespace

DesktopControlSettings ReadDesktopControlSettings(Registry& registry) {
    Options options;
    TFormStorage store = CalendarKeyStore(registry);
    BindCalendarKey(store, options);
    store.AddValue(std::string(kCenterImageValue), "false");
    store.AddValue(std::string(kWallpaperPathValue), "");
    store.AddValue(std::string(kStarfieldOnValue), "false");
    store.AddValue(std::string(kStarfieldTypeValue), "");
    if (!store.Restore())
        return DesktopControlSettings{};

    DesktopControlSettings settings;
    settings.colours = options.calendar_colours;
    settings.font = options.font;
    settings.font.size = std::clamp(settings.font.size, 4, 96);
    settings.centre_image = IsTrue(store.Value(kCenterImageValue));
    settings.wallpaper_path = store.Value(kWallpaperPathValue).value_or("");
    settings.starfield_on = IsTrue(store.Value(kStarfieldOnValue));
    settings.starfield_type =
        std::string(TrimBlanks(store.Value(kStarfieldTypeValue).value_or("")));
    return settings;
}

}  // namespace orvella
