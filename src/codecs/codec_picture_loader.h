#pragma once

#include "platform/desktop/picture_pixels.h"

namespace orvella {

// Hands the desktop every picture kind the program reads (BMP, JPEG, PNG, GIF, ICO), with
// the codecs' checks; transparent parts are laid over black, as a desktop shows them.
class CodecPictureLoader : public PictureLoader {
public:
    Result<PicturePixels> Load(const std::string& path, ScreenSize most,
                               PicturePart part) const override;
    Status DrawPart(const std::string& path, ScreenSize most, PicturePart part,
                    const Placement& place) const override;
    Status DrawStretched(const std::string& path,
                         const std::vector<CanvasView>& targets) const override;
    Status SaveJpeg(const PicturePixels& picture, const std::string& path) const override;
};

}  // namespace orvella
