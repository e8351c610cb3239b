#include "platform/desktop/monitor_drawing.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/desktop/wallpaper_canvas.h"

namespace orvella {
namespace {

// Pictures held in memory by name, cut as the codec loader cuts them.
class MemoryLoader : public PictureLoader {
public:
    std::map<std::string, PicturePixels> pictures;
    mutable int decodings = 0;

    Result<PicturePixels> Load(const std::string& path, ScreenSize most,
                               PicturePart part) const override {
        PicturePixels cut;
        const Status drawn = DrawPart(path, most, part, [&](int width, int height) {
            cut =
                PicturePixels{width, height,
                              std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
            return ViewOf(cut);
        });
        if (!drawn)
            return drawn;
        return cut;
    }
    Status DrawPart(const std::string& path, ScreenSize most, PicturePart part,
                    const Placement& place) const override {
        ++decodings;
        const PicturePixels& whole = pictures.at(path);
        const int width = std::min(whole.width, most.width);
        const int height = std::min(whole.height, most.height);
        const bool centre = part == PicturePart::Centre;
        const int left = centre ? (whole.width - width) / 2 : 0;
        const int top = centre ? (whole.height - height) / 2 : 0;
        const CanvasView target = place(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                target.Row(y)[x] = whole.At(left + x, top + y);
        return Status::Ok();
    }
    Status DrawStretched(const std::string&, const std::vector<CanvasView>&) const override {
        return Status::Error("not used here");
    }
    Status SaveJpeg(const PicturePixels&, const std::string&) const override {
        return Status::Error("not used here");
    }
};

PicturePixels Numbered(int width, int height, std::uint32_t first) {
    PicturePixels picture{width, height, {}};
    for (int i = 0; i < width * height; ++i)
        picture.rgb.push_back(first + static_cast<std::uint32_t>(i));
    return picture;
}

// The desktop drawn the plain way: the colour everywhere, then each monitor's whole
// picture cut by DrawCentred or DrawTiled.
PicturePixels Reference(const MemoryLoader& loader, const std::vector<MonitorArea>& monitors,
                        const std::vector<std::string>& paths, WallpaperStyle style, int width,
                        int height, std::uint32_t background) {
    PicturePixels screen{width, height,
                         std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    FillArea(ViewOf(screen), MonitorArea{0, 0, width, height}, background);
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const PicturePixels& picture = loader.pictures.at(paths[i]);
        if (style == WallpaperStyle::Tile)
            DrawTiled(ViewOf(screen), monitors[i], picture);
        else
            DrawCentred(ViewOf(screen), monitors[i], picture);
    }
    return screen;
}

// Pictures decoded straight into the desktop, copied between monitors of one size and a
// tile repeated from its first place, give the pixels of the plain drawing, also where a
// tall tile's first place runs below a monitor into the desktop colour.
TEST(MonitorDrawingTest, DrawingInPlaceGivesThePlainDrawingsPixels) {
    MemoryLoader loader;
    loader.pictures["a"] = Numbered(7, 9, 100);
    loader.pictures["b"] = Numbered(4, 3, 500);
    // 20 x 8: two monitors of 6 x 5 with a gap, a 5 x 8 one at the right.
    const std::vector<MonitorArea> monitors{
        {0, 0, 6, 5, true}, {8, 0, 6, 5, false}, {15, 0, 5, 8, false}};
    WallpaperChange change;
    change.picture = "a";
    change.background = MakeColorRef(0, 0, 255);
    const std::uint32_t background = CanvasPixel(change.background);
    for (const WallpaperStyle style : {WallpaperStyle::Centre, WallpaperStyle::Tile}) {
        for (const std::vector<std::string>& paths :
             {std::vector<std::string>{"a", "a", "a"}, std::vector<std::string>{"a", "b", "a"}}) {
            change.style = style;
            change.monitor_pictures = paths;
            PicturePixels screen{20, 8, std::vector<std::uint32_t>(160, 7)};
            loader.decodings = 0;
            ASSERT_TRUE(DrawMonitors(loader, change, monitors, ViewOf(screen)).ok());
            EXPECT_EQ(screen.rgb, Reference(loader, monitors, paths, style, 20, 8, background).rgb)
                << "style " << static_cast<int>(style) << ", second picture " << paths[1];
            if (style == WallpaperStyle::Tile && paths[1] == "a") {
                EXPECT_EQ(loader.decodings, 1);  // one tile for the whole desktop
            }
        }
    }
    // Two centred monitors of one size decode the picture once.
    change.style = WallpaperStyle::Centre;
    change.monitor_pictures = {"a", "a", "b"};
    PicturePixels screen{20, 8, std::vector<std::uint32_t>(160, 7)};
    loader.decodings = 0;
    ASSERT_TRUE(DrawMonitors(loader, change, monitors, ViewOf(screen)).ok());
    EXPECT_EQ(loader.decodings, 2);
}

}  // namespace
}  // namespace orvella
