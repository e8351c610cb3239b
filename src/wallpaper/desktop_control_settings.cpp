#include "wallpaper/desktop_control_settings.h"

#include <algorithm>

#include "platform/text.h"
#include "settings/form_storage.h"
#include "wallpaper/starfield_state.h"

namespace orvella {
namespace {

void AddCalendarColour(TFormStorage& store, const char* name, ColorRef& colour) {
    store.AddColour(
        {"MonthCalendar", "CalColors", name}, [&colour] { return ColourValue(colour); },
        [&colour](ColourValue value) {
            // A system colour (negative) has no meaning off Windows: keep the default.
            if (value >= 0)
                colour = static_cast<ColorRef>(value) & 0xFFFFFF;
        });
}

bool IsTrue(const std::optional<std::string>& text) {
    return text && EqualsIgnoreCase(TrimBlanks(*text), "true");
}

}  // namespace

DesktopControlSettings ReadDesktopControlSettings(Registry& registry) {
    DesktopControlSettings settings;
    CalendarColours& colours = settings.colours;
    CalendarFont& font = settings.font;
    int font_height = 0;
    std::uint32_t style = 0;

    TFormStorage store(
        RegistryTarget(registry, RegistryRoot::CurrentUser, std::string(kCalendarKey), ""));
    AddCalendarColour(store, "BackColor", colours.back);
    AddCalendarColour(store, "TextColor", colours.text);
    AddCalendarColour(store, "TitleBackColor", colours.title_back);
    AddCalendarColour(store, "TitleTextColor", colours.title_text);
    AddCalendarColour(store, "MonthBackColor", colours.month_back);
    AddCalendarColour(store, "TrailingTextColor", colours.trailing_text);
    store.AddString(
        {"LabelFontMonthTemp", "Font", "Name"}, [&font] { return font.name; },
        [&font](const std::string& name) {
            if (!name.empty())
                font.name = name;
        });
    store.AddInteger(
        {"LabelFontMonthTemp", "Font", "Size"}, [&font] { return font.size; },
        [&font](std::int32_t size) { font.size = size; });
    store.AddInteger(
        {"LabelFontMonthTemp", "Font", "Height"}, [] { return 0; },
        [&font_height](std::int32_t height) { font_height = height; });
    store.AddSet(
        {"LabelFontMonthTemp", "Font", "Style"},
        {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, [] { return 0u; },
        [&style](std::uint32_t bits) { style = bits; });
    store.AddValue("CenterImg_Checked", "false");
    store.AddValue("WallpaperPath_Caption", "");
    store.AddValue("Sfx_Checked", "false");
    store.AddValue("Sfxtype_Caption", "");
    if (!store.Restore())
        return DesktopControlSettings{};

    // A size of 0 or less leaves the height, in pixels at 96 dpi, to say it.
    if (font.size <= 0)
        font.size = font_height < 0 ? (-font_height * 72 + 48) / 96 : 10;
    font.size = std::clamp(font.size, 4, 96);
    font.bold = style & 1;
    font.italic = style & 2;
    font.underline = style & 4;
    font.strike_out = style & 8;
    settings.centre_image = IsTrue(store.Value("CenterImg_Checked"));
    settings.wallpaper_path = store.Value("WallpaperPath_Caption").value_or("");
    settings.starfield_on = IsTrue(store.Value("Sfx_Checked"));
    settings.starfield_type = std::string(TrimBlanks(store.Value("Sfxtype_Caption").value_or("")));
    return settings;
}

}  // namespace orvella
