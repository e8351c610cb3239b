// Writes the seed pictures of the decoder fuzzers: make_fuzz_seeds <fuzz/seeds folder>.
// Each is small and valid, and together they reach every branch of header parsing we have:
// the seeds in the repository were made with it, and it remakes them after a format change.
#include <png.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "codecs/compose.h"
#include "codecs/jpeg_encoder.h"
#include "image_writers.h"

namespace {

using namespace orvella;
using namespace orvella::testing;
using namespace std::string_literals;

Bitmap Gradient(int width, int height, PixelFormat format) {
    Bitmap bitmap = Bitmap::Create(width, height, format).value();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y,
                            Colour{static_cast<std::uint8_t>(x * 255 / width),
                                   static_cast<std::uint8_t>(y * 255 / height),
                                   static_cast<std::uint8_t>((x ^ y) * 16),
                                   static_cast<std::uint8_t>(255 - x * 8)});
    return bitmap;
}

bool Save(const std::string& folder, const std::string& name, const std::string& bytes) {
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out << bytes;
    return out.good();
}

std::vector<std::pair<std::string, std::string>> BmpSeeds() {
    const std::vector<Colour> palette = {
        {0, 0, 0, 255}, {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}};
    std::vector<std::pair<std::string, std::string>> seeds;
    std::string dib = InfoHeader({.width = 4, .height = 2, .bits = 24});
    dib += std::string(24, '\x40');
    seeds.emplace_back("rgb24.bmp", BmpFile(dib, 40));

    std::string rle8 =
        InfoHeader({.width = 5, .height = 4, .bits = 8, .compression = 1, .colours_used = 4}) +
        PaletteEntries(palette);
    const std::size_t rle8_at = rle8.size();
    rle8 +=
        "\x03\x01\x00\x03\x02\x03\x01\x00\x00\x00\x00\x02\x02\x00\x02\x02\x00\x00\x02\x03"s
        "\x00\x02\x01\x01\x02\x01\x00\x01"s;
    seeds.emplace_back("rle8.bmp", BmpFile(rle8, rle8_at));

    std::string rle4 =
        InfoHeader({.width = 4, .height = -2, .bits = 4, .compression = 2, .colours_used = 4}) +
        PaletteEntries(palette);
    const std::size_t rle4_at = rle4.size();
    rle4 += "\x04\x12\x00\x00\x00\x03\x31\x20\x00\x01"s;
    seeds.emplace_back("rle4.bmp", BmpFile(rle4, rle4_at));

    DibFields v5{.width = 2, .height = 2, .bits = 32, .compression = 3, .header_size = 124};
    v5.masks[0] = 0x00FF0000;
    v5.masks[1] = 0x0000FF00;
    v5.masks[2] = 0x000000FF;
    v5.masks[3] = 0xFF000000;
    seeds.emplace_back("v5-alpha.bmp", BmpFile(InfoHeader(v5) + std::string(16, '\x7F'), 124));

    std::string rgb565 = InfoHeader({.width = 2, .height = 1, .bits = 16, .compression = 3});
    Put32(rgb565, 0xF800);
    Put32(rgb565, 0x07E0);
    Put32(rgb565, 0x001F);
    seeds.emplace_back("rgb565.bmp", BmpFile(rgb565 + "\x00\xF8\xE0\x07"s, 52));

    std::string core = CoreHeader(3, 1, 1) + PaletteEntries({{0, 0, 0, 255}, {9, 9, 9, 255}}, true);
    seeds.emplace_back("os2-1bit.bmp", BmpFile(core + "\xA0\0\0\0"s, core.size()));
    return seeds;
}

std::vector<std::pair<std::string, std::string>> JpegSeeds() {
    std::vector<std::uint8_t> grey(24 * 16);
    for (std::size_t i = 0; i < grey.size(); ++i)
        grey[i] = static_cast<std::uint8_t>(i * 7);
    std::vector<std::uint8_t> cmyk(16 * 8 * 4, 0x80);
    std::vector<std::uint8_t> rgb(32 * 24 * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<std::uint8_t>(i * 13);
    return {{"baseline.jpg", EncodeJpeg(Gradient(40, 24, PixelFormat::Rgb), 92).value()},
            {"grey.jpg", EncodeRawJpeg(24, 16, 1, grey)},
            {"cmyk.jpg", EncodeRawJpeg(16, 8, 4, cmyk)},
            {"progressive.jpg", EncodeRawJpeg(32, 24, 3, rgb, true)}};
}

std::vector<std::pair<std::string, std::string>> PngSeeds() {
    PngSpec palette{.width = 5, .height = 2, .colour_type = PNG_COLOR_TYPE_PALETTE, .bit_depth = 2};
    palette.palette = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}};
    palette.trns = {255, 0};
    palette.rows = {{0b00011000, 0b01000000}, {0b10101010, 0}};
    PngSpec grey{.width = 9, .height = 2, .colour_type = PNG_COLOR_TYPE_GRAY, .bit_depth = 1};
    grey.rows = {{0xA5, 0x80}, {0x5A, 0x00}};
    PngSpec deep{
        .width = 2, .height = 1, .colour_type = PNG_COLOR_TYPE_GRAY_ALPHA, .bit_depth = 16};
    deep.rows = {{1, 2, 3, 4, 5, 6, 7, 8}};
    const Bitmap rgba = Gradient(11, 9, PixelFormat::Rgba);
    PngSpec interlaced{
        .width = 11, .height = 9, .colour_type = PNG_COLOR_TYPE_RGB_ALPHA, .interlaced = true};
    for (int y = 0; y < 9; ++y)
        interlaced.rows.emplace_back(rgba.row(y), rgba.row(y) + rgba.stride());
    return {{"palette-trns.png", EncodePng(palette)},
            {"grey1.png", EncodePng(grey)},
            {"grey-alpha16.png", EncodePng(deep)},
            {"rgba-interlaced.png", EncodePng(interlaced)}};
}

std::vector<std::pair<std::string, std::string>> GifSeeds() {
    GifSpec plain{.screen_width = 4, .screen_height = 3, .width = 4, .height = 3};
    plain.colours = {{0, 0, 0, 255}, {255, 255, 255, 255}};
    plain.indices = {0, 1, 0, 1, 1, 0, 1, 0, 0, 0, 1, 1};
    plain.second_frame = true;
    GifSpec placed{.screen_width = 6,
                   .screen_height = 12,
                   .left = 1,
                   .top = 2,
                   .width = 3,
                   .height = 9,
                   .interlaced = true,
                   .transparent = 2};
    placed.colours = {{0, 0, 0, 255}, {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}};
    for (int i = 0; i < 27; ++i)
        placed.indices.push_back(static_cast<std::uint8_t>(i % 4));
    return {{"plain.gif", EncodeGif(plain)}, {"interlaced-transparent.gif", EncodeGif(placed)}};
}

std::vector<std::pair<std::string, std::string>> IcoSeeds() {
    std::string masked = InfoHeader({.width = 8, .height = 16, .bits = 4, .colours_used = 2}) +
                         PaletteEntries({{0, 0, 255, 255}, {255, 0, 0, 255}});
    masked += std::string(8 * 4, '\x01');  // colour rows: 4 bytes each
    masked += std::string(8 * 4, '\x0F');  // AND mask rows
    std::string alpha = InfoHeader({.width = 4, .height = 8, .bits = 32});
    alpha += std::string(4 * 4 * 4, '\x80');
    alpha += std::string(4 * 4, '\0');
    return {{"masked.ico", IcoFile({{8, 8, 4, masked}, {4, 4, 32, alpha}})},
            {"png.ico", IcoFile({{6, 5, 32, EncodePng(Gradient(6, 5, PixelFormat::Rgba))}})}};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seeds folder with bmp/ jpeg/ png/ gif/ ico/>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const std::pair<const char*, std::vector<std::pair<std::string, std::string>>> kinds[] = {
        {"bmp", BmpSeeds()},
        {"jpeg", JpegSeeds()},
        {"png", PngSeeds()},
        {"gif", GifSeeds()},
        {"ico", IcoSeeds()}};
    for (const auto& [kind, seeds] : kinds) {
        for (const auto& [name, bytes] : seeds) {
            if (!Save(folder + "/" + kind, name, bytes)) {
                std::fprintf(stderr, "cannot write %s/%s/%s\n", folder.c_str(), kind, name.c_str());
                return 1;
            }
        }
    }
    return 0;
}
