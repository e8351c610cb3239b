#include "codecs/bitmap.h"

#include <malloc.h>
#include <sys/mman.h>

#include <new>

#include "codecs/codec_messages.h"
#include "codecs/decoders.h"
#include "codecs/large_blocks.h"

namespace orvella {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kHugeBlock = 2 * kHugePage;  // smaller blocks stay ordinary ones

constexpr int kLargeBlock = 1 << 20;

}  // namespace

void ReturnLargeBlocksToTheSystem() {
    (void)::mallopt(M_MMAP_THRESHOLD, kLargeBlock);
}

template <class T>
void* PixelAllocator<T>::AllocatePixels(std::size_t bytes) {
    if (bytes < kHugeBlock)
        return ::operator new(bytes);
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* block = ::operator new (rounded, std::align_val_t{kHugePage});
    // Advice only: where the kernel has no huge pages this fails and nothing changes.
    (void)::madvise(block, rounded, MADV_HUGEPAGE);
    return block;
}

template <class T>
void PixelAllocator<T>::FreePixels(void* p, std::size_t bytes) noexcept {
    if (bytes < kHugeBlock)
        ::operator delete(p);
    else
        ::operator delete (p, std::align_val_t{kHugePage});
}

template struct PixelAllocator<std::uint8_t>;

Status CheckPictureSize(std::int64_t width, std::int64_t height, std::uint64_t max_pixels) {
    if (width <= 0 || height <= 0)
        return Status::Error(CodecText(CodecMessage::NoArea, SizeText(width, height, max_pixels)));
    // Each side is checked alone first so that the product cannot overflow.
    const auto limit = static_cast<std::int64_t>(max_pixels);
    if (width > limit || height > limit ||
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > max_pixels)
        return Status::Error(
            CodecText(CodecMessage::TooLarge, SizeText(width, height, max_pixels)));
    return Status::Ok();
}

Status CheckDeclaredSize(ByteSpan bytes, std::int64_t width, std::int64_t height,
                         const DecodeOptions& options, std::string_view format) {
    if (Status size = CheckPictureSize(width, height, options.max_pixels); !size)
        return size;
    const std::uint64_t budget = kPixelsWithoutEvidence + bytes.size() * kPixelsPerFileByte;
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > budget)
        return Status::Error(CodecText(CodecMessage::Truncated, format));
    return Status::Ok();
}

Bitmap::Bitmap(int width, int height, PixelFormat format)
    : width_(width),
      height_(height),
      format_(format),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
              static_cast<std::size_t>(ChannelCount(format))) {}

Result<Bitmap> Bitmap::Create(int width, int height, PixelFormat format, std::uint64_t max_pixels) {
    if (Status size = CheckPictureSize(width, height, max_pixels); !size)
        return size;
    return Bitmap(width, height, format);
}

Colour Bitmap::Pixel(int x, int y) const {
    const std::uint8_t* p = row(y) + static_cast<std::size_t>(x) * channels();
    return Colour{p[0], p[1], p[2], format_ == PixelFormat::Rgba ? p[3] : std::uint8_t{255}};
}

void Bitmap::SetPixel(int x, int y, Colour colour) {
    std::uint8_t* p = row(y) + static_cast<std::size_t>(x) * channels();
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
    if (format_ == PixelFormat::Rgba)
        p[3] = colour.a;
}

Bitmap ConvertFormat(const Bitmap& source, PixelFormat format) {
    if (source.format() == format || source.empty())
        return source;
    Bitmap converted(source.width(), source.height(), format);
    const int from = source.channels();
    const int to = converted.channels();
    for (int y = 0; y < source.height(); ++y) {
        const std::uint8_t* src = source.row(y);
        std::uint8_t* dst = converted.row(y);
        for (int x = 0; x < source.width(); ++x, src += from, dst += to) {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
            if (to == 4)
                dst[3] = 255;
        }
    }
    return converted;
}

}  // namespace orvella
