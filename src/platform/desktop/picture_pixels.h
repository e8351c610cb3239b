#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
// window). The picture codecs plug in here; until they do, the built-in reader below
// serves the bitmaps the registry route sets.
class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    virtual Result<PicturePixels> Load(const std::string& path) const = 0;
};

// Uncompressed Windows bitmaps of 8 (palette), 24 or 32 bits, bottom-up or top-down.
// Anything else is a clean failure naming the file.
class BmpPictureLoader : public PictureLoader {
public:
    Result<PicturePixels> Load(const std::string& path) const override;
    static Result<PicturePixels> Decode(const std::string& bytes);
};

// Larger pictures are refused before anything is allocated.
inline constexpr int kMaxPictureSide = 32768;

}  // namespace orvella
