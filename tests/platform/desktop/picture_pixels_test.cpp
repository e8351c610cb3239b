#include "platform/desktop/picture_pixels.h"

#include <gtest/gtest.h>

#include "platform/desktop/wallpaper_canvas.h"
#include "support/bitmap_file.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0x0000FF;

// 2 x 1 pixels, red then green.
PicturePixels RedGreen() {
    return PicturePixels{2, 1, {kRed, kGreen}};
}

TEST(BmpPictureLoaderTest, ReadsBottomUpRowsAndRejectsDamage) {
    testing::TempDir dir;
    // 3 x 2: the top row red, green, blue; the bottom row white; rows padded to 12 bytes.
    dir.Write("a.bmp", testing::MakeBitmap24(3, 2, [](int x, int y) -> std::uint32_t {
                  return y == 1 ? 0xFFFFFF : (x == 0 ? kRed : x == 1 ? kGreen : kBlue);
              }));
    Result<PicturePixels> pixels = BmpPictureLoader().Load(dir.File("a.bmp"));
    ASSERT_TRUE(pixels.ok()) << pixels.message();
    EXPECT_EQ(pixels->width, 3);
    EXPECT_EQ(pixels->height, 2);
    EXPECT_EQ(pixels->rgb,
              (std::vector<std::uint32_t>{kRed, kGreen, kBlue, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}));

    std::string truncated = dir.Read("a.bmp");
    truncated.resize(truncated.size() - 1);
    EXPECT_FALSE(BmpPictureLoader::Decode(truncated).ok());
    std::string huge = dir.Read("a.bmp");
    huge[18] = huge[19] = huge[20] = '\x7F';  // width far past any screen
    EXPECT_FALSE(BmpPictureLoader::Decode(huge).ok());
    EXPECT_FALSE(BmpPictureLoader::Decode("GIF89a").ok());
    Result<PicturePixels> missing = BmpPictureLoader().Load(dir.File("none.bmp"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.message().find("none.bmp"), std::string::npos);
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
