#include "platform/desktop/backends/x11_image.h"

#include <sys/mman.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

namespace orvella {
namespace {

// A channel of 0..255 placed under a TrueColor visual's mask.
unsigned long Place(std::uint32_t channel, unsigned long mask) {
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const unsigned long top = mask >> shift;
    return ((channel * top + 127) / 255) << shift;
}

constexpr int kTile = 32;
constexpr std::size_t kHugePage = std::size_t{2} << 20;

// Memory Xlib frees with free(), in huge pages where the kernel gives them: for a screen of
// tens of megabytes, touching 4 KiB pages one by one costs more than the drawing itself.
void* AllocateImageMemory(std::size_t size) {
    if (size < 2 * kHugePage)
        return std::malloc(size);
    const std::size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
    void* block = std::aligned_alloc(kHugePage, rounded);
    if (block != nullptr)
        (void)::madvise(block, rounded, MADV_HUGEPAGE);  // advice only
    return block;
}

}  // namespace

// Our pixels are 0x00RRGGBB words in the machine's order, which is what such an image holds.
bool TakesOurPixels(const XImage& image, const Visual& visual) {
    const int native = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
    return image.bits_per_pixel == 32 && image.byte_order == native &&
           visual.red_mask == 0xFF0000 && visual.green_mask == 0xFF00 && visual.blue_mask == 0xFF;
}

Result<ImagePtr> MakeImage(Display* display, Visual* visual, int depth, int width, int height) {
    if (visual->c_class != TrueColor)
        return Status::Error("the X11 screen has no TrueColor visual");
    const std::size_t size = static_cast<std::size_t>(width) * height * 4;
    auto* data = static_cast<char*>(AllocateImageMemory(size));
    if (data == nullptr)
        return Status::Error("out of memory for the wallpaper");
    ImagePtr image(XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, data,
                                static_cast<unsigned>(width), static_cast<unsigned>(height), 32,
                                0));
    if (!image) {
        std::free(data);
        return Status::Error("cannot make an X11 image");
    }
    return image;
}

Status DrawIntoImage(XImage& image, const Visual& visual,
                     const std::function<Status(const CanvasView&)>& draw) {
    if (TakesOurPixels(image, visual)) {
        return draw(CanvasView{reinterpret_cast<std::uint32_t*>(image.data), image.width,
                               image.height, static_cast<std::size_t>(image.bytes_per_line) / 4});
    }
    PicturePixels buffer{
        image.width, image.height,
        std::vector<std::uint32_t>(static_cast<std::size_t>(image.width) * image.height)};
    if (Status drawn = draw(ViewOf(buffer)); !drawn)
        return drawn;
    for (int y = 0; y < buffer.height; ++y) {
        for (int x = 0; x < buffer.width; ++x) {
            const std::uint32_t rgb = buffer.At(x, y);
            XPutPixel(&image, x, y,
                      Place((rgb >> 16) & 0xFF, visual.red_mask) |
                          Place((rgb >> 8) & 0xFF, visual.green_mask) |
                          Place(rgb & 0xFF, visual.blue_mask));
        }
    }
    return Status::Ok();
}

Result<ImagePtr> MakeImage(Display* display, Visual* visual, int depth,
                           const PicturePixels& screen) {
    Result<ImagePtr> image = MakeImage(display, visual, depth, screen.width, screen.height);
    if (!image)
        return image;
    const Status drawn = DrawIntoImage(**image, *visual, [&](const CanvasView& canvas) {
        for (int y = 0; y < screen.height; ++y)
            std::memcpy(canvas.Row(y), &screen.rgb[static_cast<std::size_t>(y) * screen.width],
                        static_cast<std::size_t>(screen.width) * 4);
        return Status::Ok();
    });
    if (!drawn)
        return drawn;
    return image;
}

std::vector<XRectangle> CopyChangedTiles(XImage& image, const PicturePixels& frame) {
    std::vector<XRectangle> changed;
    for (int top = 0; top < frame.height; top += kTile) {
        const int rows = std::min(kTile, frame.height - top);
        for (int left = 0; left < frame.width; left += kTile) {
            const int columns = std::min(kTile, frame.width - left);
            const std::size_t bytes = static_cast<std::size_t>(columns) * 4;
            const auto source = [&](int y) {
                return frame.rgb.data() + static_cast<std::size_t>(y) * frame.width + left;
            };
            const auto target = [&](int y) {
                return image.data + static_cast<std::size_t>(y) * image.bytes_per_line +
                       static_cast<std::size_t>(left) * 4;
            };
            bool differs = false;
            for (int y = top; y < top + rows && !differs; ++y)
                differs = std::memcmp(target(y), source(y), bytes) != 0;
            if (!differs)
                continue;
            for (int y = top; y < top + rows; ++y)
                std::memcpy(target(y), source(y), bytes);
            // A tile that continues the one before it on the left widens that one.
            if (!changed.empty() && changed.back().y == top &&
                changed.back().x + changed.back().width == left) {
                changed.back().width = static_cast<unsigned short>(changed.back().width + columns);
            } else {
                changed.push_back(XRectangle{static_cast<short>(left), static_cast<short>(top),
                                             static_cast<unsigned short>(columns),
                                             static_cast<unsigned short>(rows)});
            }
        }
    }
    return changed;
}

}  // namespace orvella
