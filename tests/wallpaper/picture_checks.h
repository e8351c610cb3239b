#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

#include "codecs/bitmap.h"
#include "codecs/image_loader.h"

namespace orvella::testing {

// A picture that changes by 2 per pixel in both directions without jumps (a triangle wave),
// so a JPEG keeps it within a few levels and a shift of a few pixels shows.
inline std::uint8_t Wave(int t) {
    const int phase = (2 * t) % 510;
    return static_cast<std::uint8_t>(phase < 255 ? phase : 509 - phase);
}
inline Colour WaveColour(int x, int y) {
    return Colour{Wave(x), Wave(y), Wave(x + y + 60), 255};
}
inline std::uint32_t WaveRgb(int x, int y) {
    const Colour c = WaveColour(x, y);
    return (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
}

inline Bitmap WaveBitmap(int width, int height) {
    Bitmap bitmap = Bitmap::Create(width, height, PixelFormat::Rgb).value();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, WaveColour(x, y));
    return bitmap;
}

// Loads a written picture and checks its size; an empty bitmap when it cannot.
inline Bitmap LoadSized(const std::string& path, int width, int height) {
    Result<Bitmap> loaded = LoadImage(path);
    EXPECT_TRUE(loaded.ok()) << loaded.message();
    if (!loaded)
        return Bitmap();
    EXPECT_EQ(loaded->width(), width) << path;
    EXPECT_EQ(loaded->height(), height) << path;
    return std::move(loaded).value();
}

// Compares `actual` with `expected(x, y)` on a grid of points, each channel within
// `tolerance` (what JPEG at quality 92 keeps of a smooth picture).
inline void ExpectPixels(const Bitmap& actual, const std::function<Colour(int, int)>& expected,
                         int tolerance = 10, int step = 7) {
    ASSERT_FALSE(actual.empty());
    int wrong = 0;
    for (int y = 0; y < actual.height(); y += step)
        for (int x = 0; x < actual.width(); x += step) {
            const Colour a = actual.Pixel(x, y);
            const Colour e = expected(x, y);
            if (std::abs(a.r - e.r) > tolerance || std::abs(a.g - e.g) > tolerance ||
                std::abs(a.b - e.b) > tolerance) {
                if (++wrong <= 3)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << int{a.r} << " "
                                  << int{a.g} << " " << int{a.b} << ", expected " << int{e.r} << " "
                                  << int{e.g} << " " << int{e.b};
            }
        }
    EXPECT_EQ(wrong, 0);
}

}  // namespace orvella::testing
