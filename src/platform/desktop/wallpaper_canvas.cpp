#include "platform/desktop/wallpaper_canvas.h"

#include <algorithm>
#include <cmath>

namespace orvella {
namespace {

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double weight_b) {
    std::uint32_t mixed = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double channel_a = (a >> shift) & 0xFF;
        const double channel_b = (b >> shift) & 0xFF;
        const auto value =
            static_cast<std::uint32_t>(std::lround(channel_a + (channel_b - channel_a) * weight_b));
        mixed |= std::min<std::uint32_t>(value, 255) << shift;
    }
    return mixed;
}

// Sample centres map onto each other, so a solid picture stays solid to the last pixel.
double SourceCoordinate(int target, int target_size, int source_size) {
    const double position = (target + 0.5) * source_size / target_size - 0.5;
    return std::clamp(position, 0.0, static_cast<double>(source_size - 1));
}

std::uint32_t Bilinear(const PicturePixels& picture, double x, double y) {
    const int x0 = static_cast<int>(x);
    const int y0 = static_cast<int>(y);
    const int x1 = std::min(x0 + 1, picture.width - 1);
    const int y1 = std::min(y0 + 1, picture.height - 1);
    const std::uint32_t top = Mix(picture.At(x0, y0), picture.At(x1, y0), x - x0);
    const std::uint32_t bottom = Mix(picture.At(x0, y1), picture.At(x1, y1), x - x0);
    return Mix(top, bottom, y - y0);
}

}  // namespace

PicturePixels ComposeWallpaper(const PicturePixels& picture, WallpaperStyle style, int width,
                               int height, ColorRef background) {
    PicturePixels screen;
    screen.width = width;
    screen.height = height;
    const std::uint32_t fill = (static_cast<std::uint32_t>(RedOf(background)) << 16) |
                               (GreenOf(background) << 8) | BlueOf(background);
    screen.rgb.assign(static_cast<std::size_t>(width) * height, fill);
    if (picture.width <= 0 || picture.height <= 0)
        return screen;

    const int left = (width - picture.width) / 2;
    const int top = (height - picture.height) / 2;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t& pixel = screen.rgb[static_cast<std::size_t>(y) * width + x];
            switch (style) {
                case WallpaperStyle::Centre:
                    if (x >= left && x < left + picture.width && y >= top &&
                        y < top + picture.height)
                        pixel = picture.At(x - left, y - top);
                    break;
                case WallpaperStyle::Tile:
                    pixel = picture.At(x % picture.width, y % picture.height);
                    break;
                case WallpaperStyle::Stretch:
                    pixel = Bilinear(picture, SourceCoordinate(x, width, picture.width),
                                     SourceCoordinate(y, height, picture.height));
                    break;
            }
        }
    }
    return screen;
}

}  // namespace orvella
