#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codecs/decoders.h"
#include "image_writers.h"

namespace orvella {
namespace {

using testing::DibFields;
using testing::EncodePng;
using testing::IcoFile;
using testing::IconImage;
using testing::InfoHeader;
using testing::PaletteEntries;

constexpr Colour kRed{255, 0, 0, 255};
constexpr Colour kBlue{0, 0, 255, 255};

// A 1-bit icon entry of size x size: colour index 1 (red) everywhere, with an AND mask
// that marks the left column transparent. Rows are bottom-up and padded to 32 bits.
std::string MaskedIcon(int size) {
    std::string dib = InfoHeader({.width = size, .height = 2 * size, .bits = 1});
    dib += PaletteEntries({kBlue, kRed});
    const std::size_t stride = (static_cast<std::size_t>(size) + 31) / 32 * 4;
    for (int y = 0; y < size; ++y) {  // colour: all ones
        std::string row(stride, '\0');
        for (int x = 0; x < size; ++x)
            row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        dib += row;
    }
    for (int y = 0; y < size; ++y) {  // mask: the first pixel of each row
        std::string row(stride, '\0');
        row[0] = static_cast<char>(0x80);
        dib += row;
    }
    return dib;
}

// A 32-bit entry whose pixels carry alpha: blue at alpha 0x40 everywhere.
std::string AlphaIcon(int size) {
    std::string dib = InfoHeader({.width = size, .height = 2 * size, .bits = 32});
    for (int i = 0; i < size * size; ++i)
        dib += std::string("\xFF\x00\x00\x40", 4);
    dib += std::string(static_cast<std::size_t>((size + 31) / 32 * 4 * size), '\0');
    return dib;
}

TEST(IcoDecoderTest, TakesTheLargestEntryAndItsAndMask) {
    const std::string file = IcoFile(
        {{16, 16, 1, MaskedIcon(16)}, {32, 32, 1, MaskedIcon(32)}, {24, 24, 1, MaskedIcon(24)}});
    Result<Bitmap> icon = DecodeIco(AsBytes(file));
    ASSERT_TRUE(icon.ok()) << icon.message();
    EXPECT_EQ(icon->width(), 32);
    EXPECT_EQ(icon->height(), 32);
    EXPECT_EQ(icon->format(), PixelFormat::Rgba);
    EXPECT_EQ(icon->Pixel(0, 5).a, 0);
    EXPECT_EQ(icon->Pixel(1, 5), kRed);
    EXPECT_EQ(icon->Pixel(31, 31), kRed);
}

TEST(IcoDecoderTest, PrefersMoreBitsAtTheSameSizeAndKeepsTheirAlpha) {
    // The directory states 0 bits for both: the depth comes from the embedded headers.
    const std::string file = IcoFile({{16, 16, 0, MaskedIcon(16)}, {16, 16, 0, AlphaIcon(16)}});
    Result<Bitmap> icon = DecodeIco(AsBytes(file));
    ASSERT_TRUE(icon.ok()) << icon.message();
    EXPECT_EQ(icon->Pixel(0, 0), (Colour{0, 0, 255, 0x40}));
    EXPECT_EQ(icon->Pixel(15, 15), (Colour{0, 0, 255, 0x40}));
}

TEST(IcoDecoderTest, ReadsAPngEntryOf256Pixels) {
    Bitmap picture = Bitmap::Create(256, 256, PixelFormat::Rgb).value();
    picture.SetPixel(10, 20, kBlue);
    const std::string file =
        IcoFile({{32, 32, 1, MaskedIcon(32)}, {256, 256, 32, EncodePng(picture)}});
    Result<Bitmap> icon = DecodeIco(AsBytes(file));
    ASSERT_TRUE(icon.ok()) << icon.message();
    EXPECT_EQ(icon->width(), 256);
    EXPECT_EQ(icon->format(), PixelFormat::Rgba);
    EXPECT_EQ(icon->Pixel(10, 20), kBlue);
    EXPECT_EQ(icon->Pixel(0, 0), (Colour{0, 0, 0, 255}));
}

TEST(IcoDecoderTest, BrokenDirectoriesFailWithAMessage) {
    const auto expect_failure = [](const std::string& file, const std::string& part) {
        Result<Bitmap> icon = DecodeIco(AsBytes(file));
        ASSERT_FALSE(icon.ok());
        EXPECT_NE(icon.message().find(part), std::string::npos) << icon.message();
    };
    expect_failure(std::string("\0\0\1\0\0\0", 6), "keine Bilder");
    expect_failure(std::string("\0\0\7\0\1\0", 6), "keine Symboldatei");
    // The entry points past the end of the file.
    std::string file = IcoFile({{16, 16, 1, MaskedIcon(16)}});
    file.resize(file.size() - 10);
    expect_failure(file, "unvollständig");
    // The AND mask is missing.
    std::string no_mask = MaskedIcon(16);
    no_mask.resize(no_mask.size() - 64);
    expect_failure(IcoFile({{16, 16, 1, no_mask}}), "unvollständig");
}

}  // namespace
}  // namespace orvella
