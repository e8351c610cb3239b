#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "allocation_probe.h"
#include "codecs/decoders.h"
#include "image_writers.h"

namespace orvella {
namespace {

using namespace std::string_literals;

using testing::BmpFile;
using testing::CoreHeader;
using testing::DibFields;
using testing::InfoHeader;
using testing::PaletteEntries;
using testing::Put16;
using testing::Put32;

constexpr Colour kRed{255, 0, 0, 255};
constexpr Colour kGreen{0, 255, 0, 255};
constexpr Colour kBlue{0, 0, 255, 255};
constexpr Colour kWhite{255, 255, 255, 255};
constexpr Colour kBlack{0, 0, 0, 255};

// A 3 x 2 picture: red green blue on top, white black red below.
const std::vector<std::vector<Colour>> kPicture = {{kRed, kGreen, kBlue}, {kWhite, kBlack, kRed}};

void ExpectPicture(const Result<Bitmap>& bitmap, const std::vector<std::vector<Colour>>& rows) {
    ASSERT_TRUE(bitmap.ok()) << bitmap.message();
    ASSERT_EQ(bitmap->height(), static_cast<int>(rows.size()));
    ASSERT_EQ(bitmap->width(), static_cast<int>(rows[0].size()));
    for (int y = 0; y < bitmap->height(); ++y)
        for (int x = 0; x < bitmap->width(); ++x)
            EXPECT_EQ(bitmap->Pixel(x, y), rows[y][x]) << "at " << x << "," << y;
}

// Rows of 24-bit BGR, each padded to 4 bytes, in file order.
std::string Pixels24(const std::vector<std::vector<Colour>>& rows, bool bottom_up) {
    std::string out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[bottom_up ? rows.size() - 1 - i : i];
        for (const Colour& c : row) {
            out.push_back(static_cast<char>(c.b));
            out.push_back(static_cast<char>(c.g));
            out.push_back(static_cast<char>(c.r));
        }
        while (out.size() % 4 != 0)
            out.push_back('\0');
    }
    return out;
}

Result<Bitmap> Decode(const std::string& file) {
    return DecodeBmp(AsBytes(file));
}

TEST(BmpDecoderTest, TrueColourBottomUpAndTopDownGiveTheSamePicture) {
    const std::string header = InfoHeader({.width = 3, .height = 2, .bits = 24});
    ExpectPicture(Decode(BmpFile(header + Pixels24(kPicture, true), header.size())), kPicture);
    const std::string top_down = InfoHeader({.width = 3, .height = -2, .bits = 24});
    const Result<Bitmap> bitmap =
        Decode(BmpFile(top_down + Pixels24(kPicture, false), top_down.size()));
    ExpectPicture(bitmap, kPicture);
    EXPECT_EQ(bitmap->format(), PixelFormat::Rgb);

    // The pixel offset of the file header is honoured, with a gap before the pixels.
    const std::string gap(6, '\x55');
    ExpectPicture(Decode(BmpFile(header + gap + Pixels24(kPicture, true), header.size() + 6)),
                  kPicture);
}

TEST(BmpDecoderTest, ThirtyTwoBitsIgnoreTheFourthByteUnlessBitFieldsGiveAlpha) {
    std::string pixels;
    for (int i = 0; i < 2; ++i)  // bottom-up: second row first
        for (const Colour& c : kPicture[1 - i]) {
            pixels += {static_cast<char>(c.b), static_cast<char>(c.g), static_cast<char>(c.r)};
            pixels.push_back(static_cast<char>(0x80));
        }
    const std::string plain = InfoHeader({.width = 3, .height = 2, .bits = 32});
    const Result<Bitmap> opaque = Decode(BmpFile(plain + pixels, plain.size()));
    ExpectPicture(opaque, kPicture);
    EXPECT_EQ(opaque->format(), PixelFormat::Rgb);

    DibFields v5{.width = 3, .height = 2, .bits = 32, .compression = 3, .header_size = 124};
    v5.masks[0] = 0x00FF0000;
    v5.masks[1] = 0x0000FF00;
    v5.masks[2] = 0x000000FF;
    v5.masks[3] = 0xFF000000;
    const std::string header = InfoHeader(v5);
    const Result<Bitmap> translucent = Decode(BmpFile(header + pixels, header.size()));
    ASSERT_TRUE(translucent.ok()) << translucent.message();
    EXPECT_EQ(translucent->format(), PixelFormat::Rgba);
    EXPECT_EQ(translucent->Pixel(1, 0), (Colour{0, 255, 0, 0x80}));

    // An alpha mask whose alpha is 0 everywhere means an opaque picture (a common writer bug).
    for (std::size_t i = 3; i < pixels.size(); i += 4)
        pixels[i] = '\0';
    const Result<Bitmap> zero_alpha = Decode(BmpFile(header + pixels, header.size()));
    ExpectPicture(zero_alpha, kPicture);
}

TEST(BmpDecoderTest, SixteenBitsReadFiveFiveFiveByDefaultAndFiveSixFiveFromBitFields) {
    // One row of two pixels: pure red and pure blue, then white, as 16-bit words.
    std::string pixels;
    Put16(pixels, 0x7C00);  // 5-5-5 red
    Put16(pixels, 0x001F);  // blue
    Put16(pixels, 0x7FFF);  // white
    Put16(pixels, 0);       // padding to 4 bytes
    const std::string plain = InfoHeader({.width = 3, .height = 1, .bits = 16});
    ExpectPicture(Decode(BmpFile(plain + pixels, plain.size())), {{kRed, kBlue, kWhite}});

    std::string pixels565;
    Put16(pixels565, 0xF800);
    Put16(pixels565, 0x07E0);
    Put16(pixels565, 0x8410);  // half of each: 16/31, 32/63, 16/31
    Put16(pixels565, 0);
    std::string header = InfoHeader({.width = 3, .height = 1, .bits = 16, .compression = 3});
    Put32(header, 0xF800);
    Put32(header, 0x07E0);
    Put32(header, 0x001F);
    const Result<Bitmap> bitmap = Decode(BmpFile(header + pixels565, header.size()));
    ASSERT_TRUE(bitmap.ok()) << bitmap.message();
    EXPECT_EQ(bitmap->Pixel(0, 0), kRed);
    EXPECT_EQ(bitmap->Pixel(1, 0), kGreen);
    EXPECT_EQ(bitmap->Pixel(2, 0), (Colour{132, 130, 132, 255}));
}

TEST(BmpDecoderTest, PaletteDepthsUnpackTheirBitsHighestFirst) {
    const std::vector<Colour> palette = {kBlack, kRed, kGreen, kBlue};
    // 1 bit: 9 pixels in a row, so the row spans two bytes and pads to four.
    {
        const std::string header =
            InfoHeader({.width = 9, .height = 1, .bits = 1, .colours_used = 2});
        const std::string dib = header + PaletteEntries({kBlack, kWhite}) + "\xA5\x80\0\0"s;
        const Result<Bitmap> bitmap = Decode(BmpFile(dib, dib.size() - 4));
        ASSERT_TRUE(bitmap.ok()) << bitmap.message();
        const std::string expected = "101001011";
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(bitmap->Pixel(x, 0), expected[x] == '1' ? kWhite : kBlack) << x;
    }
    // 4 bits, two rows bottom-up; index 9 lies outside the 4-colour palette and reads black.
    {
        const std::string header =
            InfoHeader({.width = 3, .height = 2, .bits = 4, .colours_used = 4});
        const std::string dib =
            header + PaletteEntries(palette) + "\x31\x90\0\0"s + "\x12\x30\0\0"s;
        ExpectPicture(Decode(BmpFile(dib, dib.size() - 8)),
                      {{kRed, kGreen, kBlue}, {kBlue, kRed, kBlack}});
    }
    // 8 bits with the full 256-entry palette implied by colours_used = 0.
    {
        std::vector<Colour> full(256, kWhite);
        full[200] = kGreen;
        const std::string header = InfoHeader({.width = 2, .height = 1, .bits = 8});
        const std::string dib = header + PaletteEntries(full) + "\xC8\x05\0\0"s;
        ExpectPicture(Decode(BmpFile(dib, dib.size() - 4)), {{kGreen, kWhite}});
    }
}

TEST(BmpDecoderTest, Os2CoreHeaderWithThreeBytePalette) {
    const std::string dib = CoreHeader(2, 2, 8) + [] {
        std::vector<Colour> palette(256, kBlack);
        palette[1] = kRed;
        palette[2] = kBlue;
        return PaletteEntries(palette, true);
    }() + "\x02\x01\0\0"s + "\x01\x02\0\0"s;
    ExpectPicture(Decode(BmpFile(dib, dib.size() - 8)), {{kRed, kBlue}, {kBlue, kRed}});

    const std::string true_colour = CoreHeader(3, 2, 24);
    ExpectPicture(Decode(BmpFile(true_colour + Pixels24(kPicture, true), true_colour.size())),
                  kPicture);
}

TEST(BmpDecoderTest, Rle8RunsLiteralsJumpsAndLineEnds) {
    const std::vector<Colour> palette = {kBlack, kRed, kGreen, kBlue};
    // A 5 x 4 picture, bottom-up, in file rows:
    //   0: a run of 3 red, a literal green blue red (3 is odd: one pad byte; the red falls
    //      past the right edge), end of line
    //   1: a jump 2 right, a run of 2 green, end of line
    //   2: a run of 2 blue, a jump 1 right and 1 up
    //   3: from x = 3, a run of 2 red, end of picture
    // Skipped pixels stay black.
    const std::string data = "\x03\x01"s + "\x00\x03\x02\x03\x01\x00"s + "\x00\x00"s +
                             "\x00\x02\x02\x00"s + "\x02\x02"s + "\x00\x00"s + "\x02\x03"s +
                             "\x00\x02\x01\x01"s + "\x02\x01"s + "\x00\x01"s;
    const std::string header =
        InfoHeader({.width = 5, .height = 4, .bits = 8, .compression = 1, .colours_used = 4});
    const std::string dib = header + PaletteEntries(palette) + data;
    ExpectPicture(Decode(BmpFile(dib, dib.size() - data.size())),
                  {{kBlack, kBlack, kBlack, kRed, kRed},
                   {kBlue, kBlue, kBlack, kBlack, kBlack},
                   {kBlack, kBlack, kGreen, kGreen, kBlack},
                   {kRed, kRed, kRed, kGreen, kBlue}});
}

TEST(BmpDecoderTest, Rle4AlternatesNibblesAndEndsAtEndOfPicture) {
    const std::vector<Colour> palette = {kBlack, kRed, kGreen, kBlue};
    // 4 x 2, bottom-up. Bottom row: a run of 4 alternating red/green. Top row: a literal
    // of 3 nibbles (blue, red, green) in 2 bytes, padded to 16 bits, then end of picture.
    const std::string data = "\x04\x12"s + "\x00\x00"s + "\x00\x03\x31\x20"s + "\x00\x01"s;
    const std::string header =
        InfoHeader({.width = 4, .height = 2, .bits = 4, .compression = 2, .colours_used = 4});
    const std::string dib = header + PaletteEntries(palette) + data;
    ExpectPicture(Decode(BmpFile(dib, dib.size() - data.size())),
                  {{kBlue, kRed, kGreen, kBlack}, {kRed, kGreen, kRed, kGreen}});
}

TEST(BmpDecoderTest, BadHeadersFailWithAMessage) {
    const auto expect_failure = [](const std::string& file, const std::string& part) {
        const Result<Bitmap> bitmap = Decode(file);
        ASSERT_FALSE(bitmap.ok());
        EXPECT_NE(bitmap.message().find(part), std::string::npos) << bitmap.message();
    };
    const std::string pixels = Pixels24(kPicture, true);
    const std::string good = InfoHeader({.width = 3, .height = 2, .bits = 24});
    expect_failure("XX" + BmpFile(good + pixels, good.size()).substr(2), "BMP-Kennung");
    expect_failure(BmpFile(InfoHeader({.width = 0, .height = 2}) + pixels, 40),
                   "Breite oder Höhe 0");
    expect_failure(BmpFile(InfoHeader({.width = 3, .height = 0}) + pixels, 40),
                   "Breite oder Höhe 0");
    expect_failure(BmpFile(InfoHeader({.width = 3, .height = 2, .bits = 7}) + pixels, 40),
                   "beschädigt");
    expect_failure(
        BmpFile(InfoHeader({.width = 3, .height = 2, .bits = 24, .compression = 4}) + pixels, 40),
        "nicht unterstützt");
    // The last row is cut short.
    const std::string file = BmpFile(good + pixels, good.size());
    expect_failure(file.substr(0, file.size() - 5), "unvollständig");
    // An RLE picture whose data ends before the end-of-picture code.
    const std::string rle =
        InfoHeader({.width = 4, .height = 4, .bits = 8, .compression = 1, .colours_used = 2}) +
        PaletteEntries({kBlack, kWhite}) + "\x04\x01\x00\x00"s;
    expect_failure(BmpFile(rle, rle.size() - 4), "unvollständig");
}

TEST(BmpDecoderTest, AHugeDeclaredSizeFailsBeforeAllocating) {
    const std::string pixels(64, '\0');
    testing::LargestAllocation probe;
    // Past the pixel limit.
    const std::string huge = InfoHeader({.width = 100000, .height = 100000, .bits = 24});
    const Result<Bitmap> too_large = Decode(BmpFile(huge + pixels, huge.size()));
    ASSERT_FALSE(too_large.ok());
    EXPECT_NE(too_large.message().find("zu groß"), std::string::npos) << too_large.message();
    // Within the limit (16000 x 16000), but the file holds 64 bytes of the 768 MB.
    const std::string big = InfoHeader({.width = 16000, .height = -16000, .bits = 24});
    const Result<Bitmap> short_file = Decode(BmpFile(big + pixels, big.size()));
    ASSERT_FALSE(short_file.ok());
    EXPECT_NE(short_file.message().find("unvollständig"), std::string::npos);
    EXPECT_LT(probe.bytes(), std::size_t{1} << 20);
}

TEST(BmpDecoderTest, AFewKilobytesOfRunsCannotClaimHundredsOfMegabytes) {
    // About 1 KB of runs and an end of picture: far too little for the size it declares.
    std::string runs;
    for (int i = 0; i < 500; ++i)
        runs += "\xff\x01"s;
    runs += "\x00\x01"s;
    const auto rle = [&](std::int32_t width, std::int32_t height) {
        const std::string header = InfoHeader({.width = width,
                                               .height = height,
                                               .bits = 8,
                                               .compression = 1,
                                               .colours_used = 2}) +
                                   PaletteEntries({kBlack, kWhite});
        return BmpFile(header + runs, header.size());
    };
    testing::LargestAllocation probe;
    for (const auto& [width, height] : {std::pair{16384, 16384}, std::pair{1 << 28, 1}}) {
        const Result<Bitmap> refused = Decode(rle(width, height));
        ASSERT_FALSE(refused.ok()) << width << " x " << height;
        EXPECT_NE(refused.message().find("unvollständig"), std::string::npos) << refused.message();
    }
    EXPECT_LT(probe.bytes(), std::size_t{1} << 20);
    // A screen-sized picture that is mostly black needs no more data than that.
    const Result<Bitmap> screen = Decode(rle(3840, 2160));
    ASSERT_TRUE(screen.ok()) << screen.message();
    EXPECT_EQ(screen->width(), 3840);
}

TEST(BmpDecoderTest, ACallersPixelLimitIsHonoured) {
    const std::string header = InfoHeader({.width = 3, .height = 2, .bits = 24});
    const std::string file = BmpFile(header + Pixels24(kPicture, true), header.size());
    EXPECT_TRUE(DecodeBmp(AsBytes(file), {.max_pixels = 6}).ok());
    EXPECT_FALSE(DecodeBmp(AsBytes(file), {.max_pixels = 5}).ok());
}

}  // namespace
}  // namespace orvella
