#include "platform/desktop/wallpaper_canvas.h"

#include <gtest/gtest.h>

#include "platform/desktop/backends/wallpaper_backend.h"
#include "platform/desktop/picture_pixels.h"

namespace orvella {
namespace {

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t k_ = kBlue;  // the desktop colour, short so the rows line up

// 2 x 1 pixels, red then green.
PicturePixels RedGreen() {
    return PicturePixels{2, 1, {kRed, kGreen}};
}

struct MonitorPicture {
    MonitorArea area;
    const PicturePixels* picture;
};

// The desktop colour everywhere, then each monitor's picture.
PicturePixels Composed(const std::vector<MonitorPicture>& monitors, WallpaperStyle style, int width,
                       int height) {
    PicturePixels screen{width, height,
                         std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, 7)};
    FillArea(ViewOf(screen), MonitorArea{0, 0, width, height},
             CanvasPixel(MakeColorRef(0, 0, 255)));
    for (const MonitorPicture& m : monitors) {
        if (style == WallpaperStyle::Tile)
            DrawTiled(ViewOf(screen), m.area, *m.picture);
        else
            DrawCentred(ViewOf(screen), m.area, *m.picture);
    }
    return screen;
}

TEST(WallpaperCanvasTest, OneMonitorIsPaintedAsWindowsPaintedTheScreen) {
    const PicturePixels picture = RedGreen();
    const MonitorArea whole{0, 0, 6, 3, true};
    EXPECT_EQ(Composed({{whole, &picture}}, WallpaperStyle::Centre, 6, 3).rgb,
              (std::vector<std::uint32_t>{k_, k_, k_, k_, k_, k_,        //
                                          k_, k_, kRed, kGreen, k_, k_,  //
                                          k_, k_, k_, k_, k_, k_}));
    EXPECT_EQ(Composed({{MonitorArea{0, 0, 5, 2, true}, &picture}}, WallpaperStyle::Tile, 5, 2).rgb,
              (std::vector<std::uint32_t>{kRed, kGreen, kRed, kGreen, kRed,  //
                                          kRed, kGreen, kRed, kGreen, kRed}));
    // A picture larger than the screen is cut around its centre.
    const PicturePixels three{3, 1, {kRed, kGreen, kBlue}};
    EXPECT_EQ(Composed({{MonitorArea{0, 0, 1, 1, true}, &three}}, WallpaperStyle::Centre, 1, 1).rgb,
              std::vector<std::uint32_t>{kGreen});
}

TEST(WallpaperCanvasTest, EachMonitorGetsItsOwnPictureAndTheTilesRunFromTheDesktopsCorner) {
    // 9 x 3: a monitor of 4 x 3 at the left, one of 3 x 2 at the right, a gap between.
    const MonitorArea left{0, 0, 4, 3, true};
    const MonitorArea right{6, 0, 3, 2, false};
    const PicturePixels picture = RedGreen();
    const PicturePixels three{3, 1, {kRed, kGreen, kBlue}};
    EXPECT_EQ(Composed({{left, &picture}, {right, &picture}}, WallpaperStyle::Centre, 9, 3).rgb,
              (std::vector<std::uint32_t>{k_, k_,   k_,     k_, k_, k_, kRed, kGreen, k_,  //
                                          k_, kRed, kGreen, k_, k_, k_, k_,   k_,     k_,  //
                                          k_, k_,   k_,     k_, k_, k_, k_,   k_,     k_}));
    EXPECT_EQ(Composed({{left, &three}, {right, &picture}}, WallpaperStyle::Tile, 9, 3).rgb,
              (std::vector<std::uint32_t>{kRed, kGreen, kBlue, kRed, k_, k_, kRed, kGreen, kRed,  //
                                          kRed, kGreen, kBlue, kRed, k_, k_, kRed, kGreen, kRed,  //
                                          kRed, kGreen, kBlue, kRed, k_, k_, k_,   k_,     k_}));
    // Stretched pictures come at their monitor's size and fill it.
    const PicturePixels red{4, 3, std::vector<std::uint32_t>(12, kRed)};
    const PicturePixels green{3, 2, std::vector<std::uint32_t>(6, kGreen)};
    const PicturePixels stretched =
        Composed({{left, &red}, {right, &green}}, WallpaperStyle::Stretch, 9, 3);
    EXPECT_EQ(stretched.At(3, 2), kRed);
    EXPECT_EQ(stretched.At(4, 0), kBlue);
    EXPECT_EQ(stretched.At(6, 0), kGreen);
    EXPECT_EQ(stretched.At(8, 1), kGreen);
    EXPECT_EQ(stretched.At(8, 2), kBlue);
}

}  // namespace
}  // namespace orvella
