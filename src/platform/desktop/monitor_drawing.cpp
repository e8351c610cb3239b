#include "platform/desktop/monitor_drawing.h"

#include <algorithm>

#include "platform/desktop/wallpaper_canvas.h"

namespace orvella {
namespace {

// The monitors showing the same picture as monitor `i`, unless an earlier one does.
std::vector<MonitorArea> ShowingSame(const std::vector<MonitorArea>& monitors,
                                     const std::vector<std::string>& paths, std::size_t i) {
    std::vector<MonitorArea> showing;
    for (std::size_t j = 0; j < monitors.size(); ++j) {
        if (paths[j] != paths[i])
            continue;
        if (j < i)
            return {};
        showing.push_back(monitors[j]);
    }
    return showing;
}

// A centred picture decoded straight into its place on one monitor.
Status DrawCentredInPlace(const PictureLoader& loader, const std::string& path,
                          const MonitorArea& area, const CanvasView& canvas) {
    return loader.DrawPart(
        path, ScreenSize{area.width, area.height}, PicturePart::Centre, [&](int width, int height) {
            return PartOf(canvas, MonitorArea{area.x + (area.width - width) / 2,
                                              area.y + (area.height - height) / 2, width, height});
        });
}

// Each monitor's centred picture decoded in place; a monitor of the size of one drawn before
// copies that one's pixels instead of decoding again.
Status DrawCentredOnEach(const PictureLoader& loader, const std::string& path,
                         const std::vector<MonitorArea>& showing, const CanvasView& canvas) {
    for (auto area = showing.begin(); area != showing.end(); ++area) {
        const auto same = std::find_if(showing.begin(), area, [&](const MonitorArea& drawn) {
            return drawn.width == area->width && drawn.height == area->height;
        });
        if (same != area) {
            CopyArea(canvas, *same, *area);
        } else if (Status drawn = DrawCentredInPlace(loader, path, *area, canvas); !drawn) {
            return drawn;
        }
    }
    return Status::Ok();
}

// The tile decoded into its first place at the desktop's corner and repeated over the
// monitors from there; where that place lies outside every monitor the desktop colour
// comes back. Only for a picture on every monitor: the first place may lie on any of them.
Status DrawTiledOnEvery(const PictureLoader& loader, const std::string& path,
                        const std::vector<MonitorArea>& monitors, const CanvasView& canvas,
                        std::uint32_t background) {
    MonitorArea tile;
    const Status drawn = loader.DrawPart(path, ScreenSize{canvas.width, canvas.height},
                                         PicturePart::TopLeft, [&](int width, int height) {
                                             tile = MonitorArea{0, 0, width, height};
                                             return PartOf(canvas, tile);
                                         });
    if (!drawn)
        return drawn;
    for (const MonitorArea& area : monitors)
        RepeatTile(canvas, area, tile.width, tile.height);
    FillOutside(canvas, tile, monitors, background);
    return Status::Ok();
}

// One picture on the monitors that show it, each file read once: for a stretch resampled
// straight into the monitors' parts of the canvas, else cut to what they can show.
Status DrawPicture(const PictureLoader& loader, const std::string& path, WallpaperStyle style,
                   const std::vector<MonitorArea>& showing, const CanvasView& canvas) {
    if (style == WallpaperStyle::Stretch) {
        std::vector<CanvasView> parts;
        for (const MonitorArea& area : showing)
            parts.push_back(PartOf(canvas, area));
        return loader.DrawStretched(path, parts);
    }
    if (style == WallpaperStyle::Centre)
        return DrawCentredOnEach(loader, path, showing, canvas);
    // A tiled picture runs on over the whole desktop from its corner.
    Result<PicturePixels> picture =
        loader.Load(path, ScreenSize{canvas.width, canvas.height}, PicturePart::TopLeft);
    if (!picture)
        return picture.status();
    for (const MonitorArea& area : showing)
        DrawTiled(canvas, area, *picture);
    return Status::Ok();
}

}  // namespace

Status DrawMonitors(const PictureLoader& loader, const WallpaperChange& change,
                    const std::vector<MonitorArea>& monitors, const CanvasView& canvas) {
    FillArea(canvas, MonitorArea{0, 0, canvas.width, canvas.height},
             CanvasPixel(change.background));
    const auto primary = std::find_if(monitors.begin(), monitors.end(),
                                      [](const MonitorArea& m) { return m.primary; });
    const std::vector<std::string> paths = PicturesOfMonitors(
        change, static_cast<int>(monitors.size()), static_cast<int>(primary - monitors.begin()));
    const bool one_picture =
        std::all_of(paths.begin(), paths.end(), [&](const auto& path) { return path == paths[0]; });
    if (change.style == WallpaperStyle::Tile && one_picture && !monitors.empty())
        return DrawTiledOnEvery(loader, paths[0], monitors, canvas, CanvasPixel(change.background));
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const std::vector<MonitorArea> showing = ShowingSame(monitors, paths, i);
        if (showing.empty())
            continue;
        if (Status drawn = DrawPicture(loader, paths[i], change.style, showing, canvas); !drawn)
            return drawn;
    }
    return Status::Ok();
}

}  // namespace orvella
