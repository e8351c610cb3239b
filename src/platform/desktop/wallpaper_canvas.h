#pragma once

#include <cstdint>
#include <vector>

#include "platform/desktop/desktop_colour.h"
#include "platform/desktop/monitors.h"
#include "platform/desktop/picture_pixels.h"

namespace orvella {

CanvasView ViewOf(PicturePixels& buffer);
// The part of the canvas under `area`, which lies inside it.
CanvasView PartOf(const CanvasView& canvas, const MonitorArea& area);

// A desktop colour as a canvas pixel.
std::uint32_t CanvasPixel(ColorRef colour);

void FillArea(const CanvasView& canvas, const MonitorArea& area, std::uint32_t pixel);

// `picture` centred in `area`, cut at the area's edges where it is larger; what it leaves
// free is not touched. A picture of the area's size (stretched for it) fills it.
void DrawCentred(const CanvasView& canvas, const MonitorArea& area, const PicturePixels& picture);

// `picture` repeated from the canvas's top left corner, drawn within `area` only, so the
// pattern runs on from one monitor to the next as over one desktop.
void DrawTiled(const CanvasView& canvas, const MonitorArea& area, const PicturePixels& picture);

// The canvas's own top left `width` x `height` pixels repeated over `area` as DrawTiled
// repeats a picture: a tile drawn in its first place, then copied from there.
void RepeatTile(const CanvasView& canvas, const MonitorArea& area, int width, int height);

// `to` gets the pixels of `from`, an area of the same size elsewhere on the canvas.
void CopyArea(const CanvasView& canvas, const MonitorArea& from, const MonitorArea& to);

// `pixel` over the part of `area` that none of `monitors` covers.
void FillOutside(const CanvasView& canvas, const MonitorArea& area,
                 const std::vector<MonitorArea>& monitors, std::uint32_t pixel);

}  // namespace orvella
