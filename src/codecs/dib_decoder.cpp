#include "codecs/dib_decoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>

#include "codecs/byte_reader.h"
#include "codecs/codec_messages.h"

namespace orvella {
namespace {

// Compression codes of the info header.
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kJpeg = 4;
constexpr std::uint32_t kPng = 5;
constexpr std::uint32_t kAlphaBitFields = 6;

constexpr std::size_t kCoreHeaderSize = 12;  // OS/2 1.x BITMAPCOREHEADER
constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER

Status Damaged(std::string detail) {
    return Status::Error(CodecText(CodecMessage::Damaged, "BMP: " + detail));
}
Status Truncated() {
    return Status::Error(CodecText(CodecMessage::Truncated, "BMP"));
}
Status Unsupported(std::string detail) {
    return Status::Error(CodecText(CodecMessage::Unsupported, "BMP: " + detail));
}

// One colour channel of a bit-field pixel: the mask, where it starts and how wide it is.
class BitField {
public:
    BitField() = default;
    explicit BitField(std::uint32_t mask)
        : mask_(mask),
          shift_(mask == 0 ? 0 : std::countr_zero(mask)),
          bits_(mask == 0 ? 0 : std::bit_width(mask >> shift_)) {}

    bool present() const { return mask_ != 0; }
    // Scales the channel to 8 bits, so 5-bit 31 and 8-bit 255 are both full.
    std::uint8_t Extract(std::uint32_t pixel) const {
        if (bits_ == 0)
            return 0;
        const std::uint32_t value = (pixel & mask_) >> shift_;
        if (bits_ >= 8)
            return static_cast<std::uint8_t>(value >> (bits_ - 8));
        const std::uint32_t max = (1u << bits_) - 1;
        return static_cast<std::uint8_t>((value * 255 + max / 2) / max);
    }

private:
    std::uint32_t mask_ = 0;
    int shift_ = 0;
    int bits_ = 0;
};

struct DibHeader {
    std::size_t header_size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // rows of the colour picture (half the declared for an icon)
    bool top_down = false;
    int bits = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t colours_used = 0;
    std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
    std::size_t palette_offset = 0;
    std::size_t palette_entry_size = 4;
};

bool IsWindowsHeaderSize(std::size_t size) {
    return size >= kInfoHeaderSize && size != 64;
}

Result<DibHeader> ReadHeader(const ByteReader& in, DibSource source) {
    if (!in.Has(0, 4))
        return Truncated();
    DibHeader header;
    header.header_size = in.U32(0);
    if (header.header_size < kCoreHeaderSize || header.header_size > in.size()) {
        if (header.header_size >= kCoreHeaderSize && header.header_size <= 1024)
            return Truncated();
        return Damaged("Kopfgröße " + std::to_string(header.header_size));
    }
    if (header.header_size == kCoreHeaderSize) {
        header.width = in.U16(4);
        header.height = in.U16(6);
        header.bits = in.U16(10);
        header.palette_entry_size = 3;
    } else if (header.header_size < 16) {
        return Damaged("Kopfgröße " + std::to_string(header.header_size));
    } else {
        // BITMAPINFOHEADER and its successors, and the OS/2 2.x header (16 to 64 bytes),
        // which shares the leading fields and may end after any of them.
        header.width = in.I32(4);
        header.height = in.I32(8);
        header.bits = in.U16(14);
        if (header.header_size >= 20)
            header.compression = in.U32(16);
        if (header.header_size >= 36)
            header.colours_used = in.U32(32);
        if (!IsWindowsHeaderSize(header.header_size) && header.compression >= kBitFields)
            return Unsupported("OS/2-Kompression " + std::to_string(header.compression));
    }
    header.palette_offset = header.header_size;

    if (header.compression == kBitFields || header.compression == kAlphaBitFields) {
        const std::size_t count = header.compression == kAlphaBitFields ? 4 : 3;
        std::size_t masks_at = 40;
        if (header.header_size == kInfoHeaderSize) {
            // The masks follow the plain info header; larger headers hold them.
            if (!in.Has(masks_at, count * 4))
                return Truncated();
            header.palette_offset += count * 4;
        }
        const std::size_t held = header.header_size == kInfoHeaderSize
                                     ? count
                                     : std::min<std::size_t>(4, (header.header_size - 40) / 4);
        for (std::size_t i = 0; i < held; ++i)
            header.masks[i] = in.U32(masks_at + 4 * i);
    }

    if (header.height < 0) {
        header.top_down = true;
        header.height = -header.height;
    }
    if (source == DibSource::Icon)
        header.height /= 2;
    return header;
}

Status CheckCompression(const DibHeader& header) {
    switch (header.compression) {
        case kRgb:
            if (header.bits == 1 || header.bits == 2 || header.bits == 4 || header.bits == 8 ||
                header.bits == 16 || header.bits == 24 || header.bits == 32)
                return Status::Ok();
            return Damaged(std::to_string(header.bits) + " Bit je Pixel");
        case kRle8:
            if (header.bits != 8)
                return Damaged("RLE8 mit " + std::to_string(header.bits) + " Bit je Pixel");
            return Status::Ok();
        case kRle4:
            if (header.bits != 4)
                return Damaged("RLE4 mit " + std::to_string(header.bits) + " Bit je Pixel");
            return Status::Ok();
        case kBitFields:
        case kAlphaBitFields:
            if (header.bits != 16 && header.bits != 32)
                return Unsupported("Bitfelder mit " + std::to_string(header.bits) +
                                   " Bit je Pixel");
            return Status::Ok();
        case kJpeg:
            return Unsupported("eingebettetes JPEG");
        case kPng:
            return Unsupported("eingebettetes PNG");
        default:
            return Unsupported("Kompression " + std::to_string(header.compression));
    }
}

using Palette = std::array<Colour, 256>;

// Entries beyond what the file holds stay black, so a bad index draws black, never reads
// outside the table.
struct PaletteRead {
    Palette colours{};
    std::size_t declared_bytes = 0;  // what the header says the palette takes
};

Result<PaletteRead> ReadPalette(const ByteReader& in, const DibHeader& header,
                                std::optional<std::size_t> pixel_offset) {
    PaletteRead palette;
    std::size_t count = 0;
    if (header.bits <= 8) {
        const std::size_t full = std::size_t{1} << header.bits;
        count = header.colours_used == 0 || header.header_size == kCoreHeaderSize
                    ? full
                    : std::min<std::size_t>(header.colours_used, full);
    } else {
        count = std::min<std::size_t>(header.colours_used, 1u << 16);  // a hint only; skipped
    }
    palette.declared_bytes = count * header.palette_entry_size;
    if (header.bits > 8)
        return palette;
    // Some writers declare more colours than they store before the pixels; take what fits.
    if (pixel_offset && *pixel_offset >= header.palette_offset)
        count =
            std::min(count, (*pixel_offset - header.palette_offset) / header.palette_entry_size);
    if (count == 0)
        return Damaged("Palette fehlt");
    if (!in.Has(header.palette_offset, count * header.palette_entry_size))
        return Truncated();
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = header.palette_offset + i * header.palette_entry_size;
        palette.colours[i] = Colour{in.U8(at + 2), in.U8(at + 1), in.U8(at), 255};
    }
    return palette;
}

// Writes the pixels of one decoded row into the bitmap.
class RowWriter {
public:
    RowWriter(Bitmap& bitmap, bool top_down) : bitmap_(bitmap), top_down_(top_down) {}

    // `file_row` counts rows in file order.
    std::uint8_t* Row(std::int64_t file_row) {
        const int y = top_down_ ? static_cast<int>(file_row)
                                : bitmap_.height() - 1 - static_cast<int>(file_row);
        return bitmap_.row(y);
    }
    int channels() const { return bitmap_.channels(); }

private:
    Bitmap& bitmap_;
    bool top_down_;
};

inline void Put(std::uint8_t* p, int channels, const Colour& c) {
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
    if (channels == 4)
        p[3] = c.a;
}

void DecodeIndexedRow(const std::uint8_t* in, int width, int bits, const Palette& palette,
                      std::uint8_t* out, int channels) {
    const unsigned mask = (1u << bits) - 1;
    for (int x = 0; x < width; ++x) {
        const std::size_t bit = static_cast<std::size_t>(x) * bits;
        const unsigned index = (in[bit / 8] >> (8 - bits - bit % 8)) & mask;
        Put(out + static_cast<std::size_t>(x) * channels, channels, palette[index]);
    }
}

void DecodeFieldRow(const std::uint8_t* in, int width, int bits,
                    const std::array<BitField, 4>& fields, std::uint8_t* out, int channels) {
    for (int x = 0; x < width; ++x) {
        std::uint32_t pixel = 0;
        if (bits == 16) {
            pixel = static_cast<std::uint32_t>(in[2 * x] | (in[2 * x + 1] << 8));
        } else {
            const std::uint8_t* p = in + 4 * static_cast<std::size_t>(x);
            pixel = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                    (static_cast<std::uint32_t>(p[2]) << 16) |
                    (static_cast<std::uint32_t>(p[3]) << 24);
        }
        std::uint8_t* o = out + static_cast<std::size_t>(x) * channels;
        o[0] = fields[0].Extract(pixel);
        o[1] = fields[1].Extract(pixel);
        o[2] = fields[2].Extract(pixel);
        if (channels == 4)
            o[3] = fields[3].present() ? fields[3].Extract(pixel) : 255;
    }
}

void DecodeBgrRow(const std::uint8_t* in, int width, int step, std::uint8_t* out, int channels) {
    for (int x = 0; x < width; ++x) {
        const std::uint8_t* p = in + static_cast<std::size_t>(x) * step;
        std::uint8_t* o = out + static_cast<std::size_t>(x) * channels;
        o[0] = p[2];
        o[1] = p[1];
        o[2] = p[0];
        if (channels == 4)
            o[3] = 255;
    }
}

std::array<BitField, 4> FieldsOf(const DibHeader& header) {
    const bool given = header.compression == kBitFields || header.compression == kAlphaBitFields;
    if (given && (header.masks[0] | header.masks[1] | header.masks[2]) != 0)
        return {BitField(header.masks[0]), BitField(header.masks[1]), BitField(header.masks[2]),
                BitField(header.masks[3])};
    if (header.bits == 16)  // the default 5-5-5
        return {BitField(0x7C00), BitField(0x03E0), BitField(0x001F), BitField()};
    return {BitField(0xFF0000), BitField(0xFF00), BitField(0xFF), BitField()};
}

std::uint64_t RowBytes(std::int64_t width, int bits) {
    return (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bits) + 31) / 32 * 4;
}

Status DecodeUncompressed(const ByteReader& in, std::size_t start, const DibHeader& header,
                          const Palette& palette, RowWriter& rows) {
    const int width = static_cast<int>(header.width);
    const std::size_t stride = RowBytes(header.width, header.bits);
    const std::array<BitField, 4> fields = FieldsOf(header);
    const bool plain32 = header.bits == 32 && header.compression == kRgb;
    for (std::int64_t y = 0; y < header.height; ++y) {
        const std::uint8_t* src = in.At(start + static_cast<std::size_t>(y) * stride);
        std::uint8_t* out = rows.Row(y);
        if (header.bits <= 8)
            DecodeIndexedRow(src, width, header.bits, palette, out, rows.channels());
        else if (header.bits == 24 || plain32)
            DecodeBgrRow(src, width, header.bits / 8, out, rows.channels());
        else
            DecodeFieldRow(src, width, header.bits, fields, out, rows.channels());
    }
    return Status::Ok();
}

// RLE8 and RLE4: pairs of (count, value) runs and escapes (end of line, end of picture,
// a jump, a literal stretch). Pixels never written stay as the bitmap was made.
Status DecodeRle(const ByteReader& in, std::size_t start, const DibHeader& header,
                 const Palette& palette, RowWriter& rows) {
    const bool four = header.compression == kRle4;
    const std::int64_t width = header.width;
    const std::int64_t height = header.height;
    const int channels = rows.channels();
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::size_t at = start;
    const auto put = [&](unsigned index) {
        if (x < width && y < height)
            Put(rows.Row(y) + static_cast<std::size_t>(x) * channels, channels, palette[index]);
        ++x;
    };
    while (y < height) {
        if (!in.Has(at, 2))
            return Truncated();
        const unsigned count = in.U8(at);
        const unsigned value = in.U8(at + 1);
        at += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count && x < width; ++i)
                put(four ? ((i % 2 == 0) ? value >> 4 : value & 0x0F) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of picture
            return Status::Ok();
        } else if (value == 2) {  // jump right and up (in file order)
            if (!in.Has(at, 2))
                return Truncated();
            x = std::min(width, x + in.U8(at));
            y += in.U8(at + 1);
            at += 2;
        } else {  // a literal stretch of `value` pixels, padded to 16 bits
            const std::size_t bytes = four ? (value + 1) / 2 : value;
            if (!in.Has(at, bytes))
                return Truncated();
            for (unsigned i = 0; i < value; ++i) {
                const unsigned byte = in.U8(at + (four ? i / 2 : i));
                put(four ? ((i % 2 == 0) ? byte >> 4 : byte & 0x0F) : byte);
            }
            at += bytes + (bytes % 2);
        }
    }
    return Status::Ok();
}

// The AND mask of an icon: a set bit is a transparent pixel.
void ApplyAndMask(const ByteReader& in, std::size_t start, const DibHeader& header,
                  RowWriter& rows) {
    const int width = static_cast<int>(header.width);
    const std::size_t stride = RowBytes(header.width, 1);
    for (std::int64_t y = 0; y < header.height; ++y) {
        const std::uint8_t* mask = in.At(start + static_cast<std::size_t>(y) * stride);
        std::uint8_t* out = rows.Row(y);
        for (int x = 0; x < width; ++x)
            out[4 * static_cast<std::size_t>(x) + 3] = (mask[x / 8] >> (7 - x % 8)) & 1 ? 0 : 255;
    }
}

bool AnyAlpha(const Bitmap& bitmap) {
    const std::uint8_t* p = bitmap.data();
    for (std::size_t i = 3; i < bitmap.size_bytes(); i += 4)
        if (p[i] != 0)
            return true;
    return false;
}

void MakeOpaque(Bitmap& bitmap) {
    std::uint8_t* p = bitmap.data();
    for (std::size_t i = 3; i < bitmap.size_bytes(); i += 4)
        p[i] = 255;
}

// The bytes of the colour rows, once the file is known to hold them and, for an icon, the
// AND mask after them: every row is checked before any is allocated.
Result<std::uint64_t> ColourBytesPresent(const ByteReader& in, std::size_t start,
                                         const DibHeader& header, DibSource source, bool rle) {
    const std::uint64_t stride = RowBytes(header.width, header.bits);
    const std::uint64_t colour_bytes = stride * static_cast<std::uint64_t>(header.height);
    const std::uint64_t mask_bytes =
        source == DibSource::Icon
            ? RowBytes(header.width, 1) * static_cast<std::uint64_t>(header.height)
            : 0;
    if (!rle && in.size() - start < colour_bytes + mask_bytes)
        return Truncated();
    return colour_bytes;
}

// A 32-bit icon carries its alpha in the fourth byte even without bit fields.
DibHeader EffectiveHeader(const DibHeader& header, DibSource source) {
    DibHeader effective = header;
    if (source == DibSource::Icon && header.bits == 32 && header.compression == kRgb) {
        effective.compression = kBitFields;
        effective.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    }
    return effective;
}

// Writers that leave the alpha byte at 0 mean an opaque picture, not an invisible one; an
// icon without alpha takes its transparency from the AND mask at `mask_start`.
void SettleAlpha(const ByteReader& in, std::size_t mask_start, const DibHeader& header,
                 DibSource source, bool keeps_alpha, RowWriter& rows, Bitmap& bitmap) {
    if (bitmap.format() != PixelFormat::Rgba)
        return;
    const bool has_alpha = keeps_alpha && AnyAlpha(bitmap);
    if (source == DibSource::Icon && !has_alpha)
        ApplyAndMask(in, mask_start, header, rows);
    else if (!has_alpha)
        MakeOpaque(bitmap);
}

}  // namespace

Result<Bitmap> DecodeDib(ByteSpan dib, std::optional<std::size_t> pixel_offset, DibSource source,
                         const DecodeOptions& options) {
    const ByteReader in(dib);
    Result<DibHeader> parsed = ReadHeader(in, source);
    if (!parsed)
        return parsed.status();
    const DibHeader& header = *parsed;
    if (Status size = CheckPictureSize(header.width, header.height, options.max_pixels); !size)
        return size;
    if (Status compression = CheckCompression(header); !compression)
        return compression;
    const bool rle = header.compression == kRle8 || header.compression == kRle4;
    if (source == DibSource::Icon && rle)
        return Unsupported("RLE in einem Symbol");

    Result<PaletteRead> palette = ReadPalette(in, header, pixel_offset);
    if (!palette)
        return palette.status();
    const std::size_t start =
        pixel_offset.value_or(header.palette_offset + palette->declared_bytes);
    if (start > in.size())
        return Truncated();
    Result<std::uint64_t> colour_bytes = ColourBytesPresent(in, start, header, source, rle);
    if (!colour_bytes)
        return colour_bytes.status();

    const DibHeader effective = EffectiveHeader(header, source);
    const bool keeps_alpha = effective.bits >= 16 && FieldsOf(effective)[3].present();
    Result<Bitmap> created = Bitmap::Create(
        static_cast<int>(header.width), static_cast<int>(header.height),
        source == DibSource::Icon || keeps_alpha ? PixelFormat::Rgba : PixelFormat::Rgb,
        options.max_pixels);
    if (!created)
        return created.status();
    Bitmap bitmap = std::move(created).value();
    RowWriter rows(bitmap, header.top_down);

    Status decoded = rle ? DecodeRle(in, start, header, palette->colours, rows)
                         : DecodeUncompressed(in, start, effective, palette->colours, rows);
    if (!decoded)
        return decoded;
    SettleAlpha(in, start + *colour_bytes, header, source, keeps_alpha, rows, bitmap);
    return bitmap;
}

}  // namespace orvella
