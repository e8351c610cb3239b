#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/status.h"

namespace orvella {

// How one pixel is stored: 8 bits a channel, red first. Opaque pictures use Rgb so that a
// 24-megapixel photo takes 72 MB, not 96; pictures with transparency use Rgba with
// straight (not premultiplied) alpha.
enum class PixelFormat { Rgb, Rgba };

constexpr int ChannelCount(PixelFormat format) {
    return format == PixelFormat::Rgb ? 3 : 4;
}

struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;
    bool operator==(const Colour&) const = default;
};

// The largest picture any decoder or operation here accepts: 2^28 pixels (16384 x 16384),
// 1 GiB as Rgba. A header that claims more is refused before anything is allocated.
inline constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;

// The storage of a bitmap's pixels. A screen-sized picture is tens of megabytes, and on a
// machine of 4 KiB pages the first touch of each page costs more than decoding into it; so
// large blocks are aligned to and advised for transparent huge pages, where the kernel has
// them (a mere hint: without them the block is an ordinary one).
template <class T>
struct PixelAllocator {
    using value_type = T;
    PixelAllocator() = default;
    template <class U>
    PixelAllocator(const PixelAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(AllocatePixels(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { FreePixels(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const PixelAllocator<U>&) const noexcept {
        return true;
    }

    static void* AllocatePixels(std::size_t bytes);
    static void FreePixels(void* p, std::size_t bytes) noexcept;
};

// A picture in memory: rows top-down, each row `width * channels` bytes with no padding.
// A plain value: copying copies the pixels, moving moves them.
class Bitmap {
public:
    Bitmap() = default;

    // A picture filled with transparent black (Rgba) or black (Rgb). Fails for a zero or
    // negative side, or more than `max_pixels` pixels.
    static Result<Bitmap> Create(int width, int height, PixelFormat format,
                                 std::uint64_t max_pixels = kMaxPixels);

    int width() const { return width_; }
    int height() const { return height_; }
    PixelFormat format() const { return format_; }
    int channels() const { return ChannelCount(format_); }
    bool empty() const { return pixels_.empty(); }
    std::size_t stride() const { return static_cast<std::size_t>(width_) * channels(); }

    std::uint8_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * stride(); }
    const std::uint8_t* row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * stride();
    }
    std::uint8_t* data() { return pixels_.data(); }
    const std::uint8_t* data() const { return pixels_.data(); }
    std::size_t size_bytes() const { return pixels_.size(); }

    // Reads and writes one pixel; an Rgb picture reads with alpha 255 and ignores the alpha
    // it is given. Meant for tests and single pixels, not for loops over a whole picture.
    Colour Pixel(int x, int y) const;
    void SetPixel(int x, int y, Colour colour);

private:
    friend Bitmap ConvertFormat(const Bitmap& source, PixelFormat format);
    Bitmap(int width, int height, PixelFormat format);

    int width_ = 0;
    int height_ = 0;
    PixelFormat format_ = PixelFormat::Rgb;
    std::vector<std::uint8_t, PixelAllocator<std::uint8_t>> pixels_;
};

// A copy in another pixel format: Rgb to Rgba is opaque, Rgba to Rgb drops the alpha (flatten
// first to keep the look of transparent parts).
Bitmap ConvertFormat(const Bitmap& source, PixelFormat format);

// Fails, with the message the decoders give, when a picture of this size must not be
// allocated: a zero or negative side, or more than `max_pixels` pixels.
Status CheckPictureSize(std::int64_t width, std::int64_t height, std::uint64_t max_pixels);

}  // namespace orvella
