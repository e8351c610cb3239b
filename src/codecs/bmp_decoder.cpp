#include <optional>

#include "codecs/byte_reader.h"
#include "codecs/codec_messages.h"
#include "codecs/decoders.h"
#include "codecs/dib_decoder.h"

namespace orvella {

Result<Bitmap> DecodeBmp(ByteSpan bytes, const DecodeOptions& options) {
    constexpr std::size_t kFileHeaderSize = 14;
    const ByteReader in(bytes);
    if (!in.Has(0, 2) || in.U8(0) != 'B' || in.U8(1) != 'M')
        return Status::Error(CodecText(CodecMessage::Damaged, "BMP: keine BMP-Kennung"));
    if (!in.Has(0, kFileHeaderSize))
        return Status::Error(CodecText(CodecMessage::Truncated, "BMP"));
    // The offset of the pixels; 0, which some writers leave, means right after the palette.
    const std::uint32_t pixels_at = in.U32(10);
    std::optional<std::size_t> pixel_offset;
    if (pixels_at != 0) {
        if (pixels_at < kFileHeaderSize)
            return Status::Error(CodecText(CodecMessage::Damaged, "BMP: Datenversatz"));
        if (pixels_at > in.size())
            return Status::Error(CodecText(CodecMessage::Truncated, "BMP"));
        pixel_offset = pixels_at - kFileHeaderSize;
    }
    return DecodeDib(in.Sub(kFileHeaderSize, in.size() - kFileHeaderSize), pixel_offset,
                     DibSource::File, options);
}

}  // namespace orvella
