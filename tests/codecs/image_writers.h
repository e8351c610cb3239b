#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codecs/bitmap.h"

// Writers of picture files for the tests: BMP and ICO by hand, byte by byte, so a test can
// build exactly the header it means (and break it); PNG, GIF and JPEG through their
// libraries, so the decoders read what real writers produce.
namespace orvella::testing {

void Put16(std::string& out, std::uint32_t value);
void Put32(std::string& out, std::uint32_t value);

// A BITMAPINFOHEADER-style header of `size` bytes (40, 52, 56, 108 or 124); fields beyond
// the first 40 are zero except the bit masks, written where the header has room for them.
struct DibFields {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t colours_used = 0;
    std::uint32_t masks[4] = {};
    std::size_t header_size = 40;
};
std::string InfoHeader(const DibFields& fields);
// The OS/2 1.x core header: 12 bytes.
std::string CoreHeader(int width, int height, int bits);

// A .bmp file: the 14-byte file header, then `dib` (header, masks, palette, pixels);
// `pixels_at` is where the pixels start inside `dib`.
std::string BmpFile(const std::string& dib, std::size_t pixels_at);

// Palette entries as B, G, R, 0 (or B, G, R for a core header).
std::string PaletteEntries(const std::vector<Colour>& colours, bool core = false);

// One icon directory entry per image; each image is a complete DIB (with AND mask) or PNG.
struct IconImage {
    int width = 0;  // as the directory states it; 256 is written as 0
    int height = 0;
    int bits = 0;
    std::string data = {};
};
std::string IcoFile(const std::vector<IconImage>& images);

// PNG rows as the format stores them (packed samples, big-endian 16-bit), unfiltered.
struct PngSpec {
    int width = 0;
    int height = 0;
    int colour_type = 0;  // PNG_COLOR_TYPE_*
    int bit_depth = 8;
    bool interlaced = false;
    std::vector<Colour> palette = {};     // for PNG_COLOR_TYPE_PALETTE
    std::vector<std::uint8_t> trns = {};  // palette alpha; for grey or RGB a colour key is
    std::uint16_t trns_grey = 0;          // given by these two when has_key is set
    Colour trns_rgb = {};
    bool has_key = false;
    std::vector<std::vector<std::uint8_t>> rows = {};
};
std::string EncodePng(const PngSpec& spec);
// An 8-bit RGB or RGBA PNG of a bitmap.
std::string EncodePng(const Bitmap& bitmap);

struct GifSpec {
    int screen_width = 0;
    int screen_height = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool interlaced = false;
    int transparent = -1;
    std::vector<Colour> colours = {};        // the global colour table; 2, 4, ..., 256 entries
    std::vector<std::uint8_t> indices = {};  // width * height, top-down
    bool second_frame = false;               // a second frame that paints everything with index 0
};
std::string EncodeGif(const GifSpec& spec);

// A JPEG through libjpeg from raw samples: 1 (grey), 3 (RGB) or 4 (CMYK, written with the
// Adobe marker and inverted values as Photoshop does) components.
std::string EncodeRawJpeg(int width, int height, int components,
                          const std::vector<std::uint8_t>& samples, bool progressive = false);

}  // namespace orvella::testing
