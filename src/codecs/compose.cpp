#include "codecs/compose.h"

#include <algorithm>
#include <cstring>

namespace orvella {
namespace {

inline std::uint8_t Mix(unsigned over, unsigned under, unsigned alpha) {
    return static_cast<std::uint8_t>((over * alpha + under * (255 - alpha) + 127) / 255);
}

// One pixel of an Rgba source over one pixel of the destination.
inline void DrawOver(const std::uint8_t* s, std::uint8_t* d, int destination_channels) {
    const unsigned a = s[3];
    if (a == 255 || (destination_channels == 4 && d[3] == 0)) {
        std::memcpy(d, s, static_cast<std::size_t>(destination_channels == 4 ? 4 : 3));
        if (destination_channels == 4)
            d[3] = static_cast<std::uint8_t>(a);
        return;
    }
    if (a == 0)
        return;
    if (destination_channels == 3) {
        for (int c = 0; c < 3; ++c)
            d[c] = Mix(s[c], d[c], a);
        return;
    }
    // Both translucent: out_a = a + d_a (1 - a), each colour weighted by its share.
    const unsigned under = d[3] * (255 - a) / 255;
    const unsigned out = a + under;
    for (int c = 0; c < 3; ++c)
        d[c] = static_cast<std::uint8_t>((s[c] * a + d[c] * under + out / 2) / out);
    d[3] = static_cast<std::uint8_t>(out);
}

}  // namespace

Result<Bitmap> Crop(const Bitmap& source, Rect rect) {
    const int left = std::max(rect.x, 0);
    const int top = std::max(rect.y, 0);
    const long right = std::min<long>(static_cast<long>(rect.x) + rect.width, source.width());
    const long bottom = std::min<long>(static_cast<long>(rect.y) + rect.height, source.height());
    Result<Bitmap> created =
        Bitmap::Create(static_cast<int>(std::max<long>(right - left, 0)),
                       static_cast<int>(std::max<long>(bottom - top, 0)), source.format());
    if (!created)
        return created;
    Bitmap cropped = std::move(created).value();
    const std::size_t offset = static_cast<std::size_t>(left) * source.channels();
    for (int y = 0; y < cropped.height(); ++y)
        std::memcpy(cropped.row(y), source.row(top + y) + offset, cropped.stride());
    return cropped;
}

void Blit(const Bitmap& source, Bitmap& destination, int x, int y) {
    const long left = std::max(x, 0);
    const long top = std::max(y, 0);
    const long right = std::min<long>(static_cast<long>(x) + source.width(), destination.width());
    const long bottom =
        std::min<long>(static_cast<long>(y) + source.height(), destination.height());
    if (right <= left || bottom <= top)
        return;
    const int from = source.channels();
    const int to = destination.channels();
    const int count = static_cast<int>(right - left);
    for (long row = top; row < bottom; ++row) {
        const std::uint8_t* s =
            source.row(static_cast<int>(row - y)) + static_cast<std::size_t>(left - x) * from;
        std::uint8_t* d =
            destination.row(static_cast<int>(row)) + static_cast<std::size_t>(left) * to;
        if (from == to && from == 3) {
            std::memcpy(d, s, static_cast<std::size_t>(count) * 3);
            continue;
        }
        for (int i = 0; i < count; ++i, s += from, d += to) {
            if (from == 4) {
                DrawOver(s, d, to);
            } else {
                std::memcpy(d, s, 3);
                d[3] = 255;  // an Rgb source into an Rgba destination is opaque
            }
        }
    }
}

void Tile(const Bitmap& source, Bitmap& destination) {
    if (source.empty())
        return;
    for (int y = 0; y < destination.height(); y += source.height())
        for (int x = 0; x < destination.width(); x += source.width())
            Blit(source, destination, x, y);
}

void Fill(Bitmap& destination, Colour colour) {
    const std::uint8_t pixel[4] = {colour.r, colour.g, colour.b, colour.a};
    const int channels = destination.channels();
    if (destination.empty())
        return;
    std::uint8_t* first = destination.row(0);
    for (int x = 0; x < destination.width(); ++x)
        std::memcpy(first + static_cast<std::size_t>(x) * channels, pixel,
                    static_cast<std::size_t>(channels));
    for (int y = 1; y < destination.height(); ++y)
        std::memcpy(destination.row(y), first, destination.stride());
}

Bitmap Flatten(const Bitmap& source, Colour background) {
    if (source.format() == PixelFormat::Rgb)
        return source;
    // The source's size has passed the checks once already, so this cannot fail.
    Bitmap flat = Bitmap::Create(source.width(), source.height(), PixelFormat::Rgb).value();
    Fill(flat, background);
    Blit(source, flat, 0, 0);
    return flat;
}

}  // namespace orvella
