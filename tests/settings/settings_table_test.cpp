#include "settings/settings_table.h"

#include <gtest/gtest.h>

#include "platform/desktop/desktop.h"
#include "platform/files/files.h"
#include "platform/profile/profile_document.h"
#include "platform/registry/registry_file.h"
#include "settings/options_commit.h"
#include "settings/screen_saver.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::TempDir;

// Every field away from its default, so an entry bound to the wrong field shows.
Options ChangedOptions() {
    Options o;
    o.timers = {true, 20000, true};
    o.autostart = o.autostart_changes_wallpaper = o.trans_check = o.sort_pictures = true;
    o.wall_props = WallProps::Stretch;
    o.change_sound = "/klang.wav";
    o.calendar = true;
    o.font_description = "Arial, 12, Bold";
    o.font = {"Arial", 12, 255, 2, true, false, true, false};
    o.calendar_colours = {1, 2, 3, 4, 5, 6};
    o.colour_bg = {7, 8, 9};
    o.colour_weekdays = {10, 11, 12};
    o.colour_month_year = {13, 14, 15};
    o.colour_this_month = {16, 17, 18};
    o.colour_other_month = {19, 20, 21};
    o.slideshow_back = {22, 23, 24};
    o.screen_saver_back = {25, 26, 27};
    o.calendar_controls_enabled = false;
    o.auto_change = o.screen_saver = o.screen_saver_installed = true;
    o.change_seconds = 90;
    o.slideshow_seconds = 7;
    o.screen_saver_seconds = 12;
    return o;
}

TEST(SettingsTableTest, EverySettingComesBackFromItsStoreInItsStoredForm) {
    TempDir dir;
    RegistryFile registry(dir.File("registry.reg"));
    Options saved = ChangedOptions();
    TFormStorage options = OptionsStore(dir.File("ovl.dat"));
    BindOptions(options, saved);
    ASSERT_TRUE(options.Save());
    TFormStorage calendar = CalendarKeyStore(registry);
    BindCalendarKey(calendar, saved);
    ASSERT_TRUE(calendar.Save());

    Options read;
    TFormStorage options_again = OptionsStore(dir.File("ovl.dat"));
    BindOptions(options_again, read);
    ASSERT_TRUE(options_again.Restore());
    EXPECT_EQ(read, saved);
    Options from_calendar;
    TFormStorage calendar_again = CalendarKeyStore(registry);
    BindCalendarKey(calendar_again, from_calendar);
    ASSERT_TRUE(calendar_again.Restore());
    EXPECT_EQ(from_calendar.calendar_colours, saved.calendar_colours);
    EXPECT_EQ(from_calendar.font, saved.font);
    EXPECT_EQ(from_calendar.wall_props, WallProps::Stretch);

    const ProfileDocument file = ProfileDocument::Parse(dir.Read("ovl.dat"));
    EXPECT_EQ(file.Value("Options", "FormVersion"), "1");
    EXPECT_EQ(file.Value("Options", "CkbScreenSaver_Tag"), "1");
    EXPECT_EQ(file.Value("Options", "CbWallProps_ItemIndex"), "2");
    EXPECT_EQ(file.Value("Options", "LabelFontMonthTemp_FontStyle"), "[fsBold,fsUnderline]");
    EXPECT_EQ(file.Value("Options", "LabelFontMonthTemp_FontHeight"), "-16");
    EXPECT_EQ(file.Value("Options", "LabelFontMonthTemp_FontPitch"), "fpFixed");

    // The main window's values: a flag as "-1", the calendar as 1, anything else off.
    MainWindowValues values{true, true, "3", "4", WallProps::Tile, "/old.scr", "/gong.wav"};
    TFormStorage wallpaper = WallpaperStore(dir.File("ovl.dat"));
    BindMainWindowValues(wallpaper, values);
    ASSERT_TRUE(wallpaper.Save());
    const ProfileDocument again = ProfileDocument::Parse(dir.Read("ovl.dat"));
    EXPECT_EQ(again.Value("Wallpaper", "LVSort"), "-1");
    EXPECT_EQ(again.Value("Wallpaper", "CalActivated"), "1");
    EXPECT_EQ(again.Value("Wallpaper", "WallProps"), "1");
    EXPECT_EQ(again.Value("Wallpaper", "OvlMediaP_FileName"), "/gong.wav");
    EXPECT_EQ(again.KeyNames("Wallpaper"),
              (std::vector<std::string>{"OvlMediaP_FileName", "LVSort", "CalActivated", "Weekstart",
                                        "WeekstartNr", "WallProps", "OldScrSaver", "FormVersion"}));
    MainWindowValues read_values;
    TFormStorage wallpaper_again = WallpaperStore(dir.File("ovl.dat"));
    BindMainWindowValues(wallpaper_again, read_values);
    ASSERT_TRUE(wallpaper_again.Restore());
    EXPECT_EQ(read_values, values);
    ASSERT_TRUE(wallpaper_again.SetValue("CalActivated", "2"));
    EXPECT_FALSE(read_values.calendar);
}

class FailingMainWindow : public MainWindowSettings {
public:
    const MainWindowValues& Values() const override { return values; }
    Status SetValues(const MainWindowValues& set) override {
        values = set;
        return Status::Error("ovl.dat: read-only");
    }
    void SetChangeSound(std::string file) override { values.change_sound = std::move(file); }
    MainWindowValues values;
};

class RecordingTimers : public OptionTimers {
public:
    void Apply(const TimerOptions& options) override { applied = options; }
    bool TransTimerRunning() const override { return applied.trans_timer_enabled; }
    TimerOptions applied;
};

TEST(CommitOptionsTest, AFailingStepIsToldWithTheOthersAndStopsNone) {
    TempDir dir;
    RegistryFile registry(dir.File("registry.reg"));
    RegistryDesktopColours colours(registry, nullptr);
    HostDesktop desktop(registry, colours, {});
    ASSERT_TRUE(EnsureDirectory(dir.File("windows")));
    ScreenSaverSetting screen_saver(registry, desktop, *WindowsVersion::FromName("xp"),
                                    dir.File("windows"));
    FailingMainWindow main_window;
    RecordingTimers timers;
    dir.Write("config", "a file where the autostart folder should be");
    OptionsCommitServices services{registry,          colours,
                                   screen_saver,      timers,
                                   main_window,       "/opt/orvella",
                                   dir.File("prog/"), dir.File("config/autostart/orvella.desktop")};
    const Options before;
    Options after = before;
    after.autostart = true;
    after.screen_saver = true;  // but no category chosen
    after.auto_change = true;
    after.change_seconds = 9'999'999;  // the longest: past 32 bits in ms
    after.sort_pictures = true;
    after.desktop_colour = MakeColorRef(1, 2, 3);

    const Status committed = CommitOptions(before, after, std::nullopt, services);
    ASSERT_FALSE(committed.ok());
    EXPECT_NE(committed.message().find("config"), std::string::npos);
    EXPECT_NE(committed.message().find("\novl.dat: read-only"), std::string::npos);
    EXPECT_EQ(colours.Background(), MakeColorRef(1, 2, 3));
    EXPECT_TRUE(timers.applied.WallTimerRuns());
    EXPECT_EQ(timers.applied.wall_timer_interval_ms, 9'999'999'000);
    EXPECT_TRUE(main_window.values.sort_pictures);
    EXPECT_FALSE(after.screen_saver_installed);
    EXPECT_TRUE(after.screen_saver);
    EXPECT_EQ(screen_saver.GetScreenSaverPath(), "");
}

}  // namespace
}  // namespace orvella
