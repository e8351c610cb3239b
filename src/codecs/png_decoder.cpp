#include <png.h>

#include <cstring>
#include <string>
#include <vector>

#include "codecs/codec_messages.h"
#include "codecs/decoders.h"

namespace orvella {
namespace {

// Deflate expands at most about 1032 times, so a file cannot hold a picture whose rows take
// more than this many times its size.
constexpr std::uint64_t kMaxInflation = 1100;

// What libpng's callbacks share with us: the input, and the text of the error that ended
// a stage. Plain data, so it can be written to right before a longjmp.
struct PngContext {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position;
    bool truncated;
    char message[200];
};

void OnError(png_structp png, png_const_charp message) {
    auto* context = static_cast<PngContext*>(png_get_error_ptr(png));
    std::snprintf(context->message, sizeof context->message, "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {
    // Warnings are about ancillary data we do not use (colour profiles, text); nothing to do.
}

void OnRead(png_structp png, png_bytep out, png_size_t length) {
    auto* context = static_cast<PngContext*>(png_get_io_ptr(png));
    if (context->size - context->position < length) {
        context->truncated = true;
        png_error(png, "unexpected end of file");
    }
    std::memcpy(out, context->data + context->position, length);
    context->position += length;
}

// libpng's read and info structures, destroyed with the owner.
class PngReader {
public:
    explicit PngReader(PngContext* context)
        : png_(png_create_read_struct(PNG_LIBPNG_VER_STRING, context, OnError, OnWarning)),
          info_(png_ != nullptr ? png_create_info_struct(png_) : nullptr) {}
    ~PngReader() {
        if (png_ != nullptr)
            png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr);
    }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    bool ok() const { return png_ != nullptr && info_ != nullptr; }
    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

private:
    png_structp png_;
    png_infop info_;
};

struct PngHeader {
    png_uint_32 width;
    png_uint_32 height;
    std::size_t row_bytes;  // of the decoded rows, after our transformations
    int channels;
};

// The stages that call libpng run under a setjmp and hold only trivially destructible
// locals, so the longjmp of an error skips no destructor. Each returns false after an error,
// with the message in the context.

bool ReadHeader(const PngReader& reader, PngContext* context, PngHeader* header) {
    png_structp png = reader.png();
    png_infop info = reader.info();
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_read_fn(png, context, OnRead);
    // We check the size ourselves, against our own limit, before libpng allocates rows.
    png_set_user_limits(png, 0x7FFFFFFF, 0x7FFFFFFF);
    png_read_info(png, info);
    header->width = png_get_image_width(png, info);
    header->height = png_get_image_height(png, info);
    return true;
}

// Asks libpng for 8-bit RGB or RGBA rows, whatever the file stores.
bool ChooseTransformations(const PngReader& reader, PngHeader* header) {
    png_structp png = reader.png();
    png_infop info = reader.info();
    if (setjmp(png_jmpbuf(png)))
        return false;
    const png_byte colour = png_get_color_type(png, info);
    const png_byte depth = png_get_bit_depth(png, info);
    if (colour == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colour == PNG_COLOR_TYPE_GRAY && depth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    if (depth == 16)
        png_set_scale_16(png);
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    header->row_bytes = png_get_rowbytes(png, info);
    header->channels = png_get_channels(png, info);
    return true;
}

bool ReadRows(const PngReader& reader, png_bytepp rows) {
    if (setjmp(png_jmpbuf(reader.png())))
        return false;
    png_read_image(reader.png(), rows);
    return true;
}

Status Failure(const PngContext& context) {
    return Status::Error(
        CodecText(context.truncated ? CodecMessage::Truncated : CodecMessage::Damaged,
                  std::string("PNG: ") + context.message));
}

}  // namespace

Result<Bitmap> DecodePng(ByteSpan bytes, const DecodeOptions& options) {
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0)
        return Status::Error(
            CodecText(bytes.size() < 8 ? CodecMessage::Truncated : CodecMessage::Damaged,
                      "PNG: keine PNG-Kennung"));
    PngContext context{bytes.data(), bytes.size(), 0, false, {}};
    PngReader reader(&context);
    if (!reader.ok())
        return Status::Error(CodecText(CodecMessage::Damaged, "PNG: kein Speicher"));
    PngHeader header{};
    if (!ReadHeader(reader, &context, &header))
        return Failure(context);
    if (Status size = CheckDeclaredSize(bytes, header.width, header.height, options, "PNG"); !size)
        return size;
    // The smallest the compressed rows can be: one bit a pixel and a filter byte a row.
    const std::uint64_t packed_rows =
        (std::uint64_t{header.width} + 7) / 8 * header.height + header.height;
    if (packed_rows > static_cast<std::uint64_t>(bytes.size()) * kMaxInflation)
        return Status::Error(CodecText(CodecMessage::Truncated, "PNG"));
    if (!ChooseTransformations(reader, &header))
        return Failure(context);
    if (header.channels != 3 && header.channels != 4)
        return Status::Error(CodecText(CodecMessage::Unsupported,
                                       "PNG mit " + std::to_string(header.channels) + " Kanälen"));
    Result<Bitmap> created = Bitmap::Create(
        static_cast<int>(header.width), static_cast<int>(header.height),
        header.channels == 4 ? PixelFormat::Rgba : PixelFormat::Rgb, options.max_pixels);
    if (!created)
        return created.status();
    Bitmap bitmap = std::move(created).value();
    if (bitmap.stride() != header.row_bytes)
        return Status::Error(CodecText(CodecMessage::Unsupported, "PNG-Zeilenformat"));
    std::vector<png_bytep> rows(header.height);
    for (png_uint_32 y = 0; y < header.height; ++y)
        rows[y] = bitmap.row(static_cast<int>(y));
    if (!ReadRows(reader, rows.data()))
        return Failure(context);
    return bitmap;
}

}  // namespace orvella
