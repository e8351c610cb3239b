#include <cstring>
#include <string>

#include "codecs/byte_reader.h"
#include "codecs/codec_messages.h"
#include "codecs/decoders.h"
#include "codecs/dib_decoder.h"

namespace orvella {
namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;

struct IconEntry {
    std::size_t offset = 0;
    std::size_t size = 0;
    std::uint64_t area = 0;
    int bits = 0;
};

bool IsPng(ByteSpan data) {
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return data.size() >= 8 && std::memcmp(data.data(), kSignature, 8) == 0;
}

// The size and depth an entry really has: the directory's bytes for width and height (0
// meaning 256) are often right, its bit count often 0, so the depth is taken from the
// embedded header where there is one.
IconEntry Describe(const ByteReader& in, std::size_t at) {
    IconEntry entry;
    const unsigned width = in.U8(at) == 0 ? 256 : in.U8(at);
    const unsigned height = in.U8(at + 1) == 0 ? 256 : in.U8(at + 1);
    entry.area = static_cast<std::uint64_t>(width) * height;
    entry.bits = in.U16(at + 6);
    entry.size = in.U32(at + 8);
    entry.offset = in.U32(at + 12);
    if (in.Has(entry.offset, 16)) {
        if (IsPng(in.Sub(entry.offset, 8)))
            entry.bits = 32;
        else if (in.U32(entry.offset) >= 16)
            entry.bits = in.U16(entry.offset + 14);
    }
    return entry;
}

}  // namespace

Result<Bitmap> DecodeIco(ByteSpan bytes, const DecodeOptions& options) {
    const ByteReader in(bytes);
    if (!in.Has(0, kDirectorySize))
        return Status::Error(CodecText(CodecMessage::Truncated, "ICO"));
    const std::uint16_t type = in.U16(2);
    if (in.U16(0) != 0 || (type != 1 && type != 2))
        return Status::Error(CodecText(CodecMessage::Damaged, "ICO: keine Symboldatei"));
    const std::size_t count = in.U16(4);
    if (count == 0)
        return Status::Error(CodecText(CodecMessage::Damaged, "ICO: keine Bilder"));
    if (!in.Has(kDirectorySize, count * kEntrySize))
        return Status::Error(CodecText(CodecMessage::Truncated, "ICO"));

    IconEntry best;
    bool found = false;
    for (std::size_t i = 0; i < count; ++i) {
        const IconEntry entry = Describe(in, kDirectorySize + i * kEntrySize);
        if (found &&
            (entry.area < best.area || (entry.area == best.area && entry.bits <= best.bits)))
            continue;
        best = entry;
        found = true;
    }
    if (best.size == 0 || !in.Has(best.offset, best.size))
        return Status::Error(CodecText(CodecMessage::Truncated, "ICO"));

    const ByteSpan image = in.Sub(best.offset, best.size);
    if (IsPng(image)) {
        Result<Bitmap> png = DecodePng(image, options);
        if (!png || png->format() == PixelFormat::Rgba)
            return png;
        return ConvertFormat(*png, PixelFormat::Rgba);  // icons are always Rgba
    }
    return DecodeDib(image, std::nullopt, DibSource::Icon, options);
}

}  // namespace orvella
