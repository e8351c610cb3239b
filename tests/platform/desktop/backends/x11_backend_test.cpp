#include "platform/desktop/backends/x11_backend.h"

#include <gtest/gtest.h>

#include "codecs/codec_picture_loader.h"
#include "platform/system/process.h"
#include "support/bitmap_file.h"
#include "support/temp_dir.h"
#include "support/x11_server.h"

namespace orvella {
namespace {

using testing::RootPixel;
using testing::RootPixmap;

constexpr int kScreenWidth = 64;
constexpr int kScreenHeight = 48;

TEST(X11BackendTest, TheRootWindowShowsTheBitmapInEachDisplayMode) {
    Result<ProcessOutput> found = RunProcess({"sh", "-c", "command -v Xvfb"});
    if (!found || found->exit_code != 0)
        GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps.sh installs it)";
    testing::Xvfb server(kScreenWidth, kScreenHeight);
    ASSERT_FALSE(server.display().empty()) << "Xvfb did not start";

    testing::TempDir dir;
    // 8 x 8: the left half red, the right half green.
    dir.Write("Orvella.bmp", testing::MakeBitmap24(8, 8, [](int x, int) -> std::uint32_t {
                  return x < 4 ? 0xFF0000 : 0x00FF00;
              }));
    X11WallpaperBackend backend(std::make_shared<CodecPictureLoader>(), server.display());
    WallpaperChange change;
    change.file = change.picture = dir.File("Orvella.bmp");
    change.background = MakeColorRef(0, 0, 255);

    const std::string& d = server.display();
    struct Probe {
        int x, y;
        std::uint32_t colour;
    };
    struct Row {
        WallpaperStyle style;
        std::vector<Probe> probes;
    };
    // Centred, the picture covers 28..35 x 20..27 on the blue desktop; tiled it repeats
    // every 8 pixels; stretched its halves cover the screen's halves (probed beyond the
    // reach of the filter's ripple at the seam).
    const std::vector<Row> rows = {
        {WallpaperStyle::Centre,
         {{0, 0, 0x0000FF}, {29, 21, 0xFF0000}, {34, 26, 0x00FF00}, {63, 47, 0x0000FF}}},
        {WallpaperStyle::Tile,
         {{0, 0, 0xFF0000},
          {5, 0, 0x00FF00},
          {13, 3, 0x00FF00},
          {2, 44, 0xFF0000},
          {9, 40, 0xFF0000},
          {62, 47, 0x00FF00}}},
        {WallpaperStyle::Stretch,
         {{0, 0, 0xFF0000}, {4, 30, 0xFF0000}, {60, 10, 0x00FF00}, {63, 47, 0x00FF00}}},
    };
    unsigned long ours = 0;
    for (const Row& row : rows) {
        change.style = row.style;
        ASSERT_TRUE(backend.Show(change).ok());
        for (const Probe& probe : row.probes) {
            EXPECT_EQ(RootPixel(d, probe.x, probe.y), probe.colour)
                << StyleName(row.style) << " at " << probe.x << "," << probe.y;
        }
        const unsigned long current = RootPixmap(d, "_XROOTPMAP_ID");
        EXPECT_NE(current, 0u);
        EXPECT_EQ(RootPixmap(d, "ESETROOT_PMAP_ID"), current);
        // Our pixmap is drawn into again rather than made anew.
        EXPECT_TRUE(ours == 0 || current == ours) << StyleName(row.style);
        ours = current;
    }
    // Another setter's pixmap is freed, and ours is not drawn into once it is not on show.
    const unsigned long foreign = testing::LeaveRootPixmap(d);
    ASSERT_NE(foreign, 0u);
    ASSERT_TRUE(backend.Show(change).ok());
    EXPECT_NE(RootPixmap(d, "_XROOTPMAP_ID"), foreign);
    EXPECT_NE(RootPixmap(d, "_XROOTPMAP_ID"), ours);
    EXPECT_FALSE(testing::PixmapExists(d, foreign));

    EXPECT_FALSE(backend
                     .Show([&] {
                         WallpaperChange page = change;
                         page.picture = dir.File("page.htm");
                         return page;
                     }())
                     .ok());
    EXPECT_FALSE(
        X11WallpaperBackend(std::make_shared<CodecPictureLoader>(), ":65000").Show(change).ok());
}

TEST(X11BackendTest, FramesGoIntoOurRootPixmapUntilAnotherWallpaperIsSet) {
    Result<ProcessOutput> found = RunProcess({"sh", "-c", "command -v Xvfb"});
    if (!found || found->exit_code != 0)
        GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps.sh installs it)";
    testing::Xvfb server(kScreenWidth, kScreenHeight);
    ASSERT_FALSE(server.display().empty()) << "Xvfb did not start";
    const std::string& d = server.display();

    testing::TempDir dir;
    dir.Write("Orvella.bmp",
              testing::MakeBitmap24(8, 8, [](int, int) -> std::uint32_t { return 0x0000FF; }));
    X11WallpaperBackend backend(std::make_shared<CodecPictureLoader>(), d);
    LiveWallpaper* live = backend.Live();
    ASSERT_NE(live, nullptr);
    PicturePixels frame{kScreenWidth, kScreenHeight,
                        std::vector<std::uint32_t>(kScreenWidth * kScreenHeight, 0x102030)};
    // Nothing of ours on show yet: no frame.
    EXPECT_FALSE(live->ShowFrame(frame).ok());

    WallpaperChange change;
    change.file = change.picture = dir.File("Orvella.bmp");
    change.style = WallpaperStyle::Stretch;
    ASSERT_TRUE(backend.Show(change).ok());
    const unsigned long ours = RootPixmap(d, "_XROOTPMAP_ID");
    EXPECT_EQ(RootPixel(d, 3, 3), 0x0000FFu);
    frame.rgb[5 * kScreenWidth + 7] = 0xFFEE00;
    for (const std::uint32_t background : {0x102030u, 0x405060u}) {
        std::fill(frame.rgb.begin(), frame.rgb.begin() + kScreenWidth, background);
        ASSERT_TRUE(live->ShowFrame(frame).ok());
        EXPECT_EQ(RootPixel(d, 3, 0), background);
        EXPECT_EQ(RootPixel(d, 7, 5), 0xFFEE00u);
        EXPECT_EQ(RootPixmap(d, "_XROOTPMAP_ID"), ours);  // the same pixmap, drawn again
    }
    // A smaller frame is centred on black.
    ASSERT_TRUE(
        live->ShowFrame(PicturePixels{2, 2, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}}).ok());
    EXPECT_EQ(RootPixel(d, 0, 0), 0u);
    EXPECT_EQ(RootPixel(d, kScreenWidth / 2, kScreenHeight / 2), 0xFFFFFFu);

    // Another setter's wallpaper ends the frames; our next change takes them up again.
    X11WallpaperBackend other(std::make_shared<CodecPictureLoader>(), d);
    ASSERT_TRUE(other.Show(change).ok());
    EXPECT_FALSE(live->ShowFrame(frame).ok());
    EXPECT_EQ(RootPixel(d, 3, 0), 0x0000FFu);
    ASSERT_TRUE(backend.Show(change).ok());
    EXPECT_TRUE(live->ShowFrame(frame).ok());
}

struct Probe {
    int x, y;
    std::uint32_t colour;
};

void ExpectProbes(const std::string& display, const std::string& what,
                  const std::vector<Probe>& probes) {
    for (const Probe& probe : probes) {
        EXPECT_EQ(RootPixel(display, probe.x, probe.y), probe.colour)
            << what << " at " << probe.x << "," << probe.y;
    }
}

TEST(X11BackendTest, EachMonitorShowsThePictureInEachDisplayMode) {
    Result<ProcessOutput> found = RunProcess({"sh", "-c", "command -v Xvfb && command -v xrandr"});
    if (!found || found->exit_code != 0)
        GTEST_SKIP() << "Xvfb or xrandr is not installed (scripts/install-deps.sh installs them)";
    testing::Xvfb server(2304, 768);
    ASSERT_FALSE(server.display().empty()) << "Xvfb did not start";
    const std::string& d = server.display();
    testing::TempDir dir;
    dir.Write("Orvella.bmp", testing::MakeBitmap24(8, 8, [](int x, int) -> std::uint32_t {
                  return x < 4 ? 0xFF0000 : 0x00FF00;
              }));
    dir.Write("page.bmp",
              testing::MakeBitmap24(4, 4, [](int, int) -> std::uint32_t { return 0xFFFF00; }));
    X11WallpaperBackend backend(std::make_shared<CodecPictureLoader>(), d);
    WallpaperChange change;
    change.file = change.picture = dir.File("Orvella.bmp");
    change.background = MakeColorRef(0, 0, 255);
    change.style = WallpaperStyle::Stretch;

    // One monitor over the whole screen: one picture over all of it.
    ASSERT_TRUE(backend.Show(change).ok());
    ExpectProbes(d, "one monitor", {{100, 740, 0xFF0000}, {1300, 700, 0x00FF00}});

    // 1280 x 720 beside 1024 x 768, read anew at the next change; below the left one is no
    // monitor. Probes keep clear of the filter's ripple at the picture's seam.
    ASSERT_EQ(testing::SetMonitors(d, {{"L", 0, 0, 1280, 720}, {"R", 1280, 0, 1024, 768}}, 0), "");
    const std::vector<std::pair<WallpaperStyle, std::vector<Probe>>> modes = {
        {WallpaperStyle::Stretch,
         {{100, 360, 0xFF0000},
          {1200, 700, 0x00FF00},
          {100, 740, 0x0000FF},
          {1300, 760, 0xFF0000},
          {2290, 10, 0x00FF00}}},
        {WallpaperStyle::Centre,
         {{637, 357, 0xFF0000},
          {642, 362, 0x00FF00},
          {10, 10, 0x0000FF},
          {1789, 381, 0xFF0000},
          {1794, 386, 0x00FF00},
          {1285, 5, 0x0000FF}}},
        {WallpaperStyle::Tile,
         {{1283, 5, 0xFF0000},
          {1285, 700, 0x00FF00},
          {1284, 767, 0x00FF00},
          {2, 719, 0xFF0000},
          {5, 740, 0x0000FF}}},
    };
    for (const auto& [style, probes] : modes) {
        change.style = style;
        ASSERT_TRUE(backend.Show(change).ok());
        ExpectProbes(d, std::string(StyleName(style)), probes);
    }

    // A page drawn for the primary monitor goes there; the other shows the plain picture.
    ASSERT_EQ(testing::SetMonitors(d, {{"L", 0, 0, 1280, 720}, {"R", 1280, 0, 1024, 768}}, 1), "");
    change.picture = dir.File("page.bmp");
    change.page_drawing = true;
    change.monitor_pictures = {dir.File("Orvella.bmp")};
    change.style = WallpaperStyle::Stretch;
    ASSERT_TRUE(backend.Show(change).ok());
    ExpectProbes(d, "page", {{100, 360, 0xFF0000}, {1200, 700, 0x00FF00}, {1300, 5, 0xFFFF00}});

    // A picture of its own on each monitor, in their order, which the backend reports.
    const std::vector<DesktopMonitor> monitors = backend.Monitors();
    ASSERT_EQ(monitors.size(), 2u);
    EXPECT_EQ(monitors[0], (DesktopMonitor{"L", {0, 0, 1280, 720, false}}));
    EXPECT_EQ(monitors[1].name, "R");
    change.page_drawing = false;
    change.picture = dir.File("Orvella.bmp");
    change.monitor_pictures = {dir.File("page.bmp"), dir.File("Orvella.bmp")};
    ASSERT_TRUE(backend.Show(change).ok());
    ExpectProbes(
        d, "own pictures",
        {{100, 360, 0xFFFF00}, {1200, 700, 0xFFFF00}, {1300, 5, 0xFF0000}, {2290, 10, 0x00FF00}});
}

}  // namespace
}  // namespace orvella
