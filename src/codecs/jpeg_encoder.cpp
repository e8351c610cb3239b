#include "codecs/jpeg_encoder.h"

#include <cstdlib>
#include <cstring>

#include "codecs/codec_messages.h"
#include "codecs/jpeg_error.h"
#include "platform/files/files.h"

namespace orvella {
namespace {

// libjpeg's compressor and the memory it encodes into, both released with the owner.
class Compressor {
public:
    Compressor() {
        std::memset(&cinfo_, 0, sizeof cinfo_);
        InstallJpegErrorManager(reinterpret_cast<j_common_ptr>(&cinfo_), &errors_);
    }
    ~Compressor() {
        if (created_)
            jpeg_destroy_compress(&cinfo_);
        std::free(buffer_);  // libjpeg's memory destination allocates with malloc
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    jpeg_compress_struct* cinfo() { return &cinfo_; }
    JpegErrorManager* errors() { return &errors_; }
    void set_created() { created_ = true; }
    unsigned char** buffer() { return &buffer_; }
    unsigned long* size() { return &size_; }
    std::string Bytes() const { return std::string(reinterpret_cast<const char*>(buffer_), size_); }

private:
    jpeg_compress_struct cinfo_;
    JpegErrorManager errors_;
    bool created_ = false;
    unsigned char* buffer_ = nullptr;
    unsigned long size_ = 0;
};

// Runs libjpeg under a setjmp; only trivially destructible locals, so the error's longjmp
// skips no destructor. False after an error, with the message in the error manager.
bool Compress(Compressor& c, const Bitmap* bitmap, const Rect* part, int quality) {
    j_compress_ptr cinfo = c.cinfo();
    if (setjmp(c.errors()->jump))
        return false;
    jpeg_create_compress(cinfo);
    c.set_created();
    jpeg_mem_dest(cinfo, c.buffer(), c.size());
    cinfo->image_width = static_cast<JDIMENSION>(part->width);
    cinfo->image_height = static_cast<JDIMENSION>(part->height);
    const bool rgba = bitmap->format() == PixelFormat::Rgba;
    const std::size_t skip = static_cast<std::size_t>(part->x) * (rgba ? 4 : 3);
    cinfo->input_components = rgba ? 4 : 3;
    cinfo->in_color_space = rgba ? JCS_EXT_RGBX : JCS_RGB;
    jpeg_set_defaults(cinfo);  // YCbCr, sequential (baseline) Huffman coding
    jpeg_set_quality(cinfo, quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        // libjpeg takes rows as writable pointers but only reads them.
        const int y = part->y + static_cast<int>(cinfo->next_scanline);
        JSAMPROW row = const_cast<JSAMPROW>(bitmap->row(y) + skip);
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

}  // namespace

Result<std::string> EncodeJpeg(const Bitmap& bitmap, int quality) {
    return EncodeJpegPart(bitmap, Rect{0, 0, bitmap.width(), bitmap.height()}, quality);
}

Result<std::string> EncodeJpegPart(const Bitmap& bitmap, Rect part, int quality) {
    if (quality < 1 || quality > 100)
        return Status::Error(
            CodecText(CodecMessage::InvalidArgument, "JPEG-Qualität " + std::to_string(quality)));
    if (part.width <= 0 || part.height <= 0 || part.x < 0 || part.y < 0 ||
        part.x + part.width > bitmap.width() || part.y + part.height > bitmap.height())
        return Status::Error(CodecText(CodecMessage::NoArea));
    if (part.width > JPEG_MAX_DIMENSION || part.height > JPEG_MAX_DIMENSION)
        return Status::Error(
            CodecText(CodecMessage::EncodeFailed, std::to_string(part.width) + " x " +
                                                      std::to_string(part.height) +
                                                      " Pixel, höchstens 65500 Pixel je Seite"));
    Compressor c;
    if (!Compress(c, &bitmap, &part, quality))
        return Status::Error(CodecText(CodecMessage::EncodeFailed, c.errors()->message));
    return c.Bytes();
}

Status SaveEncodedJpeg(const Result<std::string>& encoded, const std::string& path) {
    if (!encoded)
        return encoded.status();
    if (Status written = ReplaceFileAtomically(path, *encoded); !written)
        return Status::Error(CodecText(CodecMessage::CannotWrite, written.message()));
    return Status::Ok();
}

Status SaveJpeg(const Bitmap& bitmap, const std::string& path, int quality) {
    return SaveEncodedJpeg(EncodeJpeg(bitmap, quality), path);
}

}  // namespace orvella
