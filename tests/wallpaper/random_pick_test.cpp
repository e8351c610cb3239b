#include "engine_fixture.h"
#include "library/category_store.h"
#include "platform/desktop/desktop_windows.h"
#include "platform/files/files.h"
#include "platform/profile/profile_file.h"
#include "wallpaper/icon_transparency.h"
#include "wallpaper/monitor_picks.h"
#include "wallpaper/runtime_random.h"
#include "wallpaper/timed_change.h"

namespace orvella {
namespace {

using testing::EngineFixture;

// The generator worked by hand from its definition. Seeding with s sets low = s * 22695477
// + 1 (mod 2^32), high = 0; a draw makes the state state * M + 1 with M = 346 * 2^32 +
// 20021, and the value is the new high word without its top bit. For a state below 2^32
// that high word is (low * 346 + floor(low * 20021 / 2^32)) mod 2^32.
TEST(RuntimeRandomTest, DrawsWhatTheRuntimeDraws) {
    RuntimeRandom random;
    // s = 0: low = 1; state * M + 1 = M + 1, whose high word is 346.
    random.Seed(0);
    EXPECT_EQ(random.state(), 1u);
    EXPECT_EQ(random.Next(), 346u);
    // s = 1: low = 22695478; 22695478 * 20021 = 454386165038 carries 105 into the high
    // word; 22695478 * 346 = 7852635388, which is 3557668092 mod 2^32; the sum 3557668197
    // (0xD40DB565) loses its top bit: 1410184549.
    random.Seed(1);
    EXPECT_EQ(random.state(), 22695478u);
    EXPECT_EQ(random.Next(), 1410184549u);
    // s = 1700000000: low = (1700000000 * 22695477 + 1) mod 2^32 = 1204741377; the carry
    // is 5615, 1204741377 * 346 mod 2^32 = 228688730; together 228694345 (top bit clear).
    random.Seed(1700000000);
    EXPECT_EQ(random.state(), 1204741377u);
    EXPECT_EQ(random.Next(), 228694345u);

    // The index is r mod n.
    EXPECT_EQ(PickIndex(0, 10), 6);  // 346 mod 10
    EXPECT_EQ(PickIndex(0, 7), 3);   // 346 mod 7
    EXPECT_EQ(PickIndex(1, 10), 9);  // 1410184549 mod 10
    EXPECT_EQ(PickIndex(1700000000, 3), 1);
    EXPECT_EQ(PickIndex(1700000000, 1), 0);
    // The seed is the runtime's 32-bit one: a time past 2^32 wraps to the same pick.
    EXPECT_EQ(PickIndex((std::int64_t{1} << 32) + 1, 10), 9);
}

class RandomPickTest : public EngineFixture {
protected:
    // A store whose category 1 holds `count` pictures p0.jpg, p1.jpg, ... and is current.
    std::unique_ptr<TCategoryStore> StoreWith(int count) {
        auto store =
            std::make_unique<TCategoryStore>(dir.File("prog/ovlimg.dat"), "icon.bmp", catalogue);
        EXPECT_TRUE(store->LoadCategories().ok());
        EXPECT_TRUE(store->CreateCategory(1, "icon.bmp", "Urlaub"));
        for (int i = 0; i < count; ++i)
            store->AddPicture(
                1, Picture("p" + std::to_string(i) + ".jpg", "picture " + std::to_string(i)), true);
        store->SetCurrentCategory(1);
        return store;
    }
};

TEST_F(RandomPickTest, TheFixedTimeChoosesTheIndexTheGeneratorGives) {
    struct Row {
        const char* time;
        int count;
        int index;
    };
    for (const Row& row :
         {Row{"0", 10, 6}, Row{"1", 10, 9}, Row{"1700000000", 3, 1}, Row{"0", 1, 0}}) {
        Start("xp", "stopped", {{"ORVELLA_TIME", row.time}});
        std::unique_ptr<TCategoryStore> store = StoreWith(row.count);
        ASSERT_TRUE(engine->SetRandomWallpaper(*store).ok());
        EXPECT_EQ(dir.Read("prog/Orvella.jpg"), "picture " + std::to_string(row.index))
            << "time " << row.time << ", " << row.count << " pictures";
    }
}

TEST_F(RandomPickTest, TwoPicksInOneSecondChooseTheSamePicture) {
    Start("xp", "stopped", {{"ORVELLA_TIME", "1700000000"}});
    std::unique_ptr<TCategoryStore> store = StoreWith(5);
    ASSERT_TRUE(engine->SetRandomWallpaper(*store).ok());
    const std::string first = dir.Read("prog/Orvella.jpg");
    ASSERT_TRUE(engine->SetRandomWallpaper(*store).ok());
    EXPECT_EQ(dir.Read("prog/Orvella.jpg"), first);
    EXPECT_EQ(Recorded().size(), 2u);

    // The summary category draws from every picture: index 1700000000's pick of 5.
    store->SetCurrentCategory(0);
    ASSERT_TRUE(engine->SetRandomWallpaper(*store).ok());
    EXPECT_EQ(dir.Read("prog/Orvella.jpg"), "picture " + std::to_string(PickIndex(1700000000, 5)));
}

TEST_F(RandomPickTest, AnEmptyListOrNoSelectionChangesNothing) {
    Start("xp");
    std::unique_ptr<TCategoryStore> store = StoreWith(0);
    ASSERT_TRUE(engine->SetRandomWallpaper(*store).ok());
    ASSERT_TRUE(engine->SetSelectedWallpaper(std::nullopt).ok());
    EXPECT_FALSE(FileExists(dir.File("record.jsonl")));
    EXPECT_TRUE(prompter.shown().empty());

    ASSERT_TRUE(engine->SetSelectedWallpaper(Picture("chosen.png", "chosen")).ok());
    EXPECT_EQ(dir.Read("prog/Orvella.png"), "chosen");
}

TEST(MonitorPicksTest, OneDrawPerMonitorTheFirstAsASingleScreenGetsIt) {
    const std::vector<std::string> pictures = {"a.jpg", "b.jpg", "page.htm", "b.jpg", "c.jpg"};
    for (const std::int64_t second : {0, 1, 1700000000}) {
        const std::vector<std::string> picked = PickMonitorPictures(pictures, second, 3);
        ASSERT_EQ(picked.size(), 3u);
        EXPECT_EQ(picked[0], pictures[static_cast<std::size_t>(PickIndex(second, 5))]);
        // The others: plain pictures, each once while there are enough.
        for (std::size_t i = 1; i < picked.size(); ++i) {
            EXPECT_NE(picked[i], "page.htm");
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_NE(picked[i], picked[j]) << "second " << second;
        }
    }
    // Second 0 draws 346 first (346 mod 5 = 1, "b.jpg"); the next draw, mod 2, chooses
    // between the plain pictures left, "a.jpg" and "c.jpg".
    RuntimeRandom random;
    random.Seed(0);
    random.Next();
    const std::string second_pick = random.Next() % 2 == 0 ? "a.jpg" : "c.jpg";
    EXPECT_EQ(PickMonitorPictures(pictures, 0, 2),
              (std::vector<std::string>{"b.jpg", second_pick}));

    // Fewer pictures than monitors: they come round again, no monitor left out.
    const std::vector<std::string> two = PickMonitorPictures({"a.jpg", "b.jpg"}, 7, 5);
    ASSERT_EQ(two.size(), 5u);
    EXPECT_NE(two[0], two[1]);
    EXPECT_NE(std::count(two.begin(), two.end(), "a.jpg"), 0);
    EXPECT_NE(std::count(two.begin(), two.end(), "b.jpg"), 0);
    // Only pages: the first pick alone; nothing to pick from: nothing.
    EXPECT_EQ(PickMonitorPictures({"x.htm", "y.html"}, 0, 3).size(), 1u);
    EXPECT_TRUE(PickMonitorPictures({}, 0, 3).empty());
}

// Records each change with the pictures of its monitors, on a desktop of `count` monitors.
class MonitorsBackend : public WallpaperBackend {
public:
    explicit MonitorsBackend(int count) : count_(count) {}
    Status Show(const WallpaperChange& change) override {
        changes.push_back(change);
        return Status::Ok();
    }
    std::vector<DesktopMonitor> Monitors() const override {
        std::vector<DesktopMonitor> monitors;
        for (int i = 0; i < count_; ++i)
            monitors.push_back(
                {"M" + std::to_string(i), MonitorArea{i * 100, 0, 100, 100, i == 0}});
        return monitors;
    }
    std::vector<WallpaperChange> changes;

private:
    int count_;
};

TEST_F(RandomPickTest, APicturePerScreenKeepsTheFirstMonitorsPickAsTheWallpaper) {
    Start("xp", "stopped", {{"ORVELLA_TIME", "1700000000"}});
    auto owned = std::make_unique<MonitorsBackend>(3);
    MonitorsBackend& backend = *owned;
    platform->desktop =
        std::make_unique<HostDesktop>(*platform->registry, *platform->desktop_colours,
                                      HostDesktop::Parts{std::move(owned), nullptr, nullptr});
    std::unique_ptr<TCategoryStore> store = StoreWith(5);
    const std::string single = "picture " + std::to_string(PickIndex(1700000000, 5));

    // Off: one picture everywhere, as ever.
    ASSERT_TRUE(engine->SetRandomWallpaper(*store).ok());
    ASSERT_EQ(backend.changes.size(), 1u);
    EXPECT_TRUE(backend.changes[0].monitor_pictures.empty());
    EXPECT_EQ(dir.Read("prog/Orvella.jpg"), single);

    // On: the copy and the registry's wallpaper are the first monitor's pick, the same one.
    WallpaperSettings on = settings.Current();
    on.picture_per_screen = true;
    settings.Set(on);
    ASSERT_TRUE(engine->SetRandomWallpaper(*store).ok());
    ASSERT_EQ(backend.changes.size(), 2u);
    const std::vector<std::string>& shown = backend.changes[1].monitor_pictures;
    EXPECT_EQ(shown, PickMonitorPictures(store->category(1).pictures, 1700000000, 3));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(dir.Read("prog/Orvella.jpg"), single);
    EXPECT_EQ(backend.changes[1].picture, Prog("Orvella.jpg"));
    EXPECT_EQ(ReadString(kDesktopKey, "Wallpaper"), Prog("Orvella.jpg"));

    // A picture chosen by hand goes everywhere.
    ASSERT_TRUE(engine->SetSelectedWallpaper(store->category(1).pictures[0]).ok());
    EXPECT_TRUE(backend.changes.back().monitor_pictures.empty());
}

// Runs delayed tasks when the test says so.
class ManualScheduler : public Scheduler {
public:
    void After(std::chrono::milliseconds delay, std::function<void()> task) override {
        delays.push_back(delay);
        tasks.push_back(std::move(task));
    }
    void RunAll() {
        for (const auto& task : tasks)
            task();
        tasks.clear();
    }
    std::vector<std::chrono::milliseconds> delays;
    std::vector<std::function<void()>> tasks;
};

// One opaque desktop list view; counts the broadcasts.
class OneListView : public DesktopWindows {
public:
    WindowHandle FindWindow(std::string_view, std::string_view) override { return 1; }
    void EnumChildWindows(WindowHandle, const std::function<bool(WindowHandle)>& visit) override {
        visit(2);
    }
    std::string ClassName(WindowHandle) override { return "SysListView32"; }
    std::uint32_t SendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t,
                              std::intptr_t) override {
        if (window == kHwndBroadcast)
            ++broadcasts;
        return message == kLvmGetTextBkColor ? 0xFFFFFF : 0;
    }
    void RedrawWindow(WindowHandle, std::uint32_t) override {}
    int broadcasts = 0;
};

TEST_F(RandomPickTest, ATimerTickPicksThenMakesTheLabelsTransparentHalfASecondLater) {
    Start("xp", "stopped", {{"ORVELLA_TIME", "0"}});
    std::unique_ptr<TCategoryStore> store = StoreWith(10);
    OneListView windows;
    TIconTransparency icons(windows, settings);
    ManualScheduler scheduler;
    TTimedChange timed(*engine, icons, scheduler);

    ASSERT_TRUE(timed.WallTimerTimer(*store).ok());
    EXPECT_EQ(dir.Read("prog/Orvella.jpg"), "picture 6");
    EXPECT_EQ(windows.broadcasts, 0);  // not before the wait
    ASSERT_EQ(scheduler.delays,
              std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(500)});
    scheduler.RunAll();
    EXPECT_EQ(windows.broadcasts, 1);

    // An empty list changes nothing, and the transparency step still follows.
    std::unique_ptr<TCategoryStore> empty = StoreWith(0);
    ASSERT_TRUE(timed.WallTimerTimer(*empty).ok());
    EXPECT_EQ(Recorded().size(), 1u);
    scheduler.RunAll();
    EXPECT_EQ(windows.broadcasts, 2);

    // A sound error reaches the tick's caller; the transparency step is not lost.
    settings.SetChangeSound("/broken.wav");
    sound.failure = "cannot open";
    EXPECT_EQ(timed.WallTimerTimer(*store).message(), "cannot open");
    EXPECT_EQ(scheduler.tasks.size(), 1u);
}

TEST(TimerOptionsTest, ReadAsTheOptionsDialogStoresThem) {
    testing::TempDir dir;
    // A missing file: the defaults, a change every 60 s that does not run.
    Result<TimerOptions> defaults = ReadTimerOptions(dir.File("ovl.dat"));
    ASSERT_TRUE(defaults.ok());
    EXPECT_FALSE(defaults->wall_timer_enabled);
    EXPECT_EQ(defaults->wall_timer_interval_ms, 60000);
    EXPECT_FALSE(defaults->trans_timer_enabled);

    dir.Write("ovl.dat",
              "[Options]\r\nFormVersion=1\r\nWallTimer_Enabled=True\r\nWallTimer_Interval= 15000 "
              "\r\nTransTimer_Enabled=true\r\n");
    Result<TimerOptions> stored = ReadTimerOptions(dir.File("ovl.dat"));
    ASSERT_TRUE(stored.ok());
    EXPECT_TRUE(stored->wall_timer_enabled);
    EXPECT_EQ(stored->wall_timer_interval_ms, 15000);
    EXPECT_TRUE(stored->trans_timer_enabled);
    EXPECT_TRUE(stored->WallTimerRuns());

    // The longest interval, past 32 bits.
    dir.Write("ovl.dat", "[Options]\r\nFormVersion=1\r\nWallTimer_Interval=9999999000\r\n");
    EXPECT_EQ(ReadTimerOptions(dir.File("ovl.dat"))->wall_timer_interval_ms, 9'999'999'000);

    // An interval that is no number becomes 0, and a timer of 0 does not run.
    dir.Write("ovl.dat",
              "[Options]\r\nFormVersion=1\r\nWallTimer_Enabled=True\r\n"
              "WallTimer_Interval=soon\r\n");
    Result<TimerOptions> broken = ReadTimerOptions(dir.File("ovl.dat"));
    ASSERT_TRUE(broken.ok());
    EXPECT_EQ(broken->wall_timer_interval_ms, 0);
    EXPECT_FALSE(broken->WallTimerRuns());

    // Without "FormVersion" nothing of the section counts.
    dir.Write("ovl.dat", "[Options]\r\nWallTimer_Enabled=True\r\nWallTimer_Interval=20000\r\n");
    Result<TimerOptions> unversioned = ReadTimerOptions(dir.File("ovl.dat"));
    ASSERT_TRUE(unversioned.ok());
    EXPECT_FALSE(unversioned->wall_timer_enabled);
    EXPECT_EQ(unversioned->wall_timer_interval_ms, 60000);
}

}  // namespace
}  // namespace orvella
