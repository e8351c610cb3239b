#include "gui/wallpaper_wiring.h"

#include <gtest/gtest.h>

#include <fstream>

#include "codecs/codec_picture_loader.h"
#include "library/category_store.h"
#include "platform/host_platform.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"
#include "support/bitmap_file.h"
#include "support/temp_dir.h"
#include "wallpaper/calendar_preparation.h"
#include "wallpaper/change_sound.h"

namespace orvella {
namespace {

class NoSound : public ChangeSound {
public:
    Status Play(const std::string& path) override { return Status::Error(path + ": kein Klang"); }
};

// A user looking at an error box while the timer keeps firing behind it.
class TickingPrompter : public Prompter {
public:
    std::function<void()> while_open;
    std::vector<std::string> shown;
    MessageResult ShowMessage(const std::string& text, const std::string&, MessageStyle) override {
        shown.push_back(text);
        if (while_open)
            while_open();
        return MessageResult::Ok;
    }
};

int Lines(const std::string& path) {
    std::ifstream in(path);
    int lines = 0;
    for (std::string line; std::getline(in, line);)
        ++lines;
    return lines;
}

TEST(WallpaperTimersTest, TicksChangeTheWallpaperAndAFailureShowsOneBoxAtATime) {
    testing::TempDir dir;
    MapEnvironment environment;
    environment.Set("ORVELLA_PROGRAM_DIR", dir.File("prog/"));
    environment.Set("ORVELLA_REGISTRY", dir.File("hive.reg"));
    environment.Set("ORVELLA_WINDOWS_DIR", dir.File("windows"));
    environment.Set("ORVELLA_DESKTOP", "record:" + dir.File("changes.jsonl"));
    environment.Set("ORVELLA_SCREENSAVER", "stopped");
    Result<Platform> platform = CreateHostPlatform(environment, dir.File("prog/orvella"),
                                                   std::make_shared<CodecPictureLoader>());
    ASSERT_TRUE(platform) << platform.message();

    const MessageCatalogue catalogue;
    TickingPrompter prompter;
    SettingsFromSource settings;
    settings.SetSource([&] {
        return WallpaperSettings{WallProps::Centre, false, dir.File("missing.wav")};
    });
    NoSound sound;
    UnavailableCalendarPreparation calendar;
    TWallpaperEngine engine(*platform, catalogue, prompter, settings, sound, calendar);
    TIconTransparency icons(*platform->desktop_windows, settings);
    EngineCommands commands(engine, icons, prompter, catalogue);
    QtScheduler scheduler;
    TTimedChange change(engine, icons, scheduler);

    TCategoryStore store(dir.File("prog/ovlimg.dat"), "icon.bmp", catalogue);
    ASSERT_TRUE(store.LoadCategories().ok());
    ASSERT_TRUE(store.CreateCategory(1, "icon.bmp", "Eins"));
    dir.Write("a.bmp", testing::MakeBitmap24(4, 4, [](int, int) { return 0x123456u; }));
    store.AddPicture(1, dir.File("a.bmp"), true);
    store.SetCurrentCategory(1);
    WallpaperTimers timers(change, icons, commands, [&] { return &store; });

    // The sound fails: the box shows once, and a tick while it is open does nothing.
    prompter.while_open = [&] { timers.WallTimerTimer(); };
    timers.WallTimerTimer();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.shown[0].find("kein Klang"), std::string::npos);
    EXPECT_EQ(Lines(dir.File("changes.jsonl")), 1);  // the wallpaper changed all the same

    prompter.while_open = {};
    timers.WallTimerTimer();
    EXPECT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(Lines(dir.File("changes.jsonl")), 2);

    // The stored options decide which timers run; an interval of 0 never starts one.
    timers.Apply(TimerOptions{true, 15000, true});
    EXPECT_TRUE(timers.WallTimer().IsActive());
    EXPECT_EQ(timers.WallTimer().interval(), std::chrono::milliseconds(15000));
    EXPECT_TRUE(timers.TransTimer().isActive());
    EXPECT_EQ(timers.TransTimer().interval(), 4000);
    // The longest interval, 9 999 999 s, is past 32 bits of ms and still runs its whole length.
    timers.Apply(TimerOptions{true, 9'999'999'000, true});
    EXPECT_TRUE(timers.WallTimer().IsActive());
    EXPECT_GT(timers.WallTimer().Remaining(), std::chrono::milliseconds(9'999'990'000));
    timers.Apply(TimerOptions{true, 0, false});
    EXPECT_FALSE(timers.WallTimer().IsActive());
    EXPECT_FALSE(timers.TransTimer().isActive());
}

}  // namespace
}  // namespace orvella
