#include "codecs/codec_picture_loader.h"

#include "codecs/compose.h"
#include "codecs/image_loader.h"

namespace orvella {

Result<PicturePixels> CodecPictureLoader::Load(const std::string& path) const {
    Result<Bitmap> loaded = LoadImage(path);
    if (!loaded)
        return loaded.status();
    const Bitmap picture = loaded->format() == PixelFormat::Rgba
                               ? Flatten(*loaded, Colour{0, 0, 0, 255})
                               : std::move(*loaded);
    PicturePixels pixels;
    pixels.width = picture.width();
    pixels.height = picture.height();
    pixels.rgb.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
    const int channels = picture.channels();
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t* row = picture.row(y);
        std::uint32_t* out = pixels.rgb.data() + static_cast<std::size_t>(y) * pixels.width;
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint8_t* p = row + static_cast<std::size_t>(x) * channels;
            out[x] = (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
        }
    }
    return pixels;
}

}  // namespace orvella
