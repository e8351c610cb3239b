#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "allocation_probe.h"
#include "codecs/decoders.h"
#include "image_writers.h"

namespace orvella {
namespace {

using testing::EncodeGif;
using testing::EncodePng;
using testing::GifSpec;
using testing::PngSpec;

constexpr Colour kRed{255, 0, 0, 255};
constexpr Colour kGreen{0, 255, 0, 255};
constexpr Colour kBlue{0, 0, 255, 255};
constexpr Colour kClear{0, 0, 0, 0};

Result<Bitmap> Png(const PngSpec& spec) {
    return DecodePng(AsBytes(EncodePng(spec)));
}

TEST(PngDecoderTest, PaletteWithTransparencyAndPackedIndices) {
    // 2-bit indices, 5 pixels a row: the row takes two bytes, the last partly used.
    PngSpec spec{.width = 5, .height = 2, .colour_type = PNG_COLOR_TYPE_PALETTE, .bit_depth = 2};
    spec.palette = {kRed, kGreen, kBlue};
    spec.rows = {{0b00011000, 0b01000000}, {0b10101010, 0b00000000}};
    Result<Bitmap> opaque = Png(spec);
    ASSERT_TRUE(opaque.ok()) << opaque.message();
    EXPECT_EQ(opaque->format(), PixelFormat::Rgb);
    EXPECT_EQ(opaque->Pixel(0, 0), kRed);
    EXPECT_EQ(opaque->Pixel(1, 0), kGreen);
    EXPECT_EQ(opaque->Pixel(2, 0), kBlue);
    EXPECT_EQ(opaque->Pixel(4, 0), kGreen);
    EXPECT_EQ(opaque->Pixel(3, 1), kBlue);

    spec.trns = {255, 0};  // green transparent, the rest opaque
    Result<Bitmap> keyed = Png(spec);
    ASSERT_TRUE(keyed.ok()) << keyed.message();
    EXPECT_EQ(keyed->format(), PixelFormat::Rgba);
    EXPECT_EQ(keyed->Pixel(0, 0), kRed);
    EXPECT_EQ(keyed->Pixel(1, 0).a, 0);
    EXPECT_EQ(keyed->Pixel(2, 0), kBlue);
}

TEST(PngDecoderTest, GreyDepthsGreyAlphaAndSixteenBitsBecomeEightBitRgb) {
    PngSpec grey1{.width = 3, .height = 1, .colour_type = PNG_COLOR_TYPE_GRAY, .bit_depth = 1};
    grey1.rows = {{0b10100000}};
    Result<Bitmap> bits = Png(grey1);
    ASSERT_TRUE(bits.ok()) << bits.message();
    EXPECT_EQ(bits->Pixel(0, 0), (Colour{255, 255, 255, 255}));
    EXPECT_EQ(bits->Pixel(1, 0), (Colour{0, 0, 0, 255}));

    PngSpec grey_alpha{.width = 1, .height = 1, .colour_type = PNG_COLOR_TYPE_GRAY_ALPHA};
    grey_alpha.rows = {{100, 50}};
    Result<Bitmap> ga = Png(grey_alpha);
    ASSERT_TRUE(ga.ok()) << ga.message();
    EXPECT_EQ(ga->Pixel(0, 0), (Colour{100, 100, 100, 50}));

    // 16-bit RGB, big-endian samples: 0xFFFF, 0x8080, 0x0000.
    PngSpec deep{.width = 1, .height = 1, .colour_type = PNG_COLOR_TYPE_RGB, .bit_depth = 16};
    deep.rows = {{0xFF, 0xFF, 0x80, 0x80, 0x00, 0x00}};
    Result<Bitmap> rgb16 = Png(deep);
    ASSERT_TRUE(rgb16.ok()) << rgb16.message();
    EXPECT_EQ(rgb16->Pixel(0, 0), (Colour{255, 128, 0, 255}));

    // A grey colour key: grey 7 is transparent.
    PngSpec key{.width = 2, .height = 1, .colour_type = PNG_COLOR_TYPE_GRAY};
    key.has_key = true;
    key.trns_grey = 7;
    key.rows = {{7, 8}};
    Result<Bitmap> keyed = Png(key);
    ASSERT_TRUE(keyed.ok()) << keyed.message();
    EXPECT_EQ(keyed->Pixel(0, 0).a, 0);
    EXPECT_EQ(keyed->Pixel(1, 0), (Colour{8, 8, 8, 255}));
}

TEST(PngDecoderTest, InterlacedRgbaReadsLikeTheSamePictureNotInterlaced) {
    PngSpec spec{.width = 13, .height = 11, .colour_type = PNG_COLOR_TYPE_RGB_ALPHA};
    for (int y = 0; y < spec.height; ++y) {
        std::vector<std::uint8_t> row;
        for (int x = 0; x < spec.width; ++x)
            row.insert(row.end(),
                       {static_cast<std::uint8_t>(x * 19), static_cast<std::uint8_t>(y * 23),
                        static_cast<std::uint8_t>(x * y), static_cast<std::uint8_t>(255 - x)});
        spec.rows.push_back(row);
    }
    Result<Bitmap> plain = Png(spec);
    spec.interlaced = true;
    Result<Bitmap> interlaced = Png(spec);
    ASSERT_TRUE(plain.ok()) << plain.message();
    ASSERT_TRUE(interlaced.ok()) << interlaced.message();
    ASSERT_EQ(interlaced->format(), PixelFormat::Rgba);
    for (int y = 0; y < spec.height; ++y) {
        for (int x = 0; x < spec.width; ++x) {
            const Colour expected{
                static_cast<std::uint8_t>(x * 19), static_cast<std::uint8_t>(y * 23),
                static_cast<std::uint8_t>(x * y), static_cast<std::uint8_t>(255 - x)};
            EXPECT_EQ(interlaced->Pixel(x, y), expected) << x << "," << y;
            EXPECT_EQ(plain->Pixel(x, y), expected) << x << "," << y;
        }
    }
}

// Patches the IHDR width and height of a PNG and recomputes the chunk's CRC, so the only
// thing wrong is the size.
std::string WithDeclaredSize(std::string png, std::uint32_t width, std::uint32_t height) {
    const auto put = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            png[at + i] = static_cast<char>(value >> (24 - 8 * i));
    };
    put(16, width);
    put(20, height);
    const auto* chunk = reinterpret_cast<const Bytef*>(png.data() + 12);
    put(29, static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0), chunk, 17)));
    return png;
}

TEST(PngDecoderTest, DeclaredSizesAreCheckedBeforeAllocating) {
    PngSpec spec{.width = 4, .height = 4, .colour_type = PNG_COLOR_TYPE_RGB};
    spec.rows.assign(4, std::vector<std::uint8_t>(12, 0x40));
    const std::string png = EncodePng(spec);
    ASSERT_TRUE(DecodePng(AsBytes(png)).ok());

    testing::LargestAllocation probe;
    Result<Bitmap> huge = DecodePng(AsBytes(WithDeclaredSize(png, 100000, 100000)));
    ASSERT_FALSE(huge.ok());
    EXPECT_NE(huge.message().find("zu groß"), std::string::npos) << huge.message();
    // Allowed by the limit, but no 80-byte file inflates to 16000 x 16000 pixels.
    Result<Bitmap> inflated = DecodePng(AsBytes(WithDeclaredSize(png, 16000, 16000)));
    ASSERT_FALSE(inflated.ok());
    EXPECT_NE(inflated.message().find("unvollständig"), std::string::npos) << inflated.message();
    Result<Bitmap> empty = DecodePng(AsBytes(WithDeclaredSize(png, 0, 4)));
    ASSERT_FALSE(empty.ok());
    EXPECT_FALSE(empty.message().empty());
    EXPECT_LT(probe.bytes(), std::size_t{1} << 20);
}

Result<Bitmap> Gif(const GifSpec& spec) {
    return DecodeGif(AsBytes(EncodeGif(spec)));
}

TEST(GifDecoderTest, FirstFrameWithTransparencyOnItsScreen) {
    GifSpec spec{.screen_width = 3, .screen_height = 2, .width = 3, .height = 2};
    spec.colours = {kRed, kGreen, kBlue, Colour{255, 255, 255, 255}};
    spec.indices = {0, 1, 2, 2, 1, 0};
    spec.second_frame = true;  // must not paint over the first
    Result<Bitmap> opaque = Gif(spec);
    ASSERT_TRUE(opaque.ok()) << opaque.message();
    EXPECT_EQ(opaque->format(), PixelFormat::Rgb);
    EXPECT_EQ(opaque->Pixel(0, 0), kRed);
    EXPECT_EQ(opaque->Pixel(1, 0), kGreen);
    EXPECT_EQ(opaque->Pixel(2, 1), kRed);

    spec.transparent = 1;
    Result<Bitmap> keyed = Gif(spec);
    ASSERT_TRUE(keyed.ok()) << keyed.message();
    EXPECT_EQ(keyed->format(), PixelFormat::Rgba);
    EXPECT_EQ(keyed->Pixel(1, 0), kClear);
    EXPECT_EQ(keyed->Pixel(1, 1), kClear);
    EXPECT_EQ(keyed->Pixel(2, 0), kBlue);

    // A frame smaller than the screen: the rest of the screen is transparent.
    GifSpec placed{
        .screen_width = 4, .screen_height = 3, .left = 1, .top = 1, .width = 2, .height = 1};
    placed.colours = {kRed, kBlue};
    placed.indices = {1, 0};
    Result<Bitmap> framed = Gif(placed);
    ASSERT_TRUE(framed.ok()) << framed.message();
    ASSERT_EQ(framed->width(), 4);
    ASSERT_EQ(framed->height(), 3);
    EXPECT_EQ(framed->Pixel(0, 0), kClear);
    EXPECT_EQ(framed->Pixel(1, 1), kBlue);
    EXPECT_EQ(framed->Pixel(2, 1), kRed);
    EXPECT_EQ(framed->Pixel(3, 2), kClear);
}

TEST(GifDecoderTest, InterlacedRowsLandInPictureOrder) {
    GifSpec spec{
        .screen_width = 2, .screen_height = 10, .width = 2, .height = 10, .interlaced = true};
    for (int i = 0; i < 256; ++i)
        spec.colours.push_back(Colour{static_cast<std::uint8_t>(i), 0, 0, 255});
    for (int y = 0; y < 10; ++y)
        spec.indices.insert(spec.indices.end(), {static_cast<std::uint8_t>(y * 10),
                                                 static_cast<std::uint8_t>(y * 10 + 1)});
    Result<Bitmap> bitmap = Gif(spec);
    ASSERT_TRUE(bitmap.ok()) << bitmap.message();
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(bitmap->Pixel(0, y).r, y * 10) << y;
        EXPECT_EQ(bitmap->Pixel(1, y).r, y * 10 + 1) << y;
    }
}

TEST(GifDecoderTest, BadSizesFailWithAMessage) {
    GifSpec spec{.screen_width = 2, .screen_height = 2, .width = 2, .height = 2};
    spec.colours = {kRed, kBlue};
    spec.indices = {0, 1, 1, 0};
    std::string gif = EncodeGif(spec);
    ASSERT_TRUE(DecodeGif(AsBytes(gif)).ok());
    // The image descriptor follows the 13-byte header and the 6-byte colour table (2 entries).
    const std::size_t descriptor = 13 + 6;
    ASSERT_EQ(gif[descriptor], ',');
    const auto with_frame_size = [&](int width, int height) {
        std::string patched = gif;
        patched[descriptor + 5] = static_cast<char>(width & 0xFF);
        patched[descriptor + 6] = static_cast<char>(width >> 8);
        patched[descriptor + 7] = static_cast<char>(height & 0xFF);
        patched[descriptor + 8] = static_cast<char>(height >> 8);
        return patched;
    };
    testing::LargestAllocation probe;
    Result<Bitmap> zero = DecodeGif(AsBytes(with_frame_size(0, 2)));
    ASSERT_FALSE(zero.ok());
    EXPECT_NE(zero.message().find("Breite oder Höhe 0"), std::string::npos) << zero.message();
    Result<Bitmap> huge = DecodeGif(AsBytes(with_frame_size(65535, 65535)));
    ASSERT_FALSE(huge.ok());
    EXPECT_NE(huge.message().find("zu groß"), std::string::npos) << huge.message();
    Result<Bitmap> unbacked = DecodeGif(AsBytes(with_frame_size(16000, 16000)));
    ASSERT_FALSE(unbacked.ok());
    EXPECT_NE(unbacked.message().find("unvollständig"), std::string::npos) << unbacked.message();
    // A 2 x 2 frame on a logical screen of 16000 x 16000: the screen is what would be made.
    std::string huge_screen = gif;
    huge_screen.replace(6, 4, "\x80\x3e\x80\x3e");
    Result<Bitmap> screen = DecodeGif(AsBytes(huge_screen));
    ASSERT_FALSE(screen.ok());
    EXPECT_NE(screen.message().find("unvollständig"), std::string::npos) << screen.message();
    EXPECT_LT(probe.bytes(), std::size_t{1} << 20);
}

}  // namespace
}  // namespace orvella
