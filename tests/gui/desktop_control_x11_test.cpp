#include <gtest/gtest.h>

#include <cstdlib>

#include "codecs/codec_picture_loader.h"
#include "gui/desktop_control_host.h"
#include "gui/desktop_control_painter.h"
#include "gui/desktop_control_timers.h"
#include "gui/starfield_animation.h"
#include "platform/host_platform.h"
#include "platform/system/process.h"
#include "settings/settings_places.h"
#include "shell/message_catalogue.h"
#include "support/bitmap_file.h"
#include "support/scoped_env.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/x11_server.h"
#include "wallpaper/calendar_wallpaper.h"
#include "wallpaper/change_sound.h"
#include "wallpaper/desktop_control_settings.h"
#include "wallpaper/starfield_state.h"
#include "wallpaper/wallpaper_engine.h"
#include "wallpaper/wallpaper_settings.h"

namespace orvella {
namespace {

using testing::RootPixel;

class Silence : public ChangeSound {
public:
    Status Play(const std::string&) override { return Status::Ok(); }
};

bool Near(std::uint32_t seen, std::uint32_t wanted, int tolerance = 6) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((seen >> shift) & 0xFF) -
                     static_cast<int>((wanted >> shift) & 0xFF)) > tolerance)
            return false;
    }
    return true;
}

std::uint32_t Rgb(ColorRef colour) {
    return (RedOf(colour) << 16) | (GreenOf(colour) << 8) | BlueOf(colour);
}

// The whole road on an X11 session: the calendar wallpaper made from a picture, its page
// drawn by our control, the root window showing it; then the moving starfield.
TEST(DesktopControlX11Test, TheRootWindowShowsTheCalendarInItsColoursAndThePictureAround) {
    Result<ProcessOutput> found = RunProcess({"sh", "-c", "command -v Xvfb"});
    if (!found || found->exit_code != 0)
        GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps.sh installs it)";
    testing::Xvfb server(640, 480);
    ASSERT_FALSE(server.display().empty()) << "Xvfb did not start";
    const std::string& d = server.display();
    testing::ScopedEnv display("DISPLAY", d);

    testing::TempDir dir;
    MapEnvironment environment;
    environment.Set("ORVELLA_PROGRAM_DIR", dir.File("prog/"));
    environment.Set("ORVELLA_REGISTRY", dir.File("hive.reg"));
    environment.Set("ORVELLA_WINDOWS_DIR", dir.File("windows"));
    environment.Set("ORVELLA_DESKTOP", "x11");
    environment.Set("ORVELLA_SCREEN", "640x480");
    environment.Set("ORVELLA_SCREENSAVER", "stopped");
    environment.Set("ORVELLA_TIME", "1796000000");
    DesktopControlHost host;
    HostHooks hooks;
    hooks.make_page_renderer = host.RendererMaker(nullptr);
    Result<Platform> made =
        CreateHostPlatform(environment, dir.File("prog/orvella"),
                           std::make_shared<CodecPictureLoader>(), std::move(hooks));
    ASSERT_TRUE(made.ok()) << made.message();
    Platform& platform = *made;

    const ColorRef back = MakeColorRef(250, 240, 10);
    const ColorRef title_back = MakeColorRef(200, 0, 0);
    const ColorRef month_back = MakeColorRef(225, 230, 255);
    ASSERT_TRUE(
        platform.registry
            ->WriteValues(
                RegistryRoot::CurrentUser, CalendarKeyPath(),
                {RegistryValue::String("MonthCalendar_CalColorsBackColor", std::to_string(back)),
                 RegistryValue::String("MonthCalendar_CalColorsTitleBackColor",
                                       std::to_string(title_back)),
                 RegistryValue::String("MonthCalendar_CalColorsMonthBackColor",
                                       std::to_string(month_back)),
                 RegistryValue::String("LabelFontMonthTemp_FontName", "DejaVu Sans")})
            .ok());

    const MessageCatalogue catalogue;
    testing::ScriptedPrompter prompter;
    TWallpaperSettings settings(WallpaperSettings{WallProps::Stretch, true, ""});
    Silence sound;
    TCalendarWallpaper calendar(platform);
    std::vector<std::string> warnings;
    TWallpaperEngine engine(platform, catalogue, prompter, settings, sound, calendar,
                            [&warnings](const Status& s) {
                                if (!s.ok())
                                    warnings.push_back(s.message());
                            });
    dir.Write("photo.bmp",
              testing::MakeBitmap24(32, 24, [](int, int) -> std::uint32_t { return 0x1E78C8; }));
    ASSERT_TRUE(engine.ApplyWallpaper(dir.File("photo.bmp")).ok());
    EXPECT_TRUE(warnings.empty()) << warnings.front();
    host.Start(platform, engine.CalendarPagePath(),
               [&warnings](const Status& s) { warnings.push_back(s.message()); });
    EXPECT_TRUE(warnings.empty()) << warnings.front();

    // Where the control puts the calendar on this screen.
    Result<std::optional<DesktopControlPage>> page =
        ReadDesktopControlPage(engine.CalendarPagePath());
    ASSERT_TRUE(page.ok() && page->has_value());
    DesktopControlScene scene;
    scene.page = **page;
    scene.settings = ReadDesktopControlSettings(*platform.registry);
    scene.today = LocalDate(1796000000);
    scene.screen = QSize(640, 480);
    const CalendarPlacement at = PlaceCalendar(scene);

    // The picture around the control's box and in it, the calendar's colours in the box.
    EXPECT_TRUE(Near(RootPixel(d, 4, 4), 0x1E78C8)) << std::hex << RootPixel(d, 4, 4);
    EXPECT_TRUE(Near(RootPixel(d, 30, 400), 0x1E78C8));
    EXPECT_TRUE(Near(RootPixel(d, at.panel.left() - 4, at.panel.center().y()), 0x1E78C8));
    EXPECT_EQ(RootPixel(d, at.panel.left() + 2, at.panel.center().y()), Rgb(back));
    EXPECT_EQ(RootPixel(d, at.title.left() + 2, at.title.top() + 2), Rgb(title_back));
    EXPECT_EQ(RootPixel(d, at.face.right() - 2, at.face.bottom() - 2), Rgb(month_back));

    // Colours confirmed in the options reach the desktop at once, the calendar still on show.
    const ColorRef new_back = MakeColorRef(10, 120, 60);
    ASSERT_TRUE(platform.registry
                    ->WriteValues(RegistryRoot::CurrentUser, CalendarKeyPath(),
                                  {RegistryValue::String("MonthCalendar_CalColorsBackColor",
                                                         std::to_string(new_back))})
                    .ok());
    EXPECT_EQ(RootPixel(d, at.panel.left() + 2, at.panel.center().y()), Rgb(back));
    ASSERT_TRUE(host.RedrawCalendar().ok());
    EXPECT_EQ(RootPixel(d, at.panel.left() + 2, at.panel.center().y()), Rgb(new_back));
    EXPECT_TRUE(Near(RootPixel(d, 4, 4), 0x1E78C8));

    // "Bewegt" moves on X11: each frame reaches the root window; "Einfach" stands still.
    TStarfieldAnimation& animation = *host.animation();
    ASSERT_TRUE(engine.SetStarfieldWallpaper("Advanced").ok());
    EXPECT_EQ(RootPixel(d, 2, 2), 0u);
    ASSERT_TRUE(animation.Running());
    EXPECT_EQ(animation.FrameTimer().interval(), TStarfieldAnimation::kFrameMs);
    animation.FrameTimerTimer();
    animation.FrameTimerTimer();
    EXPECT_TRUE(animation.Running());
    EXPECT_EQ(animation.Frame(), 2);
    ASSERT_TRUE(host.RedrawCalendar().ok());  // a starfield is not started over
    EXPECT_EQ(animation.Frame(), 2);
    ASSERT_TRUE(engine.SetStarfieldWallpaper("Simple").ok());
    EXPECT_FALSE(animation.Running());

    // Another wallpaper ends the moving field at its next frame.
    ASSERT_TRUE(engine.SetStarfieldWallpaper("Advanced").ok());
    ASSERT_TRUE(animation.Running());
    settings.SetCalendar(false);
    ASSERT_TRUE(engine.ApplyWallpaper(dir.File("photo.bmp")).ok());
    animation.FrameTimerTimer();
    EXPECT_FALSE(animation.Running());
    EXPECT_TRUE(Near(RootPixel(d, 320, 240), 0x1E78C8));
    EXPECT_TRUE(warnings.empty()) << warnings.front();
}

}  // namespace
}  // namespace orvella
