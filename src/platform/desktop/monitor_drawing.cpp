#include "platform/desktop/monitor_drawing.h"

#include <algorithm>
#include <optional>

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

// A picture that one monitor alone shows, decoded straight into its place on the canvas: a
// centred one where DrawCentred puts it, a tiled one over a monitor that covers the whole
// canvas into its first tile, which is then repeated. Nothing when neither applies.
std::optional<Status> DrawInPlace(const PictureLoader& loader, const std::string& path,
                                  WallpaperStyle style, const MonitorArea& area,
                                  const CanvasView& canvas) {
    const bool inside = area.x >= 0 && area.y >= 0 && area.x + area.width <= canvas.width &&
                        area.y + area.height <= canvas.height;
    if (style == WallpaperStyle::Centre && inside) {
        return loader.DrawPart(
            path, ScreenSize{area.width, area.height}, PicturePart::Centre,
            [&](int width, int height) {
                return PartOf(canvas,
                              MonitorArea{area.x + (area.width - width) / 2,
                                          area.y + (area.height - height) / 2, width, height});
            });
    }
    const bool whole =
        area.x == 0 && area.y == 0 && area.width == canvas.width && area.height == canvas.height;
    if (style != WallpaperStyle::Tile || !whole)
        return std::nullopt;
    MonitorArea tile;
    Status drawn = loader.DrawPart(path, ScreenSize{canvas.width, canvas.height},
                                   PicturePart::TopLeft, [&](int width, int height) {
                                       tile = MonitorArea{0, 0, width, height};
                                       return PartOf(canvas, tile);
                                   });
    if (drawn)
        RepeatTile(canvas, area, tile.width, tile.height);
    return drawn;
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
    if (showing.size() == 1) {
        if (std::optional<Status> drawn = DrawInPlace(loader, path, style, showing[0], canvas))
            return *drawn;
    }
    // A tiled picture runs on over the whole desktop; a centred one shows at most its centre
    // on the largest of the monitors.
    ScreenSize most{canvas.width, canvas.height};
    if (style == WallpaperStyle::Centre) {
        most = ScreenSize{};
        for (const MonitorArea& area : showing)
            most = ScreenSize{std::max(most.width, area.width), std::max(most.height, area.height)};
    }
    Result<PicturePixels> picture = loader.Load(
        path, most, style == WallpaperStyle::Tile ? PicturePart::TopLeft : PicturePart::Centre);
    if (!picture)
        return picture.status();
    for (const MonitorArea& area : showing) {
        if (style == WallpaperStyle::Tile)
            DrawTiled(canvas, area, *picture);
        else
            DrawCentred(canvas, area, *picture);
    }
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
