#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "codecs/compose.h"
#include "codecs/decoders.h"
#include "codecs/jpeg_encoder.h"
#include "codecs/resample.h"

namespace orvella {
namespace {

constexpr Colour kRed{200, 30, 40, 255};
constexpr Colour kBlue{10, 60, 220, 255};

Bitmap Solid(int width, int height, Colour colour, PixelFormat format = PixelFormat::Rgb) {
    Bitmap bitmap = Bitmap::Create(width, height, format).value();
    Fill(bitmap, colour);
    return bitmap;
}

// Left half red, right half blue.
Bitmap Split(int width, int height) {
    Bitmap bitmap = Solid(width, height, kRed);
    Blit(Solid(width / 2, height, kBlue), bitmap, width / 2, 0);
    return bitmap;
}

TEST(ResampleTest, HitsTheExactSizeAndKeepsASolidColourSolid) {
    const std::pair<int, int> sizes[] = {{1, 1}, {7, 3}, {100, 100}, {640, 10}, {1, 333}};
    for (PixelFormat format : {PixelFormat::Rgb, PixelFormat::Rgba}) {
        const Bitmap source = Solid(97, 61, kRed, format);
        for (auto [width, height] : sizes) {
            Result<Bitmap> out = Resize(source, width, height);
            ASSERT_TRUE(out.ok()) << out.message();
            ASSERT_EQ(out->width(), width);
            ASSERT_EQ(out->height(), height);
            EXPECT_EQ(out->format(), format);
            for (int y = 0; y < height; y += std::max(1, height / 7))
                for (int x = 0; x < width; x += std::max(1, width / 7))
                    ASSERT_EQ(out->Pixel(x, y), kRed)
                        << width << "x" << height << " at " << x << "," << y;
        }
    }
    // A single pixel grows to any size.
    Result<Bitmap> grown = Resize(Solid(1, 1, kBlue), 33, 17);
    ASSERT_TRUE(grown.ok());
    EXPECT_EQ(grown->Pixel(32, 16), kBlue);
}

TEST(ResampleTest, ATwoColourSplitStaysSplitWhenShrunkAndEnlarged) {
    const Bitmap source = Split(400, 300);
    for (auto [width, height] : {std::pair(37, 23), std::pair(1000, 700), std::pair(400, 17)}) {
        Result<Bitmap> out = Resize(source, width, height);
        ASSERT_TRUE(out.ok()) << out.message();
        // Beyond the filter's reach of the edge each side keeps its exact colour; within
        // it the colours blend, with some pixels plainly between the two.
        const int middle = width / 2;
        const int reach = 3 * std::max(1, (width + 399) / 400) + 2;
        const int y = height / 2;
        int blended = 0;
        for (int x = 0; x < width; ++x) {
            const Colour c = out->Pixel(x, y);
            if (x < middle - reach)
                ASSERT_EQ(c, kRed) << width << " at " << x;
            else if (x >= middle + reach)
                ASSERT_EQ(c, kBlue) << width << " at " << x;
            else if (c.r > kBlue.r + 30 && c.r < kRed.r - 30)
                ++blended;
        }
        if (width != source.width()) {  // at the same width the columns are copied as they are
            EXPECT_GE(blended, 1) << width;
        } else {
            EXPECT_EQ(out->Pixel(middle - 1, y), kRed);
            EXPECT_EQ(out->Pixel(middle, y), kBlue);
        }
        EXPECT_LE(blended, 2 * reach) << width;
    }
    // Shrinking a fine checkerboard averages it to grey rather than picking pixels.
    Bitmap checker = Bitmap::Create(64, 64, PixelFormat::Rgb).value();
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            checker.SetPixel(x, y, (x + y) % 2 ? Colour{255, 255, 255, 255} : Colour{0, 0, 0, 255});
    Result<Bitmap> small = Resize(checker, 8, 8);
    ASSERT_TRUE(small.ok());
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_NEAR(small->Pixel(x, y).r, 128, 12) << x << "," << y;
}

TEST(ResampleTest, AScreenSizedPictureComesOutWholeInBothPixelFormats) {
    // Large enough to be filled in bands side by side; the colours change at a row that is
    // not a band's edge, and across the picture as well.
    Bitmap source = Bitmap::Create(1500, 1000, PixelFormat::Rgb).value();
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.SetPixel(x, y,
                            Colour{static_cast<std::uint8_t>(x * 255 / 1499),
                                   static_cast<std::uint8_t>(y < 300 ? 20 : 230), 90, 255});
    const Result<Bitmap> opaque = Resize(source, 1400, 900);
    const Result<Bitmap> with_alpha = Resize(ConvertFormat(source, PixelFormat::Rgba), 1400, 900);
    ASSERT_TRUE(opaque.ok() && with_alpha.ok());
    int largest_difference = 0;
    for (int y = 0; y < 900; ++y) {
        for (int x = 0; x < 1400; ++x) {
            const Colour a = opaque->Pixel(x, y);
            const Colour b = with_alpha->Pixel(x, y);
            largest_difference = std::max({largest_difference, std::abs(a.r - b.r),
                                           std::abs(a.g - b.g), std::abs(a.b - b.b)});
        }
    }
    EXPECT_LE(largest_difference, 1);  // the two formats take different paths to one result
    for (int y : {0, 200, 449, 450, 451, 600, 899}) {
        const Colour left = opaque->Pixel(0, y);
        const Colour right = opaque->Pixel(1399, y);
        EXPECT_EQ(left.g, y < 260 ? 20 : 230) << y;
        EXPECT_EQ(left.b, 90) << y;
        EXPECT_LE(left.r, 2) << y;
        EXPECT_GE(right.r, 253) << y;
        EXPECT_NEAR(opaque->Pixel(700, y).r, 127, 2) << y;
    }
}

TEST(ResampleTest, TransparentPixelsLendNoColour) {
    // Opaque red on the left, fully transparent green on the right.
    Bitmap source = Solid(20, 4, Colour{0, 255, 0, 0}, PixelFormat::Rgba);
    Blit(Solid(10, 4, kRed), source, 0, 0);
    Result<Bitmap> out = Resize(source, 7, 2);
    ASSERT_TRUE(out.ok());
    for (int x = 0; x < 7; ++x) {
        const Colour c = out->Pixel(x, 1);
        if (c.a > 8) {
            EXPECT_LE(c.g, kRed.g + 3) << x;  // no green bleeding in from the clear side
        }
    }
    EXPECT_EQ(out->Pixel(0, 0), kRed);
    EXPECT_EQ(out->Pixel(6, 0).a, 0);
}

TEST(ResampleTest, RefusesEmptySourcesAndTargets) {
    EXPECT_FALSE(Resize(Bitmap(), 10, 10).ok());
    EXPECT_FALSE(Resize(Solid(4, 4, kRed), 0, 10).ok());
    EXPECT_FALSE(Resize(Solid(4, 4, kRed), 10, -1).ok());
}

TEST(ResampleTest, RowByRowGivesWhatResizeGivesAndSoDoesTheJpegDecoderFeedingIt) {
    // A picture with detail in both directions, so every tap counts.
    Bitmap source = Bitmap::Create(173, 121, PixelFormat::Rgb).value();
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.SetPixel(
                x, y,
                Colour{static_cast<std::uint8_t>(x * 7 + y), static_cast<std::uint8_t>((x ^ y) * 3),
                       static_cast<std::uint8_t>(y * 5 - x), 255});
    for (auto [width, height] : {std::pair(80, 50), std::pair(173, 121), std::pair(300, 13),
                                 std::pair(1, 1), std::pair(50, 240)}) {
        Result<RowResizer> resizer = RowResizer::Create(173, 121, width, height);
        ASSERT_TRUE(resizer.ok()) << resizer.message();
        for (int y = 0; y < source.height(); ++y)
            resizer->Push(source.row(y));
        const Bitmap streamed = std::move(*resizer).Finish();
        const Bitmap whole = Resize(source, width, height).value();
        ASSERT_EQ(streamed.width(), width);
        ASSERT_EQ(streamed.height(), height);
        EXPECT_TRUE(
            std::equal(streamed.data(), streamed.data() + streamed.size_bytes(), whole.data()))
            << width << " x " << height;
    }
    EXPECT_FALSE(RowResizer::Create(0, 10, 5, 5).ok());
    EXPECT_FALSE(RowResizer::Create(10, 10, 5, 0).ok());

    // The decoder picks the reduced scale (1/2 here, 320 x 240 for 300 x 200) and hands its
    // rows over as they come: the same as decoding at that scale and resizing after.
    const std::string jpeg = EncodeJpeg(Resize(source, 640, 480).value()).value();
    const Bitmap fed = DecodeJpegResized(AsBytes(jpeg), 300, 200).value();
    const Bitmap reduced =
        DecodeJpeg(AsBytes(jpeg), DecodeOptions{.min_width = 300, .min_height = 200}).value();
    EXPECT_EQ(reduced.width(), 320);
    const Bitmap after = Resize(reduced, 300, 200).value();
    EXPECT_TRUE(std::equal(fed.data(), fed.data() + fed.size_bytes(), after.data()));
    EXPECT_FALSE(DecodeJpegResized(AsBytes(jpeg.substr(0, 100)), 300, 200).ok());
}

TEST(ComposeTest, BlitClipsAtEveryEdgeAndBlendsAlpha) {
    Bitmap target = Solid(5, 4, kBlue);
    Bitmap patch = Solid(3, 3, kRed);
    Blit(patch, target, -1, -1);  // only its bottom-right 2 x 2 lands
    Blit(patch, target, 4, 3);    // only its top-left pixel lands
    Blit(patch, target, 5, 0);    // entirely outside
    EXPECT_EQ(target.Pixel(0, 0), kRed);
    EXPECT_EQ(target.Pixel(1, 1), kRed);
    EXPECT_EQ(target.Pixel(2, 1), kBlue);
    EXPECT_EQ(target.Pixel(2, 0), kBlue);
    EXPECT_EQ(target.Pixel(4, 3), kRed);
    EXPECT_EQ(target.Pixel(3, 3), kBlue);
    EXPECT_EQ(target.Pixel(4, 2), kBlue);

    Bitmap half = Solid(1, 1, Colour{255, 255, 255, 128}, PixelFormat::Rgba);
    Bitmap black = Solid(1, 1, Colour{0, 0, 0, 255});
    Blit(half, black, 0, 0);
    EXPECT_EQ(black.Pixel(0, 0), (Colour{128, 128, 128, 255}));
    // Over a transparent Rgba destination the source is taken as it is.
    Bitmap clear = Bitmap::Create(1, 1, PixelFormat::Rgba).value();
    Blit(half, clear, 0, 0);
    EXPECT_EQ(clear.Pixel(0, 0), (Colour{255, 255, 255, 128}));
    EXPECT_EQ(Flatten(half, Colour{0, 0, 0, 255}).Pixel(0, 0), (Colour{128, 128, 128, 255}));
}

TEST(ComposeTest, TileRepeatsFromTheTopLeftAndCropTakesTheInsidePart) {
    Bitmap tile = Solid(2, 2, kRed);
    tile.SetPixel(1, 1, kBlue);
    Bitmap wall = Solid(5, 3, Colour{1, 2, 3, 255});
    Tile(tile, wall);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(wall.Pixel(x, y), (x % 2 == 1 && y % 2 == 1) ? kBlue : kRed) << x << "," << y;

    Result<Bitmap> inner = Crop(wall, {.x = 1, .y = 1, .width = 2, .height = 2});
    ASSERT_TRUE(inner.ok());
    EXPECT_EQ(inner->width(), 2);
    EXPECT_EQ(inner->Pixel(0, 0), kBlue);
    EXPECT_EQ(inner->Pixel(1, 0), kRed);
    Result<Bitmap> clipped = Crop(wall, {.x = 3, .y = -5, .width = 10, .height = 7});
    ASSERT_TRUE(clipped.ok());
    EXPECT_EQ(clipped->width(), 2);
    EXPECT_EQ(clipped->height(), 2);
    EXPECT_EQ(clipped->Pixel(0, 1), kBlue);
    EXPECT_FALSE(Crop(wall, {.x = 5, .y = 0, .width = 3, .height = 3}).ok());
    EXPECT_FALSE(Crop(wall, {.x = 0, .y = 0, .width = 0, .height = 3}).ok());
}

}  // namespace
}  // namespace orvella
