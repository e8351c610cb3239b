#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "allocation_probe.h"
#include "codecs/compose.h"
#include "codecs/decoders.h"
#include "codecs/jpeg_encoder.h"
#include "image_writers.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::EncodeRawJpeg;
using testing::TempDir;

constexpr Colour kOrange{240, 120, 30, 255};
constexpr Colour kTeal{20, 150, 160, 255};

void ExpectNear(Colour actual, Colour expected, int tolerance) {
    EXPECT_NEAR(actual.r, expected.r, tolerance);
    EXPECT_NEAR(actual.g, expected.g, tolerance);
    EXPECT_NEAR(actual.b, expected.b, tolerance);
}

// Left half orange, right half teal.
Bitmap TwoColours(int width, int height) {
    Bitmap bitmap = Bitmap::Create(width, height, PixelFormat::Rgb).value();
    Fill(bitmap, kOrange);
    Bitmap right = Bitmap::Create(width / 2, height, PixelFormat::Rgb).value();
    Fill(right, kTeal);
    Blit(right, bitmap, width - width / 2, 0);
    return bitmap;
}

// The position of the start-of-frame marker, or npos.
std::size_t FrameMarker(const std::string& jpeg, char kind) {
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == '\xFF' && jpeg[i + 1] == kind)
            return i;
    return std::string::npos;
}

TEST(JpegTest, SavedPicturesAreBaselineYcbcrAndReadBackCloseToTheirColours) {
    const Bitmap picture = TwoColours(64, 48);
    Result<std::string> jpeg = EncodeJpeg(picture, kWallpaperJpegQuality);
    ASSERT_TRUE(jpeg.ok()) << jpeg.message();
    const std::size_t sof = FrameMarker(*jpeg, '\xC0');  // baseline sequential
    ASSERT_NE(sof, std::string::npos);
    EXPECT_EQ(FrameMarker(*jpeg, '\xC2'), std::string::npos);  // not progressive
    EXPECT_EQ((*jpeg)[sof + 9], 3);                            // three components
    EXPECT_EQ((*jpeg)[sof + 10], 1);                           // first is Y (id 1)

    Result<Bitmap> back = DecodeJpeg(AsBytes(*jpeg));
    ASSERT_TRUE(back.ok()) << back.message();
    EXPECT_EQ(back->width(), 64);
    EXPECT_EQ(back->height(), 48);
    EXPECT_EQ(back->format(), PixelFormat::Rgb);
    ExpectNear(back->Pixel(5, 5), kOrange, 6);
    ExpectNear(back->Pixel(58, 40), kTeal, 6);

    // A lower quality gives a smaller file; an Rgba picture encodes its colour channels.
    Result<std::string> rough = EncodeJpeg(picture, 20);
    ASSERT_TRUE(rough.ok());
    EXPECT_LT(rough->size(), jpeg->size());
    Result<std::string> from_rgba = EncodeJpeg(ConvertFormat(picture, PixelFormat::Rgba));
    ASSERT_TRUE(from_rgba.ok()) << from_rgba.message();
    EXPECT_EQ(*from_rgba, *jpeg);

    for (int bad : {0, 101}) {
        Result<std::string> refused = EncodeJpeg(picture, bad);
        ASSERT_FALSE(refused.ok());
        EXPECT_NE(refused.message().find("Qualität"), std::string::npos);
    }
    EXPECT_FALSE(EncodeJpeg(Bitmap()).ok());
}

TEST(JpegTest, SaveReplacesTheFileAndReportsAFolderThatIsNotThere) {
    TempDir dir;
    dir.Write("Orvella.jpg", "old content");
    ASSERT_TRUE(SaveJpeg(TwoColours(40, 30), dir.File("Orvella.jpg")).ok());
    const std::string saved = dir.Read("Orvella.jpg");
    Result<Bitmap> back = DecodeJpeg(AsBytes(saved));
    ASSERT_TRUE(back.ok()) << back.message();
    EXPECT_EQ(back->width(), 40);
    ExpectNear(back->Pixel(2, 2), kOrange, 6);

    const Status failed = SaveJpeg(TwoColours(4, 4), dir.File("missing/Orvella.jpg"));
    ASSERT_FALSE(failed.ok());
    EXPECT_NE(failed.message().find("kann nicht geschrieben werden"), std::string::npos)
        << failed.message();
    EXPECT_NE(failed.message().find("missing/Orvella.jpg"), std::string::npos);
}

TEST(JpegTest, GreyCmykAndProgressiveFilesDecodeToRgb) {
    std::vector<std::uint8_t> grey(16 * 16, 90);
    Result<Bitmap> g = DecodeJpeg(AsBytes(EncodeRawJpeg(16, 16, 1, grey)));
    ASSERT_TRUE(g.ok()) << g.message();
    EXPECT_EQ(g->format(), PixelFormat::Rgb);
    ExpectNear(g->Pixel(7, 7), Colour{90, 90, 90, 255}, 2);

    // Adobe CMYK stores inverted inks: full magenta and yellow make red.
    std::vector<std::uint8_t> cmyk;
    for (int i = 0; i < 16 * 16; ++i)
        cmyk.insert(cmyk.end(), {255, 0, 0, 255});
    Result<Bitmap> c = DecodeJpeg(AsBytes(EncodeRawJpeg(16, 16, 4, cmyk)));
    ASSERT_TRUE(c.ok()) << c.message();
    ExpectNear(c->Pixel(8, 8), Colour{255, 0, 0, 255}, 4);

    std::vector<std::uint8_t> rgb;
    for (int i = 0; i < 32 * 32; ++i)
        rgb.insert(rgb.end(), {kTeal.r, kTeal.g, kTeal.b});
    Result<Bitmap> p = DecodeJpeg(AsBytes(EncodeRawJpeg(32, 32, 3, rgb, true)));
    ASSERT_TRUE(p.ok()) << p.message();
    ExpectNear(p->Pixel(16, 16), kTeal, 4);
}

TEST(JpegTest, ReducedScaleIsTheSmallestThatStillCoversTheTarget) {
    const std::string jpeg = EncodeJpeg(TwoColours(800, 600)).value();
    const auto size_for = [&](int width, int height) {
        Result<Bitmap> bitmap =
            DecodeJpeg(AsBytes(jpeg), {.min_width = width, .min_height = height});
        EXPECT_TRUE(bitmap.ok()) << bitmap.message();
        return bitmap.ok() ? std::pair(bitmap->width(), bitmap->height()) : std::pair(0, 0);
    };
    EXPECT_EQ(size_for(0, 0), std::pair(800, 600));
    EXPECT_EQ(size_for(100, 75), std::pair(100, 75));      // 1/8
    EXPECT_EQ(size_for(200, 150), std::pair(200, 150));    // 2/8
    EXPECT_EQ(size_for(201, 150), std::pair(300, 225));    // 3/8: 2/8 is a pixel too narrow
    EXPECT_EQ(size_for(100, 451), std::pair(700, 525));    // the height decides
    EXPECT_EQ(size_for(1920, 1080), std::pair(800, 600));  // never enlarged

    Result<Bitmap> quarter = DecodeJpeg(AsBytes(jpeg), {.min_width = 200, .min_height = 150});
    ASSERT_TRUE(quarter.ok());
    ExpectNear(quarter->Pixel(10, 70), kOrange, 6);
    ExpectNear(quarter->Pixel(190, 70), kTeal, 6);
}

// A part decodes to the pixels of the whole picture cut afterwards, at any offset (the
// decoder widens to whole iMCU columns and cuts back), from baseline, progressive and CMYK
// files; a part of a bitmap encodes to the bytes of its cut-out; a part outside fails.
TEST(JpegTest, PartsDecodeAndEncodeAsTheirCutOuts) {
    Bitmap picture = Bitmap::Create(120, 90, PixelFormat::Rgb).value();
    std::vector<std::uint8_t> rgb;
    std::vector<std::uint8_t> cmyk;
    for (int y = 0; y < 90; ++y) {
        for (int x = 0; x < 120; ++x) {
            const Colour c{static_cast<std::uint8_t>(x * 2), static_cast<std::uint8_t>(y * 2),
                           static_cast<std::uint8_t>((x * y) % 251), 255};
            picture.SetPixel(x, y, c);
            rgb.insert(rgb.end(), {c.r, c.g, c.b});
            cmyk.insert(cmyk.end(), {c.r, c.g, c.b, 200});
        }
    }
    const Rect part{13, 21, 61, 37};
    for (const std::string& jpeg :
         {EncodeJpeg(picture).value(), EncodeRawJpeg(120, 90, 3, rgb, true),
          EncodeRawJpeg(120, 90, 4, cmyk)}) {
        const Bitmap expected = Crop(DecodeJpeg(AsBytes(jpeg)).value(), part).value();
        Result<Bitmap> decoded = DecodeJpegRegion(AsBytes(jpeg), part);
        ASSERT_TRUE(decoded.ok()) << decoded.message();
        ASSERT_EQ(decoded->width(), part.width);
        ASSERT_EQ(decoded->height(), part.height);
        EXPECT_TRUE(
            std::equal(expected.data(), expected.data() + expected.size_bytes(), decoded->data()));
        EXPECT_FALSE(DecodeJpegRegion(AsBytes(jpeg), Rect{100, 0, 21, 10}).ok());
    }
    EXPECT_EQ(EncodeJpegPart(picture, part).value(),
              EncodeJpeg(Crop(picture, part).value()).value());
    EXPECT_FALSE(EncodeJpegPart(picture, Rect{0, 80, 10, 11}).ok());
}

TEST(JpegTest, TruncatedDamagedAndOversizedFilesFailWithAMessage) {
    const std::string jpeg = EncodeJpeg(TwoColours(64, 64)).value();
    const auto expect_failure = [](const std::string& bytes, const std::string& part) {
        Result<Bitmap> bitmap = DecodeJpeg(AsBytes(bytes));
        ASSERT_FALSE(bitmap.ok());
        EXPECT_NE(bitmap.message().find(part), std::string::npos) << bitmap.message();
    };
    expect_failure(jpeg.substr(0, jpeg.size() / 2), "unvollständig");
    expect_failure(jpeg.substr(0, 2), "JPEG");
    expect_failure("", "unvollständig");
    expect_failure("\xFF\xD8\xFF\x01garbage", "JPEG");

    const std::size_t sof = FrameMarker(jpeg, '\xC0');
    ASSERT_NE(sof, std::string::npos);
    std::string bad_components = jpeg;
    bad_components[sof + 9] = 5;  // five components in a frame header sized for three
    expect_failure(bad_components, "beschädigt");
    const auto with_size = [&](int width, int height) {
        std::string patched = jpeg;
        patched[sof + 5] = static_cast<char>(height >> 8);
        patched[sof + 6] = static_cast<char>(height & 0xFF);
        patched[sof + 7] = static_cast<char>(width >> 8);
        patched[sof + 8] = static_cast<char>(width & 0xFF);
        return patched;
    };
    testing::LargestAllocation probe;
    expect_failure(with_size(65000, 65000), "zu groß");
    expect_failure(with_size(64, 0), "JPEG");
    expect_failure(with_size(0, 64), "JPEG");
    EXPECT_LT(probe.bytes(), std::size_t{1} << 20);
}

}  // namespace
}  // namespace orvella
