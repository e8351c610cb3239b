#pragma once

#include <cstdint>
#include <string>

#include "platform/desktop/desktop_colour.h"
#include "settings/property_entry.h"

namespace orvella {

// How a picture fills the desktop; stored as its number.
enum class WallProps : std::int32_t {
    Centre = 0,   // "Hintergrundbild zentrieren"
    Tile = 1,     // "Hintergrundbild nebeneinander"
    Stretch = 2,  // "Hintergrundbild strecken"
};

// The six colours of the month calendar, Windows colour values (0x00BBGGRR).
struct CalendarColours {
    ColorRef back = 16777215;           // BackColor: the panel around the month
    ColorRef text = 0;                  // TextColor: the days of the month
    ColorRef title_back = 33023;        // TitleBackColor: title band, weekdays, week numbers
    ColorRef title_text = 8388608;      // TitleTextColor: month and year
    ColorRef month_back = 16777215;     // MonthBackColor: behind the days
    ColorRef trailing_text = 12632256;  // TrailingTextColor: days of the months around
    bool operator==(const CalendarColours&) const = default;
};

// The calendar's font.
struct CalendarFont {
    std::string name = "Comic Sans MS";
    int size = 10;                 // points
    ColourValue colour = 8388608;  // navy
    int pitch = 0;                 // 0 fpDefault, 1 fpVariable, 2 fpFixed
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike_out = false;
    bool operator==(const CalendarFont&) const = default;
};

// A colour button's three colours: shown, pressed and focused.
struct ButtonColours {
    ColourValue color = 0;
    ColourValue down = 0;
    ColourValue focused = 0;
    static constexpr ButtonColours All(ColorRef colour) {
        const auto value = static_cast<ColourValue>(colour);
        return {value, value, value};
    }
    bool operator==(const ButtonColours&) const = default;
};

// The timed change's interval unless the user chose another.
inline constexpr int kDefaultChangeSeconds = 60;

// The engine's two timers. The transparency check has a fixed period; the timed change
// runs every `wall_timer_interval_ms`.
struct TimerOptions {
    bool wall_timer_enabled = false;
    // 64 bits: the longest interval, 9 999 999 s, is past what 32 bits of ms hold.
    std::int64_t wall_timer_interval_ms = kDefaultChangeSeconds * 1000;
    bool trans_timer_enabled = false;

    // A window-message timer with interval 0 never fires; a Qt timer would fire at once
    // and for ever, so the GUI starts one only when this is true.
    bool WallTimerRuns() const { return wall_timer_enabled && wall_timer_interval_ms > 0; }
    bool operator==(const TimerOptions&) const = default;
};

// Everything the options dialog edits: what "[Options]" of "ovl.dat" and the calendar key
// keep, and the desktop colour, which only the system keeps. The defaults are those of a
// first run.
struct Options {
    TimerOptions timers;
    bool autostart = false;
    bool autostart_changes_wallpaper = false;  // "-wall" at autostart
    bool trans_check = false;                  // the box; the timer runs as `timers` says
    bool sort_pictures = false;
    WallProps wall_props = WallProps::Centre;
    std::string change_sound;  // the WAVE file played at each change, as typed
    bool calendar = false;
    bool picture_per_screen = false;  // a random change gives each monitor its own picture
    // The built-in text has two blanks where a chosen font's description has one.
    std::string font_description =
        CalendarFont{}.name + ",  " + std::to_string(CalendarFont{}.size);
    CalendarFont font;
    CalendarColours calendar_colours;
    // The calendar page's buttons show the colour each drives.
    ButtonColours colour_bg = ButtonColours::All(CalendarColours{}.month_back);
    ButtonColours colour_weekdays = ButtonColours::All(CalendarColours{}.title_back);
    ButtonColours colour_month_year = ButtonColours::All(CalendarColours{}.title_text);
    ButtonColours colour_this_month = ButtonColours::All(CalendarColours{}.text);
    ButtonColours colour_other_month = ButtonColours::All(CalendarColours{}.trailing_text);
    bool calendar_controls_enabled = true;
    bool auto_change = false;
    int change_seconds = kDefaultChangeSeconds;
    int slideshow_seconds = 10;
    ButtonColours slideshow_back;         // black
    bool screen_saver = false;            // the program's screen saver wanted
    bool screen_saver_installed = false;  // and put in place by the program
    int screen_saver_seconds = 30;
    ButtonColours screen_saver_back;  // black
    // Not stored by the program: the system keeps it.
    ColorRef desktop_colour = 0;

    bool operator==(const Options&) const = default;
};

// What the main window keeps in "[Wallpaper]" of "ovl.dat" for the rest of the program.
struct MainWindowValues {
    bool sort_pictures = false;   // LVSort
    bool calendar = false;        // CalActivated
    std::string weekstart = "0";  // kept as stored, never used
    std::string weekstart_nr = "0";
    WallProps wall_props = WallProps::Centre;
    std::string old_scr_saver;  // the screen saver before the program installed its own
    std::string change_sound;   // the file played at each change; empty: none
    // In force for the random change; "[Options]" keeps it, not "[Wallpaper]".
    bool picture_per_screen = false;
    bool operator==(const MainWindowValues&) const = default;
};

}  // namespace orvella
