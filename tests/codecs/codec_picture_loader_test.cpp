#include "codecs/codec_picture_loader.h"

#include <gtest/gtest.h>

#include "codecs/bitmap.h"
#include "image_writers.h"
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

}  // namespace
}  // namespace orvella
