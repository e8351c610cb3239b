#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/desktop/backends/sway_backend.h"
#include "platform/files/files.h"
#include "support/bitmap_file.h"
#include "support/headless_sway.h"
#include "support/temp_dir.h"
#include "support/wallpaper_change.h"

namespace orvella {
namespace {

using testing::ChangeOf;
using testing::HeadlessSway;
using testing::MakeBitmap24;
using testing::TempDir;

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kDesktop = 0x3A6EA5;  // ChangeOf's colour

bool Close(std::uint32_t a, std::uint32_t b) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int difference =
            static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (difference > 0x30 || difference < -0x30)
            return false;
    }
    return (a >> 24) == (b >> 24);
}

// The real sway backend on a real headless sway, looked at with grim.
class SwayServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!sway.error().empty())
            GTEST_SKIP() << sway.error();
    }
    void TearDown() override {
        Result<std::optional<std::string>> pid = ReadWholeFile(dir.File("swaybg.pid"));
        if (pid && pid->has_value()) {
            ::kill(static_cast<pid_t>(std::stol(**pid)), SIGTERM);
            ::waitpid(static_cast<pid_t>(std::stol(**pid)), nullptr, 0);
        }
    }
    // A 64 x 32 picture: its left half `left`, its right half `right`.
    void Picture(std::uint32_t left, std::uint32_t right) {
        dir.Write("Orvella.bmp",
                  MakeBitmap24(64, 32, [&](int x, int) { return x < 32 ? left : right; }));
    }
    // The output's pixels at `points` once they show `expected`, or as they are after 5 s.
    // A pixel within a few steps of the one expected counts as it: the filter that scales a
    // stretched picture blurs its colours a little.
    static std::vector<std::uint32_t> Settled(const std::string& output,
                                              const std::vector<std::pair<int, int>>& points,
                                              const std::vector<std::uint32_t>& expected) {
        std::vector<std::uint32_t> seen;
        for (int attempt = 0; attempt < 100 && seen != expected; ++attempt) {
            if (attempt > 0)
                ::usleep(50'000);
            const testing::Screenshot shot = HeadlessSway::Shoot(output);
            seen.clear();
            for (const auto& [x, y] : points)
                seen.push_back(shot.width > x && shot.height > y ? shot.At(x, y) : 0xFF000000);
            for (std::size_t i = 0; i < seen.size(); ++i) {
                if (Close(seen[i], expected[i]))
                    seen[i] = expected[i];
            }
        }
        return seen;
    }

    TempDir dir;
    HeadlessSway sway;
    SwayWallpaperBackend backend{dir.File("swaybg.pid")};
};

TEST_F(SwayServiceTest, EachModeOnBothOutputsAndARepeatedNameShowsTheNewPicture) {
    Picture(kRed, kBlue);
    const std::string picture = dir.File("Orvella.bmp");
    ASSERT_TRUE(backend.Show(ChangeOf(picture, WallpaperStyle::Stretch)));
    // Stretched over each output: red at its left edge, blue at its right.
    EXPECT_EQ(Settled("HEADLESS-1", {{5, 5}, {634, 474}}, {kRed, kBlue}),
              (std::vector{kRed, kBlue}));
    EXPECT_EQ(Settled("HEADLESS-2", {{5, 5}, {314, 234}}, {kRed, kBlue}),
              (std::vector{kRed, kBlue}));

    // Centred in each output's middle, the desktop colour around it.
    ASSERT_TRUE(backend.Show(ChangeOf(picture, WallpaperStyle::Centre)));
    const std::vector centred = {kRed, kBlue, kDesktop};
    EXPECT_EQ(Settled("HEADLESS-1", {{300, 240}, {340, 240}, {5, 5}}, centred), centred);
    EXPECT_EQ(Settled("HEADLESS-2", {{140, 120}, {180, 120}, {5, 5}}, centred), centred);

    // Tiled from each output's corner.
    ASSERT_TRUE(backend.Show(ChangeOf(picture, WallpaperStyle::Tile)));
    const std::vector tiled = {kRed, kBlue, kRed, kRed};
    EXPECT_EQ(Settled("HEADLESS-1", {{5, 5}, {40, 5}, {69, 5}, {5, 37}}, tiled), tiled);
    EXPECT_EQ(Settled("HEADLESS-2", {{5, 5}, {40, 5}, {69, 5}, {5, 37}}, tiled), tiled);

    // The same name with a new picture in it: a new swaybg reads it anew.
    Picture(kGreen, kGreen);
    ASSERT_TRUE(backend.Show(ChangeOf(picture, WallpaperStyle::Tile)));
    EXPECT_EQ(Settled("HEADLESS-1", {{5, 5}, {40, 5}}, {kGreen, kGreen}),
              (std::vector{kGreen, kGreen}));
}

TEST_F(SwayServiceTest, EachOutputShowsItsOwnPictureInOrder) {
    const std::vector<DesktopMonitor> outputs = backend.Monitors();
    ASSERT_EQ(outputs.size(), 2u);
    EXPECT_EQ(outputs[0].name, "HEADLESS-1");
    EXPECT_EQ(outputs[1].name, "HEADLESS-2");
    EXPECT_EQ(outputs[1].area, (MonitorArea{640, 0, 320, 240, false}));

    dir.Write("red.bmp", MakeBitmap24(64, 32, [](int, int) { return kRed; }));
    dir.Write("blue.bmp", MakeBitmap24(64, 32, [](int, int) { return kBlue; }));
    WallpaperChange change = ChangeOf(dir.File("red.bmp"), WallpaperStyle::Stretch);
    change.monitor_pictures = {dir.File("red.bmp"), dir.File("blue.bmp")};
    ASSERT_TRUE(backend.Show(change));
    EXPECT_EQ(Settled("HEADLESS-1", {{5, 5}}, {kRed}), std::vector{kRed});
    EXPECT_EQ(Settled("HEADLESS-2", {{5, 5}}, {kBlue}), std::vector{kBlue});
}

}  // namespace
}  // namespace orvella
