#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "codecs/bitmap.h"
#include "codecs/compose.h"
#include "platform/status.h"

namespace orvella {

// A file's bytes, as the decoders take them.
using ByteSpan = std::span<const std::uint8_t>;
inline ByteSpan AsBytes(std::string_view bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

struct DecodeOptions {
    // The caller needs no more than this size; a decoder that can decode at a reduced scale
    // (JPEG) picks the smallest scale that is still at least this large in both directions.
    // 0 means the natural size.
    int min_width = 0;
    int min_height = 0;
    // Pictures whose header declares more pixels than this fail before any allocation.
    std::uint64_t max_pixels = kMaxPixels;
};

// One memory budget per picture, which every decoder checks a declared size against: a
// picture of up to 4096 x 4096 pixels may come from any file, a larger one needs a byte of
// file for every 4096 of its pixels. Real pictures stay far below that (the longest runs of
// deflate, LZW and RLE included), so what is refused are headers that declare far more
// than their data fills, and a file of a few kilobytes cannot make us allocate hundreds of
// megabytes. Fails with "zu groß" past `options.max_pixels`, and as an incomplete file
// past the budget of `bytes`.
inline constexpr std::uint64_t kPixelsWithoutEvidence = std::uint64_t{1} << 24;
inline constexpr std::uint64_t kPixelsPerFileByte = 4096;
Status CheckDeclaredSize(ByteSpan bytes, std::int64_t width, std::int64_t height,
                         const DecodeOptions& options, std::string_view format);

// Each decoder reads one whole file from memory. A damaged, truncated or unsupported file is
// an error with a message; none of them ends the process. Opaque pictures come back as Rgb,
// pictures with transparency as Rgba.

// Windows and OS/2 bitmaps: 1, 2, 4, 8, 16, 24 and 32 bits, RLE4 and RLE8, bit fields,
// bottom-up and top-down, every header size from the OS/2 core header to V5.
Result<Bitmap> DecodeBmp(ByteSpan bytes, const DecodeOptions& options = {});
// Baseline and progressive JPEG, grey, YCbCr, RGB, CMYK and YCCK, always as Rgb.
Result<Bitmap> DecodeJpeg(ByteSpan bytes, const DecodeOptions& options = {});
// A JPEG's natural width and height from its header alone, nothing decoded.
struct NaturalSize {
    int width = 0;
    int height = 0;
};
Result<NaturalSize> ReadJpegSize(ByteSpan bytes);
// The picture at exactly width x height: decoded at the smallest reduced scale that still
// covers it, and resampled row by row as the rows come, so the reduced picture is never
// held whole.
Result<Bitmap> DecodeJpegResized(ByteSpan bytes, int width, int height);
// The part `region` of the picture at its natural size, which must lie inside it: only its
// rows and the iMCU columns that hold it are decoded, and nothing below it.
Result<Bitmap> DecodeJpegRegion(ByteSpan bytes, Rect region);
// The same for a caller that keeps the pixels in a form of its own, without a bitmap of the
// region: `start` is told the region once it is known to be valid (an error from it ends
// the decoding), then `row` gets each of its rows as they are decoded, top to bottom, as
// region.width RGB pixels.
using RegionStart = std::function<Status(const Rect& region)>;
using RegionRow = std::function<void(int y, const std::uint8_t* rgb)>;
Status DecodeJpegRegionRows(ByteSpan bytes, Rect region, const RegionStart& start,
                            const RegionRow& row);
// Every PNG colour type and bit depth, interlaced or not, tRNS as alpha.
Result<Bitmap> DecodePng(ByteSpan bytes, const DecodeOptions& options = {});
// The first frame of a GIF, placed on its logical screen; transparency as alpha.
Result<Bitmap> DecodeGif(ByteSpan bytes, const DecodeOptions& options = {});
// The best entry of an icon or cursor file (largest, then deepest), always as Rgba.
Result<Bitmap> DecodeIco(ByteSpan bytes, const DecodeOptions& options = {});

}  // namespace orvella
