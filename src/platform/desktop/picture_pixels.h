#pragma once

#include <cstdint>
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

// Turns a picture file into pixels for a desktop that needs them (the bare X11 root
// window). The codecs' loader is the one the program hands in.
class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    virtual Result<PicturePixels> Load(const std::string& path) const = 0;
    // The picture stretched to each of `sizes` (the aspect ratio not kept), in their order,
    // from one reading of the file: a picture decoded for the monitors of a stretch.
    virtual Result<std::vector<PicturePixels>> LoadStretched(
        const std::string& path, const std::vector<ScreenSize>& sizes) const = 0;
};

}  // namespace orvella
