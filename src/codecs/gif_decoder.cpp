#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "codecs/codec_messages.h"
#include "codecs/decoders.h"

namespace orvella {
namespace {

// LZW with 12-bit codes turns one byte into at most about 2731 pixels, so a file cannot
// hold a frame larger than this many times its size.
constexpr std::uint64_t kMaxPixelsPerByte = 3000;

struct GifInput {
    ByteSpan bytes;
    std::size_t position = 0;
};

int ReadInput(GifFileType* gif, GifByteType* out, int length) {
    auto* input = static_cast<GifInput*>(gif->UserData);
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(length),
                                                    input->bytes.size() - input->position);
    std::memcpy(out, input->bytes.data() + input->position, count);
    input->position += count;
    return static_cast<int>(count);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int ignored = 0;
        DGifCloseFile(gif, &ignored);  // only fails when handed a null file
    }
};
using GifFile = std::unique_ptr<GifFileType, GifCloser>;

Status Failure(int error) {
    const bool truncated = error == D_GIF_ERR_READ_FAILED || error == D_GIF_ERR_EOF_TOO_SOON;
    const char* text = GifErrorString(error);
    return Status::Error(CodecText(truncated ? CodecMessage::Truncated : CodecMessage::Damaged,
                                   std::string("GIF: ") + (text != nullptr ? text : "?")));
}

// Skips extensions up to the first picture, keeping the transparent index of the graphic
// control block that belongs to it. -1 for none.
Result<int> SkipToFirstImage(GifFileType* gif) {
    int transparent = -1;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &record) == GIF_ERROR)
            return Failure(gif->Error);
        if (record == IMAGE_DESC_RECORD_TYPE)
            return transparent;
        if (record == TERMINATE_RECORD_TYPE)
            return Status::Error(CodecText(CodecMessage::Damaged, "GIF: kein Bild"));
        if (record != EXTENSION_RECORD_TYPE)
            return Status::Error(CodecText(CodecMessage::Damaged, "GIF: unbekannter Block"));
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
            return Failure(gif->Error);
        if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4) {
            GraphicsControlBlock control{};
            if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
                transparent = control.TransparentColor;
        }
        while (block != nullptr) {
            if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
                return Failure(gif->Error);
        }
    }
}

// The first frame's size against the limits and the file's length, and its colour table.
Result<const ColorMapObject*> CheckFrame(const GifFileType& gif, std::size_t bytes_left,
                                         const DecodeOptions& options) {
    const GifImageDesc& frame = gif.Image;
    if (Status size = CheckPictureSize(frame.Width, frame.Height, options.max_pixels); !size)
        return size;
    if (static_cast<std::uint64_t>(frame.Width) * static_cast<std::uint64_t>(frame.Height) >
        bytes_left * kMaxPixelsPerByte + 65536)
        return Status::Error(CodecText(CodecMessage::Truncated, "GIF"));
    const ColorMapObject* colours = frame.ColorMap != nullptr ? frame.ColorMap : gif.SColorMap;
    if (colours == nullptr || colours->Colors == nullptr)
        return Status::Error(CodecText(CodecMessage::Damaged, "GIF: keine Farbtabelle"));
    return colours;
}

// The frame is placed on the logical screen, which grows to hold a frame that lies
// outside it (as some writers produce).
Result<Bitmap> CreateScreen(const GifFileType& gif, int transparent, const DecodeOptions& options) {
    const GifImageDesc& frame = gif.Image;
    const int width = std::max(gif.SWidth, frame.Left + frame.Width);
    const int height = std::max(gif.SHeight, frame.Top + frame.Height);
    const bool covers =
        frame.Left == 0 && frame.Top == 0 && frame.Width == width && frame.Height == height;
    const bool rgba = transparent >= 0 || !covers;
    return Bitmap::Create(width, height, rgba ? PixelFormat::Rgba : PixelFormat::Rgb,
                          options.max_pixels);
}

// Where the rows of the first frame go.
struct FrameCanvas {
    const ColorMapObject& colours;
    int transparent = -1;
    Bitmap& bitmap;
};

Status ReadRow(GifFileType* gif, const FrameCanvas& canvas, std::vector<GifPixelType>& line,
               int y) {
    const GifImageDesc& frame = gif->Image;
    if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR)
        return Failure(gif->Error);
    const int channels = canvas.bitmap.channels();
    std::uint8_t* out =
        canvas.bitmap.row(frame.Top + y) + static_cast<std::size_t>(frame.Left) * channels;
    for (int x = 0; x < frame.Width; ++x, out += channels) {
        const int index = line[static_cast<std::size_t>(x)];
        if (index == canvas.transparent)
            continue;  // stays transparent black
        const GifColorType colour = index < canvas.colours.ColorCount ? canvas.colours.Colors[index]
                                                                      : GifColorType{0, 0, 0};
        out[0] = colour.Red;
        out[1] = colour.Green;
        out[2] = colour.Blue;
        if (channels == 4)
            out[3] = 255;
    }
    return Status::Ok();
}

Status ReadRows(GifFileType* gif, const FrameCanvas& canvas) {
    const GifImageDesc& frame = gif->Image;
    std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
    if (frame.Interlace) {
        // Rows 0, 8, 16, ..., then 4, 12, ..., then 2, 6, ..., then the odd ones.
        static constexpr int kStart[] = {0, 4, 2, 1};
        static constexpr int kStep[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = kStart[pass]; y < frame.Height; y += kStep[pass])
                if (Status row = ReadRow(gif, canvas, line, y); !row)
                    return row;
        return Status::Ok();
    }
    for (int y = 0; y < frame.Height; ++y)
        if (Status row = ReadRow(gif, canvas, line, y); !row)
            return row;
    return Status::Ok();
}

}  // namespace

Result<Bitmap> DecodeGif(ByteSpan bytes, const DecodeOptions& options) {
    GifInput input{bytes};
    int error = 0;
    GifFile gif(DGifOpen(&input, ReadInput, &error));
    if (!gif)
        return Failure(error);
    Result<int> transparent = SkipToFirstImage(gif.get());
    if (!transparent)
        return transparent.status();
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
        return Failure(gif->Error);

    Result<const ColorMapObject*> colours =
        CheckFrame(*gif, bytes.size() - input.position, options);
    if (!colours)
        return colours.status();
    Result<Bitmap> created = CreateScreen(*gif, *transparent, options);
    if (!created)
        return created.status();
    Bitmap bitmap = std::move(created).value();
    if (Status rows = ReadRows(gif.get(), FrameCanvas{**colours, *transparent, bitmap}); !rows)
        return rows;
    return bitmap;
}

}  // namespace orvella
