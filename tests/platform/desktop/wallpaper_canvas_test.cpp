#include "platform/desktop/wallpaper_canvas.h"

#include <gtest/gtest.h>

#include "platform/desktop/picture_pixels.h"

namespace orvella {
namespace {

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0x0000FF;

// 2 x 1 pixels, red then green.
PicturePixels RedGreen() {
    return PicturePixels{2, 1, {kRed, kGreen}};
}

TEST(WallpaperCanvasTest, CentreTileAndStretchFillTheScreenAsWindowsDoes) {
    const ColorRef desktop = MakeColorRef(0, 0, 255);
    const PicturePixels centred =
        ComposeWallpaper(RedGreen(), WallpaperStyle::Centre, 6, 3, desktop);
    EXPECT_EQ(centred.rgb, (std::vector<std::uint32_t>{kBlue, kBlue, kBlue, kBlue, kBlue, kBlue,
                                                       kBlue, kBlue, kRed, kGreen, kBlue, kBlue,
                                                       kBlue, kBlue, kBlue, kBlue, kBlue, kBlue}));
    const PicturePixels tiled = ComposeWallpaper(RedGreen(), WallpaperStyle::Tile, 5, 2, desktop);
    EXPECT_EQ(tiled.rgb, (std::vector<std::uint32_t>{kRed, kGreen, kRed, kGreen, kRed, kRed, kGreen,
                                                     kRed, kGreen, kRed}));
    const PicturePixels stretched =
        ComposeWallpaper(RedGreen(), WallpaperStyle::Stretch, 8, 2, desktop);
    // The outer quarters keep the pure colours; the middle blends them.
    EXPECT_EQ(stretched.At(0, 0), kRed);
    EXPECT_EQ(stretched.At(1, 1), kRed);
    EXPECT_EQ(stretched.At(7, 0), kGreen);
    EXPECT_EQ(stretched.At(6, 1), kGreen);
    const std::uint32_t middle = stretched.At(4, 0);
    EXPECT_GT(middle >> 16, 0u);
    EXPECT_GT((middle >> 8) & 0xFF, 0u);
    // A picture larger than the screen is cut around its centre.
    const PicturePixels three{3, 1, {kRed, kGreen, kBlue}};
    const PicturePixels cut = ComposeWallpaper(three, WallpaperStyle::Centre, 1, 1, desktop);
    EXPECT_EQ(cut.rgb, std::vector<std::uint32_t>{kGreen});
}

}  // namespace
}  // namespace orvella
