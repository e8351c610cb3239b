#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/desktop/screen.h"
#include "platform/status.h"

namespace orvella {

// A decoded picture: 0x00RRGGBB per pixel, rows from the top.
struct PicturePixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;

    std::uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};

// Rows of 0x00RRGGBB pixels `stride` pixels apart: an X image's memory, a part of it, or a
// buffer of ours, drawn into in place.
struct CanvasView {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;

    std::uint32_t* Row(int y) const { return pixels + static_cast<std::size_t>(y) * stride; }
};

// The part of a picture a desktop can show at most: a centred picture's centre, a tiled
// picture's top left corner.
enum class PicturePart { Centre, TopLeft };

// Turns a picture file into pixels for a desktop that needs them (the bare X11 root
// window). The codecs' loader is the one the program hands in.
class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // The picture, cut to at most `most` where it is larger: no pixel is kept that a desktop
    // of that size cannot show.
    virtual Result<PicturePixels> Load(const std::string& path, ScreenSize most,
                                       PicturePart part) const = 0;
    // What Load gives, written straight into the canvas rows `place` returns for its size (a
    // view of exactly that size), so no buffer of the picture is held beside the canvas.
    using Placement = std::function<CanvasView(int width, int height)>;
    virtual Status DrawPart(const std::string& path, ScreenSize most, PicturePart part,
                            const Placement& place) const = 0;
    // The picture stretched into each of `targets`, filling it (the aspect ratio not kept),
    // from one reading of the file and one resampling for each size.
    virtual Status DrawStretched(const std::string& path,
                                 const std::vector<CanvasView>& targets) const = 0;
    // And back: a picture composed for a desktop that takes only files, saved as a JPEG
    // that replaces `path` at once.
    virtual Status SaveJpeg(const PicturePixels& picture, const std::string& path) const = 0;
};

}  // namespace orvella
