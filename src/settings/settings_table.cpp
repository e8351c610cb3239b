#include "settings/settings_table.h"

#include "platform/profile/profile_document.h"
#include "platform/registry/registry.h"
#include "settings/integer_text.h"
#include "settings/stored_text.h"

namespace orvella {
namespace {

void Bind(TFormStorage& store, PropertyName name, bool& field) {
    store.AddBool(
        std::move(name), [&field] { return field; }, [&field](bool value) { field = value; });
}

void Bind(TFormStorage& store, PropertyName name, int& field) {
    store.AddInteger(
        std::move(name), [&field] { return field; },
        [&field](std::int32_t value) { field = value; });
}

// Written in full: a value past 32 bits is still one decimal number.
void Bind(TFormStorage& store, PropertyName name, std::int64_t& field) {
    store.AddString(
        std::move(name), [&field] { return std::to_string(field); },
        [&field](const std::string& value) { field = ParseInteger64(value).value_or(0); });
}

void Bind(TFormStorage& store, PropertyName name, std::string& field) {
    store.AddString(
        std::move(name), [&field] { return field; },
        [&field](const std::string& value) { field = value; });
}

void Bind(TFormStorage& store, PropertyName name, WallProps& field) {
    store.AddInteger(
        std::move(name), [&field] { return static_cast<std::int32_t>(field); },
        [&field](std::int32_t value) { field = static_cast<WallProps>(value); });
}

void BindColour(TFormStorage& store, PropertyName name, ColourValue& field) {
    store.AddColour(
        std::move(name), [&field] { return field; },
        [&field](ColourValue value) { field = value; });
}

void BindButton(TFormStorage& store, const std::string& button, ButtonColours& colours) {
    BindColour(store, {button, "Color"}, colours.color);
    BindColour(store, {button, "ColorDown"}, colours.down);
    BindColour(store, {button, "ColorFocused"}, colours.focused);
}

// A system colour (negative) means nothing off Windows: the colour stays as it was.
void BindCalendarColour(TFormStorage& store, const char* name, ColorRef& field) {
    store.AddColour(
        {"MonthCalendar", "CalColors", name}, [&field] { return static_cast<ColourValue>(field); },
        [&field](ColourValue value) {
            if (value >= 0)
                field = static_cast<ColorRef>(value) & 0xFFFFFF;
        });
}

void BindCalendarColours(TFormStorage& store, CalendarColours& colours) {
    BindCalendarColour(store, "BackColor", colours.back);
    BindCalendarColour(store, "TextColor", colours.text);
    BindCalendarColour(store, "TitleBackColor", colours.title_back);
    BindCalendarColour(store, "TitleTextColor", colours.title_text);
    BindCalendarColour(store, "MonthBackColor", colours.month_back);
    BindCalendarColour(store, "TrailingTextColor", colours.trailing_text);
}

// The font as Windows keeps it: Height is the size in pixels at 96 dpi, negative.
void BindCalendarFont(TFormStorage& store, CalendarFont& font) {
    const auto name = [](const char* sub_property) {
        return PropertyName("LabelFontMonthTemp", "Font", sub_property);
    };
    store.AddInteger(
        name("Charset"), [] { return 0; }, [](std::int32_t) {});
    BindColour(store, name("Color"), font.colour);
    store.AddInteger(
        name("Height"), [&font] { return -(font.size * 96 + 36) / 72; },
        [&font](std::int32_t height) {
            if (height < 0)
                font.size = (-height * 72 + 48) / 96;  // the size, read next, wins when set
        });
    store.AddString(
        name("Name"), [&font] { return font.name; },
        [&font](const std::string& face) {
            if (!face.empty())
                font.name = face;
        });
    store.AddEnum(
        name("Pitch"), {"fpDefault", "fpVariable", "fpFixed"}, [&font] { return font.pitch; },
        [&font](int pitch) { font.pitch = pitch; });
    store.AddInteger(
        name("Size"), [&font] { return font.size; },
        [&font](std::int32_t size) {
            if (size > 0)
                font.size = size;
        });
    store.AddSet(
        name("Style"), {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"},
        [&font] {
            return std::uint32_t{font.bold} | std::uint32_t{font.italic} << 1 |
                   std::uint32_t{font.underline} << 2 | std::uint32_t{font.strike_out} << 3;
        },
        [&font](std::uint32_t style) {
            font.bold = style & 1;
            font.italic = style & 2;
            font.underline = style & 4;
            font.strike_out = style & 8;
        });
}

void BindCalendarPage(TFormStorage& store, Options& options) {
    Bind(store, {"CkbCalendar", "Checked"}, options.calendar);
    Bind(store, {"LabelFontMonth", "Caption"}, options.font_description);
    BindCalendarFont(store, options.font);
    BindCalendarColours(store, options.calendar_colours);
    BindButton(store, "ColorBg", options.colour_bg);
    BindButton(store, "ColorWeekdays", options.colour_weekdays);
    BindButton(store, "ColorMonthYear", options.colour_month_year);
    BindButton(store, "ColorThisMonth", options.colour_this_month);
    BindButton(store, "ColorOtherMonth", options.colour_other_month);
    BindButton(store, "DiaBackColor", options.slideshow_back);
    BindButton(store, "ColorBS", options.screen_saver_back);
    // The calendar's controls are enabled as the switch says; each keeps its own entry.
    for (const char* control : {"ColorBg", "ColorMonthYear", "ColorOtherMonth", "ColorThisMonth",
                                "ColorWeekdays", "MonthCalendar"})
        Bind(store, {control, "Enabled"}, options.calendar_controls_enabled);
}

// Stored values are text, written as they are and read back untrimmed.
void BindValue(TFormStorage& store, const char* name, std::string& field) {
    store.AddValue(
        name, [&field] { return field; }, [&field](const std::string& text) { field = text; });
}

std::int32_t ProfileInteger(const std::string& text) {
    return ParseProfileInteger(text).value_or(0);
}

}  // namespace

TFormStorage OptionsStore(const std::string& settings_file) {
    TFormStorage store(ProfileTarget(settings_file, std::string(kOptionsSection)));
    store.SetVersion(kOptionsVersion);
    return store;
}

TFormStorage WallpaperStore(const std::string& settings_file) {
    TFormStorage store(ProfileTarget(settings_file, std::string(kWallpaperSection)));
    store.SetVersion(kWallpaperVersion);
    return store;
}

TFormStorage CalendarKeyStore(Registry& registry) {
    TFormStorage store(RegistryTarget(registry, RegistryRoot::CurrentUser,
                                      std::string(kSettingsKey), std::string(kCalendarSubkey)));
    store.SetVersion(kCalendarVersion);
    return store;
}

void BindOptions(TFormStorage& store, Options& options) {
    Bind(store, {"TransTimer", "Enabled"}, options.timers.trans_timer_enabled);
    Bind(store, {"WallTimer", "Enabled"}, options.timers.wall_timer_enabled);
    Bind(store, {"WallTimer", "Interval"}, options.timers.wall_timer_interval_ms);
    Bind(store, {"CkbAutostart", "Checked"}, options.autostart);
    Bind(store, {"CbkChangeWP", "Checked"}, options.autostart_changes_wallpaper);
    Bind(store, {"TransCheckB", "Checked"}, options.trans_check);
    Bind(store, {"CkbSortImages", "Checked"}, options.sort_pictures);
    Bind(store, {"CbWallProps", "ItemIndex"}, options.wall_props);
    Bind(store, {"WPSound", "Text"}, options.change_sound);
    BindCalendarPage(store, options);
    Bind(store, {"CkbAutoChange", "Checked"}, options.auto_change);
    Bind(store, {"SpinEdit", "Value"}, options.change_seconds);
    Bind(store, {"SpinDiaIntervall", "Value"}, options.slideshow_seconds);
    Bind(store, {"CkbScreenSaver", "Checked"}, options.screen_saver);
    store.AddInteger(
        {"CkbScreenSaver", "Tag"}, [&options] { return options.screen_saver_installed ? 1 : 0; },
        [&options](std::int32_t tag) { options.screen_saver_installed = tag == 1; });
    Bind(store, {"SpinBS", "Value"}, options.screen_saver_seconds);
    Bind(store, {"CkbPicturePerScreen", "Checked"}, options.picture_per_screen);
}

void BindCalendarKey(TFormStorage& store, Options& options) {
    BindCalendarColours(store, options.calendar_colours);
    BindCalendarFont(store, options.font);
    Bind(store, {"CkbCalendar", "Checked"}, options.calendar);
    Bind(store, {"CbWallProps", "ItemIndex"}, options.wall_props);
}

void BindMainWindowValues(TFormStorage& store, MainWindowValues& values) {
    Bind(store, {"OvlMediaP", "FileName"}, values.change_sound);
    store.AddValue(
        "LVSort", [&values] { return BoolToStoredText(values.sort_pictures); },
        [&values](const std::string& text) { values.sort_pictures = ProfileInteger(text) != 0; });
    store.AddValue(
        "CalActivated", [&values] { return std::string(values.calendar ? "1" : "0"); },
        [&values](const std::string& text) { values.calendar = ProfileInteger(text) == 1; });
    BindValue(store, "Weekstart", values.weekstart);
    BindValue(store, "WeekstartNr", values.weekstart_nr);
    store.AddValue(
        "WallProps",
        [&values] { return IntToStoredText(static_cast<std::int32_t>(values.wall_props)); },
        [&values](const std::string& text) {
            values.wall_props = static_cast<WallProps>(ProfileInteger(text));
        });
    BindValue(store, "OldScrSaver", values.old_scr_saver);
}

std::string CenterImageText(WallProps wall_props) {
    return wall_props == WallProps::Centre ? "true" : "false";
}

}  // namespace orvella
