#include "codecs/codec_picture_loader.h"

#include <gtest/gtest.h>

#include "codecs/bitmap.h"
#include "image_writers.h"
#include "support/bitmap_file.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

TEST(CodecPictureLoaderTest, GivesTheDesktopRgbWithTransparencyOverBlack) {
    testing::TempDir dir;
    Result<Bitmap> picture = Bitmap::Create(3, 2, PixelFormat::Rgba);
    ASSERT_TRUE(picture);
    picture->SetPixel(0, 0, Colour{255, 0, 0, 255});
    picture->SetPixel(1, 0, Colour{0, 255, 0, 255});
    picture->SetPixel(2, 0, Colour{0, 0, 255, 255});
    picture->SetPixel(0, 1, Colour{200, 100, 50, 0});  // fully transparent
    picture->SetPixel(1, 1, Colour{255, 255, 255, 255});
    picture->SetPixel(2, 1, Colour{10, 20, 30, 255});
    dir.Write("p.PNG", testing::EncodePng(*picture));

    Result<PicturePixels> pixels = CodecPictureLoader().Load(dir.File("p.PNG"));
    ASSERT_TRUE(pixels) << pixels.message();
    EXPECT_EQ(pixels->width, 3);
    EXPECT_EQ(pixels->height, 2);
    EXPECT_EQ(pixels->At(0, 0), 0xFF0000u);
    EXPECT_EQ(pixels->At(1, 0), 0x00FF00u);
    EXPECT_EQ(pixels->At(2, 0), 0x0000FFu);
    EXPECT_EQ(pixels->At(0, 1), 0x000000u);
    EXPECT_EQ(pixels->At(2, 1), 0x0A141Eu);

    dir.Write("broken.jpg", "\xFF\xD8 not really");
    Result<PicturePixels> broken = CodecPictureLoader().Load(dir.File("broken.jpg"));
    ASSERT_FALSE(broken);
    EXPECT_NE(broken.message().find(dir.File("broken.jpg")), std::string::npos);
}

TEST(CodecPictureLoaderTest, ReadsBottomUpBitmapsAndRejectsDamage) {
    testing::TempDir dir;
    constexpr std::uint32_t kRed = 0xFF0000;
    constexpr std::uint32_t kGreen = 0x00FF00;
    constexpr std::uint32_t kBlue = 0x0000FF;
    // 3 x 2: the top row red, green, blue; the bottom row white; rows padded to 12 bytes.
    dir.Write("a.bmp", testing::MakeBitmap24(3, 2, [](int x, int y) -> std::uint32_t {
                  return y == 1 ? 0xFFFFFF : (x == 0 ? kRed : x == 1 ? kGreen : kBlue);
              }));
    Result<PicturePixels> pixels = CodecPictureLoader().Load(dir.File("a.bmp"));
    ASSERT_TRUE(pixels.ok()) << pixels.message();
    EXPECT_EQ(pixels->width, 3);
    EXPECT_EQ(pixels->height, 2);
    EXPECT_EQ(pixels->rgb,
              (std::vector<std::uint32_t>{kRed, kGreen, kBlue, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}));

    std::string truncated = dir.Read("a.bmp");
    truncated.resize(truncated.size() - 1);
    dir.Write("truncated.bmp", truncated);
    EXPECT_FALSE(CodecPictureLoader().Load(dir.File("truncated.bmp")).ok());
    std::string huge = dir.Read("a.bmp");
    huge[18] = huge[19] = huge[20] = '\x7F';  // width far past any screen
    dir.Write("huge.bmp", huge);
    EXPECT_FALSE(CodecPictureLoader().Load(dir.File("huge.bmp")).ok());
    dir.Write("gif.bmp", "GIF89a");
    EXPECT_FALSE(CodecPictureLoader().Load(dir.File("gif.bmp")).ok());
    Result<PicturePixels> missing = CodecPictureLoader().Load(dir.File("none.bmp"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.message().find("none.bmp"), std::string::npos);
}

TEST(CodecPictureLoaderTest, StretchesForEveryMonitorWithoutAliasingFineDetail) {
    testing::TempDir dir;
    // Columns of one pixel, black and white by turns: a screen-sized drawing that samples
    // instead of averaging shows bands of black and white, not the grey the eye sees.
    dir.Write("stripes.bmp", testing::MakeBitmap24(601, 40, [](int x, int) -> std::uint32_t {
                  return x % 2 == 0 ? 0xFFFFFF : 0x000000;
              }));
    Result<std::vector<PicturePixels>> stretched = CodecPictureLoader().LoadStretched(
        dir.File("stripes.bmp"), {ScreenSize{173, 20}, ScreenSize{601, 40}, ScreenSize{61, 7}});
    ASSERT_TRUE(stretched) << stretched.message();
    ASSERT_EQ(stretched->size(), 3u);
    EXPECT_EQ((*stretched)[1].rgb[0], 0xFFFFFFu);  // its own size: the picture as it is
    EXPECT_EQ((*stretched)[1].rgb[1], 0x000000u);
    for (const std::size_t i : {0u, 2u}) {
        const PicturePixels& picture = (*stretched)[i];
        ASSERT_EQ(picture.rgb.size(), static_cast<std::size_t>(picture.width) * picture.height);
        EXPECT_EQ(picture.width, i == 0 ? 173 : 61);
        for (const std::uint32_t pixel : picture.rgb) {
            const int grey = static_cast<int>(pixel & 0xFF);
            ASSERT_NEAR(grey, 128, 24) << "stretched to " << picture.width;
            ASSERT_EQ(pixel, static_cast<std::uint32_t>(grey * 0x010101));
        }
    }
    EXPECT_FALSE(
        CodecPictureLoader().LoadStretched(dir.File("none.bmp"), {ScreenSize{10, 10}}).ok());
}

}  // namespace
}  // namespace orvella
