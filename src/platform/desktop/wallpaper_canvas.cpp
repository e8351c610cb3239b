#include "platform/desktop/wallpaper_canvas.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace orvella {
namespace {

MonitorArea Intersect(const MonitorArea& a, const MonitorArea& b) {
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const int right = std::min(a.x + a.width, b.x + b.width);
    const int bottom = std::min(a.y + a.height, b.y + b.height);
    return MonitorArea{left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

// The part of `area` inside the canvas.
MonitorArea Inside(const CanvasView& canvas, const MonitorArea& area) {
    return Intersect(area, MonitorArea{0, 0, canvas.width, canvas.height});
}

}  // namespace

CanvasView ViewOf(PicturePixels& buffer) {
    return CanvasView{buffer.rgb.data(), buffer.width, buffer.height,
                      static_cast<std::size_t>(buffer.width)};
}

CanvasView PartOf(const CanvasView& canvas, const MonitorArea& area) {
    return CanvasView{canvas.Row(area.y) + area.x, area.width, area.height, canvas.stride};
}

std::uint32_t CanvasPixel(ColorRef colour) {
    return (std::uint32_t{RedOf(colour)} << 16) | (std::uint32_t{GreenOf(colour)} << 8) |
           BlueOf(colour);
}

void FillArea(const CanvasView& canvas, const MonitorArea& area, std::uint32_t pixel) {
    const MonitorArea inside = Inside(canvas, area);
    for (int y = inside.y; y < inside.y + inside.height; ++y)
        std::fill_n(canvas.Row(y) + inside.x, inside.width, pixel);
}

void DrawCentred(const CanvasView& canvas, const MonitorArea& area, const PicturePixels& picture) {
    // Half the difference from the left and the top, rounded toward zero as Windows did.
    const MonitorArea placed{area.x + (area.width - picture.width) / 2,
                             area.y + (area.height - picture.height) / 2, picture.width,
                             picture.height};
    const MonitorArea shown = Inside(canvas, Intersect(placed, area));
    for (int y = shown.y; y < shown.y + shown.height; ++y) {
        const std::uint32_t* source =
            &picture.rgb[static_cast<std::size_t>(y - placed.y) * picture.width +
                         (shown.x - placed.x)];
        std::copy_n(source, shown.width, canvas.Row(y) + shown.x);
    }
}

void DrawTiled(const CanvasView& canvas, const MonitorArea& area, const PicturePixels& picture) {
    if (picture.width <= 0 || picture.height <= 0)
        return;
    const MonitorArea inside = Inside(canvas, area);
    for (int y = inside.y; y < inside.y + inside.height; ++y) {
        const std::uint32_t* source =
            &picture.rgb[static_cast<std::size_t>(y % picture.height) * picture.width];
        std::uint32_t* target = canvas.Row(y);
        for (int x = inside.x; x < inside.x + inside.width;) {
            const int offset = x % picture.width;
            const int run = std::min(picture.width - offset, inside.x + inside.width - x);
            std::copy_n(source + offset, run, target + x);
            x += run;
        }
    }
}

void RepeatTile(const CanvasView& canvas, const MonitorArea& area, int width, int height) {
    if (width <= 0 || height <= 0)
        return;
    const MonitorArea inside = Inside(canvas, area);
    for (int y = inside.y; y < inside.y + inside.height; ++y) {
        const std::uint32_t* source = canvas.Row(y % height);
        std::uint32_t* target = canvas.Row(y);
        for (int x = inside.x; x < inside.x + inside.width;) {
            const int offset = x % width;
            const int run = std::min(width - offset, inside.x + inside.width - x);
            if (y >= height || x >= width)  // else it is the tile itself
                std::copy_n(source + offset, run, target + x);
            x += run;
        }
    }
}

void CopyArea(const CanvasView& canvas, const MonitorArea& from, const MonitorArea& to) {
    for (int y = 0; y < to.height; ++y)
        std::copy_n(canvas.Row(from.y + y) + from.x, to.width, canvas.Row(to.y + y) + to.x);
}

void FillOutside(const CanvasView& canvas, const MonitorArea& area,
                 const std::vector<MonitorArea>& monitors, std::uint32_t pixel) {
    const MonitorArea inside = Inside(canvas, area);
    std::vector<std::pair<int, int>> covered;  // [left, right) of the monitors on a row
    for (int y = inside.y; y < inside.y + inside.height; ++y) {
        covered.clear();
        for (const MonitorArea& monitor : monitors) {
            const MonitorArea part = Intersect(monitor, MonitorArea{inside.x, y, inside.width, 1});
            if (part.width > 0 && part.height > 0)
                covered.emplace_back(part.x, part.x + part.width);
        }
        std::sort(covered.begin(), covered.end());
        int x = inside.x;
        for (const auto& [left, right] : covered) {
            if (left > x)
                std::fill_n(canvas.Row(y) + x, left - x, pixel);
            x = std::max(x, right);
        }
        if (x < inside.x + inside.width)
            std::fill_n(canvas.Row(y) + x, inside.x + inside.width - x, pixel);
    }
}

}  // namespace orvella
