#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <string>

#include "engine_fixture.h"
#include "platform/files/files.h"
#include "platform/text.h"
#include "settings/settings_places.h"
#include "support/scoped_env.h"
#include "wallpaper/calendar_clock.h"
#include "wallpaper/calendar_wallpaper.h"
#include "wallpaper/desktop_control_page.h"
#include "wallpaper/desktop_control_redraw.h"
#include "wallpaper/desktop_control_settings.h"
#include "wallpaper/month_sheet.h"
#include "wallpaper/starfield_state.h"

namespace orvella::testing {
namespace {

class DesktopControlTest : public EngineFixture {
protected:
    void StartOn(const std::string& screen) {
        Start("xp", "stopped", {{"ORVELLA_SCREEN", screen}});
        wallpaper = std::make_unique<TCalendarWallpaper>(*platform);
        real = std::make_unique<TWallpaperEngine>(*platform, catalogue, prompter, settings, sound,
                                                  *wallpaper);
    }
    void WriteCalendarKey(std::vector<RegistryValue> values) {
        ASSERT_TRUE(
            platform->registry
                ->WriteValues(RegistryRoot::CurrentUser, CalendarKeyPath(), std::move(values))
                .ok());
    }

    std::unique_ptr<TCalendarWallpaper> wallpaper;
    std::unique_ptr<TWallpaperEngine> real;
};

TEST_F(DesktopControlTest, BothPagesAreReadBackAsTheyAreWritten) {
    StartOn("1280x1024");
    ASSERT_TRUE(platform->desktop_colours->SetBackground(MakeColorRef(58, 110, 165)).ok());
    ASSERT_TRUE(wallpaper->WriteCalendarPage(PagePath()).ok());
    Result<std::optional<DesktopControlPage>> calendar = ReadDesktopControlPage(PagePath());
    ASSERT_TRUE(calendar.ok()) << calendar.message();
    ASSERT_TRUE(calendar->has_value());
    EXPECT_EQ((*calendar)->kind, DesktopControlPageKind::Calendar);
    EXPECT_EQ((*calendar)->background, MakeColorRef(58, 110, 165));
    EXPECT_EQ((*calendar)->background_image, Prog("Orvella.jpg"));
    EXPECT_EQ((*calendar)->control_width, 1260);
    EXPECT_EQ((*calendar)->control_height, 1009);

    ASSERT_TRUE(wallpaper->WriteStarfieldPage(PagePath()).ok());
    Result<std::optional<DesktopControlPage>> starfield = ReadDesktopControlPage(PagePath());
    ASSERT_TRUE(starfield.ok()) << starfield.message();
    ASSERT_TRUE(starfield->has_value());
    EXPECT_EQ((*starfield)->kind, DesktopControlPageKind::Starfield);
    EXPECT_EQ((*starfield)->background, 0u);
    EXPECT_EQ((*starfield)->background_image, "");
    EXPECT_EQ((*starfield)->control_width, 1260);

    EXPECT_FALSE(ReadDesktopControlPage(dir.File("win/missing.htm")).ok());
}

TEST_F(DesktopControlTest, PagesOfTheUsersOwnAreNotOurs) {
    const std::string ours = "CLSID:" + std::string(kDesktopControlClassId);
    // Written by hand, in other letter cases and quotes: still ours.
    const std::optional<DesktopControlPage> by_hand = ParseDesktopControlPage(
        "<html><body bgcolor='#FF0000' background=\"/a b/p>q.jpg\"><OBJECT WIDTH=300 "
        "Height=\"200\" CLASSID=\"" +
        FoldCase(ours) + "\"></OBJECT></body></html>");
    ASSERT_TRUE(by_hand.has_value());
    EXPECT_EQ(by_hand->background, MakeColorRef(255, 0, 0));
    EXPECT_EQ(by_hand->background_image, "/a b/p>q.jpg");
    EXPECT_EQ(by_hand->control_width, 300);
    EXPECT_EQ(by_hand->control_height, 200);

    const std::string object = "<object width=\"10\" height=\"10\" classid=\"" + ours + "\">";
    for (const std::string& foreign : {
             std::string("<html><body><p>my page</p></body></html>"),
             "<body>" + std::string("<object width=\"10\" height=\"10\" classid=\"CLSID:0\">"),
             "<body><objects width=\"10\" height=\"10\" classid=\"" + ours + "\">",
             "<body><object width=\"0\" height=\"10\" classid=\"" + ours + "\">",
             "<body><object width=\"ten\" height=\"10\" classid=\"" + ours + "\">",
             "<body bgcolor=\"#000000\"><object width=\"10\" height=\"10\" classid=\"" + ours,
             object,  // no body
             std::string(""),
         }) {
        EXPECT_FALSE(ParseDesktopControlPage(foreign).has_value()) << foreign;
    }
    EXPECT_TRUE(ParseDesktopControlPage("<body>" + object).has_value());
}

TEST(MonthSheetTest, WeeksFollowTheIsoRulesAcrossYearEnds) {
    EXPECT_EQ(IsoWeek({2026, 12, 31}), 53);
    EXPECT_EQ(IsoWeek({2027, 1, 1}), 53);
    EXPECT_EQ(IsoWeek({2027, 1, 3}), 53);
    EXPECT_EQ(IsoWeek({2027, 1, 4}), 1);
    EXPECT_EQ(IsoWeek({2024, 12, 30}), 1);  // a Monday of the next year's first week
    EXPECT_EQ(IsoWeek({2023, 1, 1}), 52);
    EXPECT_EQ(IsoWeek({2026, 12, 9}), 50);

    // January 2027 begins on a Friday, in week 53 of 2026.
    const MonthSheet january = MakeMonthSheet({2027, 1, 15});
    EXPECT_EQ(january.weeks[0].iso_week, 53);
    EXPECT_EQ(january.weeks[0].days[0].date, (CivilDate{2026, 12, 28}));
    EXPECT_FALSE(january.weeks[0].days[3].in_month);
    EXPECT_EQ(january.weeks[0].days[4].date, (CivilDate{2027, 1, 1}));
    EXPECT_TRUE(january.weeks[0].days[4].in_month);
    EXPECT_EQ(january.weeks[1].iso_week, 1);
    EXPECT_EQ(january.weeks[5].days[6].date, (CivilDate{2027, 2, 7}));
    int todays = 0;
    for (const MonthSheetWeek& week : january.weeks) {
        for (const MonthSheetDay& day : week.days)
            todays += day.today ? 1 : 0;
    }
    EXPECT_EQ(todays, 1);
    EXPECT_TRUE(january.weeks[2].days[4].today);
}

TEST(MonthSheetTest, LeapFebruaryAndAMonthOfSixRows) {
    const MonthSheet leap = MakeMonthSheet({2024, 2, 1});
    EXPECT_EQ(leap.weeks[4].days[3].date, (CivilDate{2024, 2, 29}));
    EXPECT_TRUE(leap.weeks[4].days[3].in_month);
    EXPECT_EQ(leap.weeks[4].days[4].date, (CivilDate{2024, 3, 1}));
    EXPECT_FALSE(leap.weeks[4].days[4].in_month);
    const MonthSheet plain = MakeMonthSheet({2023, 2, 1});
    EXPECT_EQ(plain.weeks[4].days[1].date, (CivilDate{2023, 2, 28}));
    EXPECT_EQ(plain.weeks[4].days[2].date, (CivilDate{2023, 3, 1}));

    // March 2026 starts on a Sunday and ends on a Tuesday: all six rows hold its days.
    const MonthSheet march = MakeMonthSheet({2026, 3, 31});
    EXPECT_EQ(march.weeks[0].days[6].date, (CivilDate{2026, 3, 1}));
    EXPECT_TRUE(march.weeks[0].days[6].in_month);
    EXPECT_FALSE(march.weeks[0].days[5].in_month);
    EXPECT_EQ(march.weeks[5].days[1].date, (CivilDate{2026, 3, 31}));
    EXPECT_TRUE(march.weeks[5].days[1].today);
    EXPECT_FALSE(march.weeks[5].days[2].in_month);

    // A month starting on a Monday starts in the first column.
    EXPECT_EQ(MakeMonthSheet({2027, 2, 10}).weeks[0].days[0].date, (CivilDate{2027, 2, 1}));

    EXPECT_EQ(GermanMonthName(3), "März");
    EXPECT_EQ(GermanMonthName(12), "Dezember");
    EXPECT_EQ(GermanWeekdayShort(0), "Mo");
    EXPECT_EQ(GermanWeekdayShort(6), "So");
    EXPECT_EQ(GermanMonthName(13), "");
}

// Seconds since 1970 of a UTC time.
std::int64_t Utc(int year, int month, int day, int hour, int minute = 0) {
    using namespace std::chrono;
    const sys_days days =
        year_month_day(std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                       std::chrono::day(static_cast<unsigned>(day)));
    return duration_cast<seconds>(days.time_since_epoch()).count() + hour * 3600 + minute * 60;
}

class BerlinTime : public ::testing::Test {
protected:
    void SetUp() override {
        if (!FileExists("/usr/share/zoneinfo/Europe/Berlin"))
            GTEST_SKIP() << "no time zone data (tzdata)";
        tzset();
    }
    void TearDown() override {
        tz_.reset();
        tzset();
    }

private:
    std::unique_ptr<ScopedEnv> tz_ = std::make_unique<ScopedEnv>("TZ", "Europe/Berlin");
};

TEST_F(BerlinTime, TheNextMidnightIsTheLocalOneOnDaysOfTheClockChange) {
    // An ordinary winter day: midnight at 23:00 UTC.
    EXPECT_EQ(NextLocalMidnight(Utc(2026, 12, 9, 10)), Utc(2026, 12, 9, 23));
    // The night before the spring change is still in winter time.
    EXPECT_EQ(NextLocalMidnight(Utc(2026, 3, 28, 11)), Utc(2026, 3, 28, 23));
    // 29 March 2026 has 23 hours; its midnight is in summer time.
    EXPECT_EQ(NextLocalMidnight(Utc(2026, 3, 28, 23)), Utc(2026, 3, 29, 22));
    // 25 October 2026 has 25 hours: an hour after the change is still the same day.
    EXPECT_EQ(NextLocalMidnight(Utc(2026, 10, 25, 1, 30)), Utc(2026, 10, 25, 23));
    EXPECT_EQ(NextLocalMidnight(Utc(2026, 10, 24, 22)) - Utc(2026, 10, 24, 22), 25 * 3600);
    // At midnight itself the next one is a day away.
    EXPECT_EQ(NextLocalMidnight(Utc(2026, 12, 9, 23)), Utc(2026, 12, 10, 23));

    EXPECT_EQ(LocalDate(Utc(2026, 12, 31, 23, 30)), (CivilDate{2027, 1, 1}));
    EXPECT_EQ(LocalDate(Utc(2026, 12, 31, 22, 59)), (CivilDate{2026, 12, 31}));

    HostClock fixed(Utc(2026, 12, 31, 22, 59));
    CalendarClock clock(fixed);
    EXPECT_EQ(LocalDate(clock.Now()), (CivilDate{2026, 12, 31}));
    clock.NotBefore(NextLocalMidnight(fixed.Now()));
    EXPECT_EQ(LocalDate(clock.Now()), (CivilDate{2027, 1, 1}));
    clock.NotBefore(0);  // never back
    EXPECT_EQ(LocalDate(clock.Now()), (CivilDate{2027, 1, 1}));
}

TEST_F(DesktopControlTest, TheCalendarKeyIsReadAsTheOptionsWriteIt) {
    StartOn("1024x768");
    const DesktopControlSettings defaults = ReadDesktopControlSettings(*platform->registry);
    EXPECT_EQ(defaults.colours.back, 16777215u);
    EXPECT_EQ(defaults.colours.title_back, 33023u);
    EXPECT_EQ(defaults.colours.trailing_text, 12632256u);
    EXPECT_EQ(defaults.font.name, "Comic Sans MS");
    EXPECT_EQ(defaults.font.size, 10);
    EXPECT_FALSE(defaults.centre_image);
    EXPECT_FALSE(defaults.starfield_on);

    WriteCalendarKey({
        RegistryValue::String("MonthCalendar_CalColorsBackColor", " 255 "),
        RegistryValue::String("MonthCalendar_CalColorsTextColor", "65280"),
        RegistryValue::String("MonthCalendar_CalColorsTitleBackColor", "-16777211"),
        RegistryValue::String("MonthCalendar_CalColorsTitleTextColor", "16711680"),
        RegistryValue::String("MonthCalendar_CalColorsMonthBackColor", "8421504"),
        RegistryValue::String("MonthCalendar_CalColorsTrailingTextColor", "4210752"),
        RegistryValue::String("LabelFontMonthTemp_FontName", "DejaVu Serif"),
        RegistryValue::String("LabelFontMonthTemp_FontSize", "14"),
        RegistryValue::String("LabelFontMonthTemp_FontStyle", "[fsBold,fsItalic]"),
        RegistryValue::String("CenterImg_Checked", "true"),
        RegistryValue::String("WallpaperPath_Caption", "/pictures/"),
        RegistryValue::String("FormVersion", "0"),
    });
    ASSERT_TRUE(StoreStarfieldState(*platform->registry, "Advanced", "true").ok());
    const DesktopControlSettings read = ReadDesktopControlSettings(*platform->registry);
    EXPECT_EQ(read.colours.back, 255u);
    EXPECT_EQ(read.colours.text, 65280u);
    EXPECT_EQ(read.colours.title_back, 33023u);  // a system colour keeps the default
    EXPECT_EQ(read.colours.title_text, 16711680u);
    EXPECT_EQ(read.colours.month_back, 8421504u);
    EXPECT_EQ(read.colours.trailing_text, 4210752u);
    EXPECT_EQ(read.font.name, "DejaVu Serif");
    EXPECT_EQ(read.font.size, 14);
    EXPECT_TRUE(read.font.bold);
    EXPECT_TRUE(read.font.italic);
    EXPECT_FALSE(read.font.underline);
    EXPECT_TRUE(read.centre_image);
    EXPECT_EQ(read.wallpaper_path, "/pictures/");
    EXPECT_TRUE(read.starfield_on);
    EXPECT_EQ(read.starfield_type, "Advanced");

    // Without a size the height in pixels says it; an absurd size is brought into range.
    WriteCalendarKey({RegistryValue::String("LabelFontMonthTemp_FontSize", "0"),
                      RegistryValue::String("LabelFontMonthTemp_FontHeight", "-16")});
    EXPECT_EQ(ReadDesktopControlSettings(*platform->registry).font.size, 12);
    WriteCalendarKey({RegistryValue::String("LabelFontMonthTemp_FontSize", "5000")});
    EXPECT_EQ(ReadDesktopControlSettings(*platform->registry).font.size, 96);
}

TEST_F(DesktopControlTest, OnlyOurPageOnShowIsDrawnAgain) {
    StartOn("1024x768");
    EXPECT_FALSE(IsDesktopControlPageCurrent(*platform->registry, PagePath()));
    ASSERT_TRUE(real->SetStarfieldWallpaper("Advanced").ok());
    const std::optional<DesktopControlPage> shown =
        CurrentDesktopControlPage(*platform->registry, PagePath());
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->kind, DesktopControlPageKind::Starfield);
    ASSERT_EQ(Recorded().size(), 1u);
    ASSERT_TRUE(RedrawDesktopControl(*platform->desktop, *platform->registry, PagePath()).ok());
    ASSERT_EQ(Recorded().size(), 2u);
    EXPECT_EQ(Recorded()[1], Recorded()[0]);  // the same page in the same style
    // A new day changes nothing on the starfield; the calendar is drawn again.
    ASSERT_TRUE(
        RedrawDesktopControl(*platform->desktop, *platform->registry, PagePath(), RedrawFor::NewDay)
            .ok());
    EXPECT_EQ(Recorded().size(), 2u);
    ASSERT_TRUE(wallpaper->WriteCalendarPage(PagePath()).ok());
    ASSERT_TRUE(
        RedrawDesktopControl(*platform->desktop, *platform->registry, PagePath(), RedrawFor::NewDay)
            .ok());
    EXPECT_EQ(Recorded().size(), 3u);

    // A page of the user's own at that path, or another wallpaper, is left alone.
    dir.Write("win/Orvella.htm", "<html><body>mine</body></html>");
    EXPECT_FALSE(IsDesktopControlPageCurrent(*platform->registry, PagePath()));
    ASSERT_TRUE(real->SetStarfieldWallpaper("Simple").ok());
    ASSERT_TRUE(real->ApplyWallpaper(Picture("other.bmp")).ok());
    EXPECT_FALSE(IsDesktopControlPageCurrent(*platform->registry, PagePath()));
    const std::size_t before = Recorded().size();
    ASSERT_TRUE(RedrawDesktopControl(*platform->desktop, *platform->registry, PagePath()).ok());
    EXPECT_EQ(Recorded().size(), before);
}

}  // namespace
}  // namespace orvella::testing
