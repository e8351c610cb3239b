#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/desktop/backends/wallpaper_backend.h"
#include "platform/desktop/desktop_colour.h"
#include "platform/desktop/monitors.h"
#include "platform/desktop/picture_pixels.h"

namespace orvella {

// Rows of 0x00RRGGBB pixels `stride` pixels apart: an X image's memory or a buffer of ours,
// drawn into in place.
struct CanvasView {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;

    std::uint32_t* Row(int y) const { return pixels + static_cast<std::size_t>(y) * stride; }
};

CanvasView ViewOf(PicturePixels& buffer);

// A desktop colour as a canvas pixel.
std::uint32_t CanvasPixel(ColorRef colour);

void FillArea(const CanvasView& canvas, const MonitorArea& area, std::uint32_t pixel);

// `picture` centred in `area`, cut at the area's edges where it is larger; what it leaves
// free is not touched. A picture of the area's size (stretched for it) fills it.
void DrawCentred(const CanvasView& canvas, const MonitorArea& area, const PicturePixels& picture);

// `picture` repeated from the canvas's top left corner, drawn within `area` only, so the
// pattern runs on from one monitor to the next as over one desktop.
void DrawTiled(const CanvasView& canvas, const MonitorArea& area, const PicturePixels& picture);

// What one monitor shows: for stretch, a picture of the monitor's size.
struct MonitorPicture {
    MonitorArea area;
    const PicturePixels* picture = nullptr;
};

// The desktop as Windows painted it, per monitor: the desktop colour wherever no monitor
// is and around a centred picture, each monitor's picture centred (cut at the monitor's
// edges when larger), tiled, or filling it.
void ComposeWallpaper(const CanvasView& canvas, const std::vector<MonitorPicture>& monitors,
                      WallpaperStyle style, ColorRef background);

}  // namespace orvella
