#include "codecs/codec_picture_loader.h"

#include <gtest/gtest.h>

#include "codecs/bitmap.h"
#include "codecs/jpeg_encoder.h"
#include "image_writers.h"
#include "platform/desktop/wallpaper_canvas.h"
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

    Result<PicturePixels> pixels =
        CodecPictureLoader().Load(dir.File("p.PNG"), {}, PicturePart::Centre);
    ASSERT_TRUE(pixels) << pixels.message();
    EXPECT_EQ(pixels->width, 3);
    EXPECT_EQ(pixels->height, 2);
    EXPECT_EQ(pixels->At(0, 0), 0xFF0000u);
    EXPECT_EQ(pixels->At(1, 0), 0x00FF00u);
    EXPECT_EQ(pixels->At(2, 0), 0x0000FFu);
    EXPECT_EQ(pixels->At(0, 1), 0x000000u);
    EXPECT_EQ(pixels->At(2, 1), 0x0A141Eu);

    dir.Write("broken.jpg", "\xFF\xD8 not really");
    Result<PicturePixels> broken =
        CodecPictureLoader().Load(dir.File("broken.jpg"), {}, PicturePart::Centre);
    ASSERT_FALSE(broken);
    EXPECT_NE(broken.message().find(dir.File("broken.jpg")), std::string::npos);
}

TEST(CodecPictureLoaderTest, DecodesOnlyTheShownPartOfAJpegAsTheWholePictureHasIt) {
    testing::TempDir dir;
    Result<Bitmap> picture = Bitmap::Create(61, 37, PixelFormat::Rgb);
    ASSERT_TRUE(picture);
    for (int y = 0; y < picture->height(); ++y)
        for (int x = 0; x < picture->width(); ++x)
            picture->SetPixel(
                x, y,
                Colour{static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 6),
                       static_cast<std::uint8_t>((x * y) % 256), 255});
    Result<std::string> encoded = EncodeJpeg(*picture, 90);
    ASSERT_TRUE(encoded);
    dir.Write("p.jpg", *encoded);

    Result<PicturePixels> whole =
        CodecPictureLoader().Load(dir.File("p.jpg"), {}, PicturePart::Centre);
    Result<PicturePixels> centre =
        CodecPictureLoader().Load(dir.File("p.jpg"), {20, 11}, PicturePart::Centre);
    Result<PicturePixels> corner =
        CodecPictureLoader().Load(dir.File("p.jpg"), {20, 11}, PicturePart::TopLeft);
    ASSERT_TRUE(whole && centre && corner);
    ASSERT_EQ(whole->width, 61);
    ASSERT_EQ(centre->width, 20);
    ASSERT_EQ(centre->height, 11);
    // Half the difference from the left and the top: (61 - 20) / 2 and (37 - 11) / 2.
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 20; ++x) {
            ASSERT_EQ(centre->At(x, y), whole->At(20 + x, 13 + y)) << x << "," << y;
            ASSERT_EQ(corner->At(x, y), whole->At(x, y)) << x << "," << y;
        }
    }
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
    Result<PicturePixels> pixels =
        CodecPictureLoader().Load(dir.File("a.bmp"), {}, PicturePart::Centre);
    ASSERT_TRUE(pixels.ok()) << pixels.message();
    EXPECT_EQ(pixels->width, 3);
    EXPECT_EQ(pixels->height, 2);
    EXPECT_EQ(pixels->rgb,
              (std::vector<std::uint32_t>{kRed, kGreen, kBlue, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}));

    // A desktop of 1 x 1 shows no more of it than the centre pixel, or the corner when tiled.
    Result<PicturePixels> centre =
        CodecPictureLoader().Load(dir.File("a.bmp"), {1, 1}, PicturePart::Centre);
    Result<PicturePixels> corner =
        CodecPictureLoader().Load(dir.File("a.bmp"), {1, 1}, PicturePart::TopLeft);
    ASSERT_TRUE(centre && corner);
    EXPECT_EQ(centre->rgb, std::vector<std::uint32_t>{kGreen});
    EXPECT_EQ(corner->rgb, std::vector<std::uint32_t>{kRed});

    std::string truncated = dir.Read("a.bmp");
    truncated.resize(truncated.size() - 1);
    dir.Write("truncated.bmp", truncated);
    EXPECT_FALSE(
        CodecPictureLoader().Load(dir.File("truncated.bmp"), {}, PicturePart::Centre).ok());
    std::string huge = dir.Read("a.bmp");
    huge[18] = huge[19] = huge[20] = '\x7F';  // width far past any screen
    dir.Write("huge.bmp", huge);
    EXPECT_FALSE(CodecPictureLoader().Load(dir.File("huge.bmp"), {}, PicturePart::Centre).ok());
    dir.Write("gif.bmp", "GIF89a");
    EXPECT_FALSE(CodecPictureLoader().Load(dir.File("gif.bmp"), {}, PicturePart::Centre).ok());
    Result<PicturePixels> missing =
        CodecPictureLoader().Load(dir.File("none.bmp"), {}, PicturePart::Centre);
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
    // Monitors of 173 x 20 and 61 x 7 and one of the picture's own size, side by side.
    PicturePixels canvas{835, 40, std::vector<std::uint32_t>(835 * 40, 0x123456)};
    const CanvasView whole = ViewOf(canvas);
    const std::vector<MonitorArea> monitors = {
        {0, 0, 173, 20, true}, {173, 0, 601, 40, false}, {774, 0, 61, 7, false}};
    std::vector<CanvasView> parts;
    for (const MonitorArea& m : monitors)
        parts.push_back(PartOf(whole, m));
    const Status drawn = CodecPictureLoader().DrawStretched(dir.File("stripes.bmp"), parts);
    ASSERT_TRUE(drawn) << drawn.message();
    EXPECT_EQ(canvas.At(173, 39), 0xFFFFFFu);  // its own size: the picture as it is
    EXPECT_EQ(canvas.At(174, 0), 0x000000u);
    EXPECT_EQ(canvas.At(0, 20), 0x123456u);  // below the small monitors nothing is drawn
    EXPECT_EQ(canvas.At(834, 7), 0x123456u);
    for (const std::size_t i : {0u, 2u}) {
        for (int y = 0; y < monitors[i].height; ++y) {
            for (int x = monitors[i].x; x < monitors[i].x + monitors[i].width; ++x) {
                const std::uint32_t pixel = canvas.At(x, y);
                const int grey = static_cast<int>(pixel & 0xFF);
                ASSERT_NEAR(grey, 128, 24) << "at " << x << "," << y;
                ASSERT_EQ(pixel, static_cast<std::uint32_t>(grey * 0x010101));
            }
        }
    }
    EXPECT_FALSE(CodecPictureLoader().DrawStretched(dir.File("none.bmp"), parts).ok());
}

}  // namespace
}  // namespace orvella
